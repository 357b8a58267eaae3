#include "pageview.h"

#include "artwork.h"
#include "rounding.h"

#include <QLabel>
#include <QPainter>
#include <QRegion>
#include <QTimer>

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kViewMargin = 12;
constexpr int kStartPanelInset = 50; // the start panel sits this far inside the view

// A light card with an accent stripe on the left. Painted by hand: a style
// sheet would cost more at start-up than the whole card.
class StartPanel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QColor(0x9F, 0xB0, 0xD3));
        painter.setBrush(QColor(255, 255, 255, 228));
        painter.drawRoundedRect(card, 6, 6);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x2F, 0x5F, 0xA8));
        painter.drawRoundedRect(QRectF(0, 0, 6, height()), 3, 3);
        painter.end();
        QLabel::paintEvent(event);
    }
};

} // namespace

PageView::PageView(QWidget* parent)
    : QWidget(parent)
    , m_startPanel(new StartPanel(this))
{
    setObjectName(QStringLiteral("PageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);

    m_startPanel->setObjectName(QStringLiteral("StartPanel"));
    m_startPanel->setTextFormat(Qt::PlainText);
    m_startPanel->setMargin(22);
    QPalette look = m_startPanel->palette();
    look.setColor(QPalette::WindowText, QColor(0x1F, 0x2A, 0x44));
    m_startPanel->setPalette(look);
    QFont font = m_startPanel->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    m_startPanel->setFont(font);
    m_startPanel->move(kStartPanelInset, kStartPanelInset);
    m_startPanel->hide();
}

void PageView::setPicture(const QImage& picture, bool isStartPicture)
{
    m_picture = picture;
    m_isStartPicture = isStartPicture;
    m_scaled = QPixmap();
    update();
}

void PageView::setStartText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (shown.endsWith(u'\n'))
        shown.chop(1);
    m_startPanel->setText(shown);
    m_startPanel->adjustSize();
}

void PageView::setStartPanelVisible(bool visible)
{
    m_startPanel->setVisible(visible);
}

QRect PageView::pictureRect() const
{
    const QRect area = rect().adjusted(kViewMargin, kViewMargin, -kViewMargin, -kViewMargin);
    if (m_picture.isNull() || area.isEmpty())
        return QRect();
    const double scale = std::min(double(area.width()) / m_picture.width(),
                                  double(area.height()) / m_picture.height());
    const int w = std::max(1, rnd(m_picture.width() * scale));
    const int h = std::max(1, rnd(m_picture.height() * scale));
    return QRect(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2, w, h);
}

QImage PageView::scaledPicture(QSize size) const
{
    if (m_isStartPicture)
        return startbild(size);
    // Bilinear, as pictures are stretched everywhere in the program; drawn
    // rather than QImage::scaled(), which is several times slower, onto an
    // opaque picture (the page is opaque, and the screen takes it as it is).
    QImage scaled(size, QImage::Format_RGB32);
    scaled.fill(Qt::white);
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size),
                      m_picture.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return scaled;
}

void PageView::resizeEvent(QResizeEvent* event)
{
    m_scaled = QPixmap();
    QWidget::resizeEvent(event);
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect target = pictureRect();

    // The desk around the page, and the page's shadow along its right and
    // bottom edges: only what the page does not cover is filled.
    QLinearGradient desk(0, 0, 0, height());
    desk.setColorAt(0.0, QColor(0x4A, 0x55, 0x68));
    desk.setColorAt(1.0, QColor(0x36, 0x3F, 0x4F));
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(target)));
    painter.fillRect(rect(), desk);
    painter.setClipping(false);
    if (!target.isEmpty()) {
        const QColor shadow(0, 0, 0, 70);
        painter.fillRect(QRect(target.right() + 1, target.top() + 4, 3, target.height()), shadow);
        painter.fillRect(QRect(target.left() + 3, target.bottom() + 1, target.width(), 4), shadow);
        if (m_scaled.size() != target.size())
            m_scaled = QPixmap::fromImage(scaledPicture(target.size()));
        painter.drawPixmap(target.topLeft(), m_scaled);
    }

    if (!m_painted) {
        m_painted = true;
        // After this paint has reached the screen, not in the middle of it.
        QTimer::singleShot(0, this, [this] { Q_EMIT firstPainted(); });
    }
}

} // namespace quorvel
