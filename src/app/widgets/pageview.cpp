#include "pageview.h"

#include "rounding.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kViewMargin = 12;
constexpr int kStartPanelInset = 50; // the start panel sits this far inside the view

} // namespace

PageView::PageView(QWidget* parent)
    : QWidget(parent)
    , m_startPanel(new QLabel(this))
{
    setObjectName(QStringLiteral("PageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);

    m_startPanel->setObjectName(QStringLiteral("StartPanel"));
    m_startPanel->setTextFormat(Qt::PlainText);
    m_startPanel->setMargin(22);
    m_startPanel->setStyleSheet(QStringLiteral(
        "QLabel#StartPanel { background: rgba(255, 255, 255, 225); color: #1f2a44;"
        " border: 1px solid #9fb0d3; border-left: 6px solid #2f5fa8; border-radius: 6px; }"));
    QFont font = m_startPanel->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    m_startPanel->setFont(font);
    m_startPanel->move(kStartPanelInset, kStartPanelInset);
    m_startPanel->hide();
}

void PageView::setPicture(const QImage& picture)
{
    m_picture = picture;
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

void PageView::resizeEvent(QResizeEvent* event)
{
    m_scaled = QPixmap();
    QWidget::resizeEvent(event);
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient desk(0, 0, 0, height());
    desk.setColorAt(0.0, QColor(0x4A, 0x55, 0x68));
    desk.setColorAt(1.0, QColor(0x36, 0x3F, 0x4F));
    painter.fillRect(rect(), desk);

    const QRect target = pictureRect();
    if (!target.isEmpty()) {
        if (m_scaled.size() != target.size()) {
            m_scaled = QPixmap::fromImage(m_picture.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                           Qt::SmoothTransformation));
        }
        painter.fillRect(target.translated(3, 4), QColor(0, 0, 0, 70));
        painter.drawPixmap(target.topLeft(), m_scaled);
    }

    if (!m_painted) {
        m_painted = true;
        // After this paint has reached the screen, not in the middle of it.
        QTimer::singleShot(0, this, [this] { Q_EMIT firstPainted(); });
    }
}

} // namespace quorvel
