// SPDX-License-Identifier: GPL-3.0-or-later
#include "areaselectiontool.h"

#include "learningviewcontroller.h"
#include "learningviewwidget.h"

#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace quorvel {

namespace {

QWidget* line(QWidget* parent, const QString& name, const QString& colour) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    panel->setAutoFillBackground(true);
    panel->setStyleSheet(QStringLiteral("background:") + colour);
    panel->hide();
    return panel;
}

} // namespace

AreaSelectionTool::AreaSelectionTool(LearningViewController& view) : QObject(&view), m_view(view) {
    QWidget* widget = &view.view();
    const char16_t* names[] = {u"BereichX1Pan", u"BereichY1Pan", u"BereichX2Pan", u"BereichY2Pan"};
    for (size_t i = 0; i < m_edges.size(); ++i)
        m_edges[i] = line(widget, QString::fromUtf16(names[i]), QStringLiteral("#ff0000"));
    for (QWidget*& cross : m_cross)
        cross = line(widget, QString(), QStringLiteral("#808080"));
    m_info = new QLabel(widget);
    m_info->setObjectName(QStringLiteral("BereichInfoPan"));
    m_info->setStyleSheet(QStringLiteral("background:#ffffe1; color:black; border:1px solid red"));
    m_info->setCursor(Qt::SizeAllCursor);
    m_info->hide();
    m_info->installEventFilter(this);
    widget->installEventFilter(this);
    widget->setMouseTracking(true);
    connect(&view, &LearningViewController::toolChanged, this, [this](Tool tool) {
        if (tool != Tool::Area) {
            clear();
            hideCrosshair();
        }
    });
    connect(&view.view(), &LearningViewWidget::rebuilt, this, [this] { showSelection(); });
}

bool AreaSelectionTool::active() const {
    return m_view.tool() == Tool::Area;
}

void AreaSelectionTool::pressButton() {
    if (active())
        clear();
    m_view.setTool(Tool::Area);
}

void AreaSelectionTool::setSelection(const AreaSelection& selection) {
    m_selection = selection;
    showSelection();
}

bool AreaSelectionTool::crosshairShown() const {
    return m_cross[0]->isVisible();
}

QPoint AreaSelectionTool::toPicture(QPoint widgetPoint) const {
    // Beyond the right or bottom edge counts as on it; left and above stay
    // negative, which clears the selection.
    const QRect picture = m_view.view().pictureRect();
    const QPoint p = widgetPoint - picture.topLeft();
    return QPoint(std::min(p.x(), picture.width()), std::min(p.y(), picture.height()));
}

void AreaSelectionTool::showCrosshair(QPoint widgetPoint) {
    const QRect picture = m_view.view().pictureRect();
    if (!picture.contains(widgetPoint)) {
        hideCrosshair();
        return;
    }
    m_cross[0]->setGeometry(picture.left(), widgetPoint.y(), picture.width(), 1);
    m_cross[1]->setGeometry(widgetPoint.x(), picture.top(), 1, picture.height());
    for (QWidget* cross : m_cross) {
        cross->show();
        cross->raise();
    }
}

void AreaSelectionTool::hideCrosshair() {
    for (QWidget* cross : m_cross)
        cross->hide();
}

void AreaSelectionTool::showSelection() {
    const bool shown = m_selection.valid();
    for (QWidget* edge : m_edges)
        edge->setVisible(shown);
    m_info->setVisible(shown);
    if (!shown)
        return;
    const QRect r = m_selection.rect().translated(m_view.view().pictureRect().topLeft());
    m_edges[0]->setGeometry(r.left(), r.top(), 1, r.height());
    m_edges[1]->setGeometry(r.left(), r.top(), r.width(), 1);
    m_edges[2]->setGeometry(r.right(), r.top(), 1, r.height());
    m_edges[3]->setGeometry(r.left(), r.bottom(), r.width(), 1);
    m_info->setText(areaInfoText(m_selection.rect()));
    m_info->adjustSize();
    // Its bottom edge on the selection's top edge.
    m_info->move(r.left(), r.top() - m_info->height());
    for (QWidget* edge : m_edges)
        edge->raise();
    m_info->raise();
}

bool AreaSelectionTool::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_info) {
        auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (!mouse)
            return false;
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            m_dragging = true;
            m_dragFrom = mouse->globalPosition().toPoint();
            return true;
        }
        if (event->type() == QEvent::MouseMove && m_dragging) {
            const QPoint now = mouse->globalPosition().toPoint();
            const QPoint d = now - m_dragFrom;
            const AreaSelection moved =
                m_selection.movedWithin(d.x(), d.y(), m_view.view().pictureRect().size());
            // Only what was really moved counts, so that the panel stays under the pointer.
            m_dragFrom += QPoint(moved.left - m_selection.left, moved.top - m_selection.top);
            setSelection(moved);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            m_dragging = false;
            return true;
        }
        return false;
    }
    if (!active())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        m_selecting = true;
        m_anchor = toPicture(mouse->position().toPoint());
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        showCrosshair(at);
        if (m_selecting)
            setSelection(AreaSelection::fromCorners(m_anchor, toPicture(at)));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_selecting && mouse->button() == Qt::LeftButton) {
            m_selecting = false;
            setSelection(
                AreaSelection::fromCorners(m_anchor, toPicture(mouse->position().toPoint())));
        }
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::Leave:
        hideCrosshair();
        return false;
    default:
        return false;
    }
}

} // namespace quorvel
