// SPDX-License-Identifier: GPL-3.0-or-later
#include "topicmenucolumns.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <algorithm>

namespace quorvel {

TopicMenuColumns::TopicMenuColumns(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ThemenSpalten"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TopicMenuColumns::setEntries(const QList<QAction*>& entries, int columnBreak) {
    m_entries = entries;
    m_break = columnBreak > 0 && columnBreak < entries.size() ? columnBreak : -1;
    m_current = -1;
    m_itemSize = measureItems();
    updateGeometry();
    adjustSize();
    update();
}

void TopicMenuColumns::setCurrent(int position) {
    if (position < -1 || position >= m_entries.size())
        position = -1;
    if (position == m_current)
        return;
    m_current = position;
    update();
}

int TopicMenuColumns::firstOfColumn(int column) const {
    return column == 0 || m_break < 0 ? 0 : m_break;
}

int TopicMenuColumns::countOfColumn(int column) const {
    if (m_break < 0)
        return column == 0 ? int(m_entries.size()) : 0;
    return column == 0 ? m_break : int(m_entries.size()) - m_break;
}

int TopicMenuColumns::columnOf(int position) const {
    return m_break >= 0 && position >= m_break ? 1 : 0;
}

int TopicMenuColumns::rowOf(int position) const {
    return position - firstOfColumn(columnOf(position));
}

void TopicMenuColumns::initOption(QStyleOptionMenuItem& option, int position) const {
    option.initFrom(this);
    option.palette = palette();
    option.state = QStyle::State_None;
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::Exclusive;
    option.maxIconWidth = 0;
    option.reservedShortcutWidth = 0;
    option.font = font();
    option.menuRect = rect();
    if (position < 0 || position >= m_entries.size())
        return;
    const QAction* action = m_entries[position];
    option.text = action->text();
    option.checked = action->isChecked();
    if (isEnabled())
        option.state |= QStyle::State_Enabled;
    if (position == m_current)
        option.state |= QStyle::State_Selected;
}

QSize TopicMenuColumns::measureItems() const {
    int width = 0;
    int height = 0;
    for (int i = 0; i < m_entries.size(); ++i) {
        QStyleOptionMenuItem option;
        initOption(option, i);
        const QSize text = fontMetrics().size(Qt::TextShowMnemonic, option.text);
        const QSize item = style()->sizeFromContents(QStyle::CT_MenuItem, &option, text, this);
        width = std::max(width, item.width());
        height = std::max(height, item.height());
    }
    return {width, height};
}

QSize TopicMenuColumns::sizeHint() const {
    const QSize item = m_itemSize;
    const int columns = m_break < 0 ? 1 : 2;
    const int rows = std::max(countOfColumn(0), countOfColumn(1));
    return {item.width() * columns, item.height() * rows};
}

QRect TopicMenuColumns::entryRect(int position) const {
    if (position < 0 || position >= m_entries.size())
        return {};
    const QSize item = m_itemSize;
    return QRect(QPoint(columnOf(position) * item.width(), rowOf(position) * item.height()), item);
}

int TopicMenuColumns::entryAt(QPoint point) const {
    for (int i = 0; i < m_entries.size(); ++i) {
        if (entryRect(i).contains(point))
            return i;
    }
    return -1;
}

void TopicMenuColumns::activate(int position) {
    if (position < 0 || position >= m_entries.size())
        return;
    QAction* action = m_entries[position];
    // Close the whole menu chain first, as a menu does before it runs a command.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* menu = qobject_cast<QMenu*>(w))
            menu->close();
    }
    Q_EMIT entryChosen(action);
}

void TopicMenuColumns::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_itemSize = measureItems();
        updateGeometry();
    }
}

void TopicMenuColumns::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < m_entries.size(); ++i) {
        QStyleOptionMenuItem option;
        initOption(option, i);
        option.rect = entryRect(i);
        style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
    }
}

void TopicMenuColumns::mouseMoveEvent(QMouseEvent* event) {
    const int position = entryAt(event->position().toPoint());
    setCurrent(position);
    if (position >= 0 && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void TopicMenuColumns::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        activate(entryAt(event->position().toPoint()));
}

void TopicMenuColumns::leaveEvent(QEvent*) {
    setCurrent(-1);
}

void TopicMenuColumns::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (m_current < 0 && !m_entries.isEmpty())
        setCurrent(event->reason() == Qt::BacktabFocusReason ? int(m_entries.size()) - 1 : 0);
}

void TopicMenuColumns::keyPressEvent(QKeyEvent* event) {
    const int count = int(m_entries.size());
    const int column = columnOf(std::max(0, m_current));
    const int row = rowOf(std::max(0, m_current));
    int target = -2; // -2: not handled here, the menu takes the key
    switch (event->key()) {
    case Qt::Key_Down:
        if (m_current >= 0 && row + 1 < countOfColumn(column))
            target = m_current + 1;
        else if (m_current < 0 && count > 0)
            target = 0;
        break;
    case Qt::Key_Up:
        if (m_current >= 0 && row > 0)
            target = m_current - 1;
        break;
    case Qt::Key_Right:
        if (m_break >= 0 && column == 0 && m_current >= 0)
            target = std::min(firstOfColumn(1) + row, count - 1);
        break;
    case Qt::Key_Left:
        if (column == 1 && m_current >= 0)
            target = std::min(row, countOfColumn(0) - 1);
        break;
    case Qt::Key_Home:
        target = count > 0 ? 0 : -2;
        break;
    case Qt::Key_End:
        target = count > 0 ? count - 1 : -2;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_current >= 0) {
            activate(m_current);
            return;
        }
        break;
    default:
        break;
    }
    if (target == -2) {
        // A mnemonic of one of the entries ("&1" .. "&9")?
        const QString typed = event->text();
        if (typed.size() == 1 &&
            !event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)) {
            for (int i = 0; i < count; ++i) {
                const QString text = m_entries[i]->text();
                const qsizetype amp = text.indexOf(u'&');
                if (amp >= 0 && amp + 1 < text.size() &&
                    text.at(amp + 1).toLower() == typed.at(0).toLower()) {
                    activate(i);
                    return;
                }
            }
        }
        // Leaving the entries: the menu moves on to its own items.
        setCurrent(-1);
        event->ignore();
        return;
    }
    setCurrent(target);
}

} // namespace quorvel
