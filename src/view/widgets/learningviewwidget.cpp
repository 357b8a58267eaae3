// SPDX-License-Identifier: GPL-3.0-or-later
#include "learningviewwidget.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>

namespace quorvel {

namespace {

constexpr int kStartPanelDistance = 50;       // the start panel sits this far inside the view
const QColor kSurroundings(0x3E, 0x48, 0x58); // around the page when it does not fill the view

} // namespace

LearningViewWidget::LearningViewWidget(Document& document, const ViewLayouts& layouts,
                                       QWidget* parent)
    : QWidget(parent), m_composer(std::make_unique<ViewComposer>(document, layouts)),
      m_startPanel(new QLabel(this)) {
    setObjectName(QStringLiteral("Lernansicht"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);

    m_startPanel->setObjectName(QStringLiteral("StartPanel"));
    m_startPanel->setTextFormat(Qt::PlainText);
    m_startPanel->setMargin(20);
    m_startPanel->setAutoFillBackground(true);
    QPalette palette = m_startPanel->palette();
    palette.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xFA));
    palette.setColor(QPalette::WindowText, QColor(0x1F, 0x2A, 0x44));
    m_startPanel->setPalette(palette);
    m_startPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_startPanel->move(kStartPanelDistance, kStartPanelDistance);
    m_startPanel->hide();

    m_sizeTimer.setSingleShot(true);
    m_sizeTimer.setInterval(0);
    connect(&m_sizeTimer, &QTimer::timeout, this, &LearningViewWidget::rebuild);
}

LearningViewWidget::~LearningViewWidget() = default;

void LearningViewWidget::rebuild() {
    m_sizeTimer.stop();
    m_composer->setViewArea(size());
    m_composer->rebuild();
    if (m_composer->startPanelHidden())
        m_startPanel->hide();
    update();
    Q_EMIT rebuilt();
}

void LearningViewWidget::redrawObjects() {
    m_composer->redrawObjects();
    update();
}

void LearningViewWidget::redrawObject(int index) {
    const QRect changed = m_composer->redrawObject(index);
    if (!changed.isEmpty())
        update(changed.translated(pictureRect().topLeft()));
}

void LearningViewWidget::viewChanged() {
    update();
}

QRect LearningViewWidget::pictureRect() const {
    const QSize picture = m_composer->view().size();
    return QRect(QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                 picture);
}

QPointF LearningViewWidget::widgetToPage(QPoint point) const {
    return m_composer->viewToPage(QPointF(point - pictureRect().topLeft()));
}

void LearningViewWidget::setStartText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (shown.endsWith(u'\n'))
        shown.chop(1);
    m_startPanel->setText(shown);
    m_startPanel->adjustSize();
}

void LearningViewWidget::setStartPanelVisible(bool visible) {
    m_startPanel->setVisible(visible);
}

void LearningViewWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_sizeTimer.start();
}

void LearningViewWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect picture = pictureRect();
    const QRegion surroundings = QRegion(event->rect()).subtracted(picture);
    for (const QRect& r : surroundings)
        painter.fillRect(r, kSurroundings);
    const QRect part = event->rect() & picture;
    if (!part.isEmpty())
        painter.drawImage(part.topLeft(), m_composer->view(), part.translated(-picture.topLeft()));
    if (m_composer->outOfMemory())
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, msgViewOutOfMemory());

    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, [this] { Q_EMIT firstPainted(); });
    }
}

} // namespace quorvel
