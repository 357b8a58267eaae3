// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QStyleOptionMenuItem;

namespace quorvel {

// The entries of a long topic menu in two columns. A menu lays its items out
// in one column, so the entries of a page of more than 25 stand in this widget
// inside the menu: drawn like menu items, hovered and clicked like them, and
// worked by the keyboard (arrows, Home, End, Return, the digits of the first
// nine entries). At its edges the arrow keys go back to the menu.
class TopicMenuColumns : public QWidget {
    Q_OBJECT
public:
    explicit TopicMenuColumns(QWidget* parent = nullptr);

    // The entries shown, in order; `columnBreak` is the position of the first
    // entry of the second column (-1 or out of range: one column).
    void setEntries(const QList<QAction*>& entries, int columnBreak);
    const QList<QAction*>& entries() const { return m_entries; }
    int columnBreak() const { return m_break; }

    // The entry under the keyboard or mouse (-1 for none).
    int current() const { return m_current; }
    void setCurrent(int position);

    // Column (0 or 1) and row of an entry, and where it is drawn.
    int columnOf(int position) const;
    int rowOf(int position) const;
    QRect entryRect(int position) const;
    int entryAt(QPoint point) const;

    // Chooses an entry as a menu does: the menu closes first.
    void activate(int position);

    QSize sizeHint() const override;

Q_SIGNALS:
    // An entry was chosen. Its action stands hidden in the menu (a hidden action
    // cannot be triggered), so the owner opens what it stands for.
    void entryChosen(QAction* entry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void initOption(QStyleOptionMenuItem& option, int position) const;
    int firstOfColumn(int column) const;
    int countOfColumn(int column) const;
    QSize measureItems() const;

    QList<QAction*> m_entries;
    int m_break = -1;
    int m_current = -1;
    QSize m_itemSize; // the size every entry gets: the largest entry's
};

} // namespace quorvel
