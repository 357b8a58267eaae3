// SPDX-License-Identifier: GPL-3.0-or-later
#include "titlebar.h"

#include "mainwindowstate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace quorvel {

namespace {

// The mode button: the program's button colour, dark blue while pressed.
// Painted by hand rather than with a style sheet, which is slow to set up.
class ModeButton : public QToolButton {
public:
    using QToolButton::QToolButton;

    QSize sizeHint() const override {
        const QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
        return QSize(text.width() + 32, text.height() + 12);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool pressed = isChecked() || isDown();
        const QColor fill = pressed ? QColor(0x2F, 0x5F, 0xA8) : QColor(205, 208, 226);
        const QColor border = underMouse() ? QColor(0x2F, 0x5F, 0xA8)
                              : pressed    ? QColor(0x24, 0x49, 0x7F)
                                           : QColor(0x83, 0x90, 0xB8);
        painter.setPen(border);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter.setPen(pressed ? QColor(Qt::white) : QColor(0x1F, 0x2A, 0x44));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
};

} // namespace

TitleBar::TitleBar(QWidget* parent)
    : QFrame(parent), m_title(new QLabel(this)), m_modeButton(new ModeButton(this)),
      m_previousButton(new QToolButton(this)), m_nextButton(new QToolButton(this)) {
    setObjectName(QStringLiteral("TitelPanel"));

    m_title->setObjectName(QStringLiteral("DokumentTitel"));
    QFont font = m_title->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    m_title->setFont(font);
    m_title->setTextFormat(Qt::PlainText);
    QPalette look = m_title->palette();
    look.setColor(QPalette::WindowText, QColor(0x1F, 0x2A, 0x44));
    m_title->setPalette(look);

    m_modeButton->setObjectName(QStringLiteral("ModusBtn"));
    m_modeButton->setCheckable(true);
    m_modeButton->setFocusPolicy(Qt::NoFocus);
    m_modeButton->setAttribute(Qt::WA_Hover);
    connect(m_modeButton, &QToolButton::clicked, this, [this] {
        if (m_modus == Modus::LearningView)
            m_modeButton->setChecked(true); // already there: it stays pressed
        else
            Q_EMIT abortRequested();
    });

    m_title->setCursor(Qt::PointingHandCursor);
    m_title->installEventFilter(this);
    const auto stepButton = [this](QToolButton* button, const QString& name, Qt::ArrowType arrow,
                                   const QString& hint) {
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(hint);
    };
    stepButton(m_previousButton, QStringLiteral("VorherigesDokBtn"), Qt::LeftArrow,
               QStringLiteral("vorheriges Dokument öffnen"));
    stepButton(m_nextButton, QStringLiteral("NaechstesDokBtn"), Qt::RightArrow,
               QStringLiteral("nächstes Dokument öffnen"));
    connect(m_previousButton, &QToolButton::clicked, this, &TitleBar::previousRequested);
    connect(m_nextButton, &QToolButton::clicked, this, &TitleBar::nextRequested);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 6, 10, 7);
    layout->addWidget(m_previousButton);
    layout->addWidget(m_nextButton);
    layout->addWidget(m_title, 1);
    layout->addWidget(m_modeButton);
    setModus(Modus::LearningView);
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient strip(0, 0, 0, height());
    strip.setColorAt(0.0, QColor(0xF4, 0xF6, 0xFB));
    strip.setColorAt(1.0, QColor(0xDD, 0xE3, 0xF0));
    painter.fillRect(rect(), strip);
    painter.fillRect(QRect(0, height() - 1, width(), 1), QColor(0x9A, 0xA6, 0xC6));
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_title && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Q_EMIT titleClicked();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TitleBar::setTitleHint(const QString& hint) {
    m_title->setToolTip(hint);
}

QString TitleBar::titleHint() const {
    return m_title->toolTip();
}

void TitleBar::setDocumentTitle(const QString& title) {
    m_title->setText(title);
}

QString TitleBar::documentTitle() const {
    return m_title->text();
}

void TitleBar::setModus(Modus modus) {
    m_modus = modus;
    const bool learning = modus == Modus::LearningView;
    m_modeButton->setText(learning ? QStringLiteral("Lernansicht")
                                   : QStringLiteral("Übung abbrechen"));
    m_modeButton->setChecked(learning);
    m_previousButton->setVisible(learning);
    m_nextButton->setVisible(learning);
    m_modeButton->updateGeometry();
}

void TitleBar::onTitleClicked(QObject* context, std::function<void()> handler) {
    connect(this, &TitleBar::titleClicked, context, std::move(handler));
}

void TitleBar::addSection(QWidget* section) {
    auto* row = static_cast<QHBoxLayout*>(layout());
    row->insertWidget(row->indexOf(m_modeButton), section);
}

} // namespace quorvel
