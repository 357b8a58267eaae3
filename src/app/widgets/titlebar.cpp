#include "titlebar.h"

#include "hauptfensterzustand.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace quorvel {

TitleBar::TitleBar(QWidget* parent)
    : QFrame(parent)
    , m_title(new QLabel(this))
    , m_modeButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("TitelPanel"));
    setStyleSheet(QStringLiteral(
        "QFrame#TitelPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #f4f6fb, stop:1 #dde3f0); border-bottom: 1px solid #9aa6c6; }"
        "QLabel#DokumentTitel { color: #1f2a44; }"
        "QToolButton#ModusBtn { background: rgb(205, 208, 226); border: 1px solid #8390b8;"
        " border-radius: 4px; padding: 4px 14px; color: #1f2a44; }"
        "QToolButton#ModusBtn:checked { background: #2f5fa8; color: white; border-color: #24497f; }"
        "QToolButton#ModusBtn:hover { border-color: #2f5fa8; }"));

    m_title->setObjectName(QStringLiteral("DokumentTitel"));
    QFont font = m_title->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    m_title->setFont(font);
    m_title->setTextFormat(Qt::PlainText);

    m_modeButton->setObjectName(QStringLiteral("ModusBtn"));
    m_modeButton->setCheckable(true);
    m_modeButton->setFocusPolicy(Qt::NoFocus);
    connect(m_modeButton, &QToolButton::clicked, this, [this] {
        if (m_modus == ModusLernansicht)
            m_modeButton->setChecked(true); // already there: it stays pressed
        else
            Q_EMIT abortRequested();
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 6, 10, 6);
    layout->addWidget(m_title, 1);
    layout->addWidget(m_modeButton);
    setModus(ModusLernansicht);
}

void TitleBar::setDocumentTitle(const QString& title)
{
    m_title->setText(title);
}

QString TitleBar::documentTitle() const
{
    return m_title->text();
}

void TitleBar::setModus(int modus)
{
    m_modus = modus;
    const bool learning = modus == ModusLernansicht;
    m_modeButton->setText(learning ? QStringLiteral("Lernansicht")
                                   : QStringLiteral("Übung abbrechen"));
    m_modeButton->setChecked(learning);
}

} // namespace quorvel
