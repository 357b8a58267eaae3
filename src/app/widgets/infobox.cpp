#include "infobox.h"

#include "infotext.h"
#include "textmarkup.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quorvel {

namespace {

constexpr int kMaxHoehe = 566;
constexpr int kEckAbstand = 6;
constexpr int kZusatzHoehe = 34; // buttons below the text
constexpr int kBreite = 460;
constexpr int kPunkte = 14;

void fuelleKlartext(QTextDocument& dok, const QString& text, const QString& font)
{
    QFont f(font);
    f.setPointSize(kInfoTextPoints);
    dok.setDefaultFont(f);
    dok.setPlainText(infoTextWithoutTags(text));
}

} // namespace

InfoBox::InfoBox(QWidget* parent)
    : QDialog(parent), m_bereich(new QScrollArea(this)), m_bild(new QLabel)
{
    setObjectName(QStringLiteral("InfoBox"));
    setWindowTitle(QStringLiteral("Information"));
    setModal(false);
    m_bereich->setObjectName(QStringLiteral("InfoScrollBox"));
    m_bereich->setWidget(m_bild);
    m_bereich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_bereich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_bereich->setFrameShape(QFrame::NoFrame);
    m_bild->setCursor(Qt::OpenHandCursor);
    m_bild->installEventFilter(this);

    auto* knoepfe = new QHBoxLayout;
    const struct {
        const char16_t* text;
        void (InfoBox::*aktion)();
    } liste[] = {{u"Drucken...", &InfoBox::drucken},
                 {u"Speichern...", &InfoBox::speichern},
                 {u"In Zwischenablage", &InfoBox::toClipboard}};
    for (const auto& k : liste) {
        auto* b = new QPushButton(QString::fromUtf16(k.text), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, k.aktion);
        knoepfe->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->setSpacing(2);
    layout->addWidget(m_bereich, 1);
    layout->addLayout(knoepfe);
}

void InfoBox::zeige(const QString& text, const QString& fontFamily, QWidget* hauptfenster)
{
    m_text = text;
    m_font = fontFamily;
    resize(kBreite, height());
    const int textBreite = kBreite - 30;
    const QImage bild = renderTextToPicture(splitMarkupLines(text), textBreite, kPunkte,
                                            palette().color(QPalette::Window), fontFamily);
    m_bild->setPixmap(QPixmap::fromImage(bild));
    m_bild->resize(bild.size());
    const int rahmen = frameGeometry().height() - geometry().height();
    const int hoehe = std::min(kMaxHoehe, bild.height() + std::max(0, rahmen) + kZusatzHoehe);
    resize(kBreite, hoehe);
    if (hauptfenster) {
        const QRect h = hauptfenster->geometry();
        move(h.right() - kEckAbstand - width(), h.top() + kEckAbstand);
    }
    m_bereich->verticalScrollBar()->setValue(0);
    show();
    raise();
}

void InfoBox::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* bar = m_bereich->verticalScrollBar();
    if (event->key() == Qt::Key_PageDown)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (event->key() == Qt::Key_PageUp)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else
        QDialog::keyPressEvent(event);
}

bool InfoBox::eventFilter(QObject* objekt, QEvent* event)
{
    if (objekt != m_bild)
        return QDialog::eventFilter(objekt, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            m_ziehen = true;
            m_ziehPunkt = e->globalPosition().toPoint();
            m_bild->setCursor(Qt::ClosedHandCursor);
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (m_ziehen) {
            const QPoint p = e->globalPosition().toPoint();
            QScrollBar* bar = m_bereich->verticalScrollBar();
            bar->setValue(bar->value() - (p.y() - m_ziehPunkt.y()));
            m_ziehPunkt = p;
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_ziehen = false;
        m_bild->setCursor(Qt::OpenHandCursor);
        return true;
    default:
        return false;
    }
}

void InfoBox::drucken()
{
    QPrinter printer;
    printer.setDocName(QStringLiteral("Infotext"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QTextDocument dok;
    fuelleKlartext(dok, m_text, m_font);
    dok.print(&printer);
}

void InfoBox::speichern()
{
    const QString pfad = QFileDialog::getSaveFileName(
        this, QStringLiteral("Infotext in Datei speichern"), QString(),
        QStringLiteral("Rich Text (*.rtf)"));
    if (pfad.isEmpty())
        return;
    QSaveFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly)) {
        datei.write(infoTextAsRtf(m_text, m_font));
        datei.commit();
    }
}

void InfoBox::toClipboard()
{
    auto* daten = new QMimeData;
    const QString klar = infoTextWithoutTags(m_text);
    daten->setText(klar);
    daten->setData(QStringLiteral("text/rtf"), infoTextAsRtf(m_text, m_font));
    QTextDocument dok;
    fuelleKlartext(dok, m_text, m_font);
    daten->setHtml(dok.toHtml());
    QApplication::clipboard()->setMimeData(daten);
}

} // namespace quorvel
