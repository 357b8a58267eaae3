// SPDX-License-Identifier: GPL-3.0-or-later
#include "infobox.h"

#include "infotext.h"
#include "textmarkup.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kCornerDistance = 6;
constexpr int kWidth = 460;
constexpr int kTextPoints = 14;

} // namespace

InfoBox::InfoBox(Shell& shell, QWidget* parent)
    : ReportWindow(shell, u"Infotext"_s, u"Infotext in Datei speichern"_s, parent),
      m_area(new QScrollArea(this)), m_picture(new QLabel) {
    setObjectName(u"InfoBox"_s);
    setWindowTitle(u"Information"_s);
    setModal(false);
    m_area->setObjectName(u"InfoScrollBox"_s);
    m_area->setWidget(m_picture);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_area->setFrameShape(QFrame::NoFrame);
    m_picture->setCursor(Qt::OpenHandCursor);
    m_picture->installEventFilter(this);
    setUp(m_area, {{Action::Print, u"Drucken..."_s, QString()},
                   {Action::Save, u"Speichern..."_s, QString()},
                   {Action::Copy, u"In Zwischenablage"_s, QString()}});
    layout()->setContentsMargins(0, 0, 0, 2);
    layout()->setSpacing(2);
}

void InfoBox::showText(const QString& text, const QString& fontFamily, QWidget* mainWindow) {
    m_text = text;
    m_font = fontFamily;
    const int textWidth = kWidth - 30;
    const QImage picture = renderTextToPicture(splitMarkupLines(text), textWidth, kTextPoints,
                                               palette().color(QPalette::Window), fontFamily);
    m_picture->setPixmap(QPixmap::fromImage(picture));
    m_picture->resize(picture.size());
    // resize() sets the size inside the frame; the frame counts towards the
    // highest the window may be.
    const int frame = frameGeometry().height() - geometry().height();
    resize(kWidth, infoBoxClientHeight(picture.height(), frame));
    if (mainWindow) {
        const QRect main = mainWindow->geometry();
        move(main.right() - kCornerDistance - width(), main.top() + kCornerDistance);
    }
    m_area->verticalScrollBar()->setValue(0);
    show();
    raise();
}

void InfoBox::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = m_area->verticalScrollBar();
    if (event->key() == Qt::Key_PageDown)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (event->key() == Qt::Key_PageUp)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else
        QDialog::keyPressEvent(event);
}

bool InfoBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_picture)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            m_dragging = true;
            m_dragPoint = press->globalPosition().toPoint();
            m_picture->setCursor(Qt::ClosedHandCursor);
        }
        return true;
    }
    case QEvent::MouseMove: {
        if (m_dragging) {
            const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            QScrollBar* bar = m_area->verticalScrollBar();
            bar->setValue(bar->value() - (at.y() - m_dragPoint.y()));
            m_dragPoint = at;
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        m_picture->setCursor(Qt::OpenHandCursor);
        return true;
    default:
        return false;
    }
}

void InfoBox::fillDocument(QTextDocument& document) const {
    QFont font(m_font);
    font.setPointSize(kInfoTextPoints);
    document.setDefaultFont(font);
    document.setPlainText(infoTextWithoutTags(m_text));
}

QByteArray InfoBox::richText() const {
    return infoTextAsRtf(m_text, m_font);
}

} // namespace quorvel
