// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QHBoxLayout;
class QScrollArea;

namespace quorvel {

class Document;
class LearningViewWidget;
class ViewLayouts;
class ToolBar;

// The learning view as the main window shows it: the view and its tool bar
// side by side. The bar scrolls rather than dictate the window's smallest
// height; it stands on the right or the left (`Opt-WerkzeugPos`).
class LearningViewPanel : public QWidget {
    Q_OBJECT
public:
    // `document` and `layouts` must outlive the panel.
    LearningViewPanel(Document& document, const ViewLayouts& layouts, QWidget* parent = nullptr);

    LearningViewWidget& view() const { return *m_view; }
    ToolBar& toolBar() const { return *m_toolBar; }

    // The side of the tool bar: 1 left, any other value right.
    void setSide(int werkzeugPos);
    bool toolBarOnLeft() const;
    // Adds a part of another subsystem below the tool bar's own buttons.
    void addToolBarSection(QWidget* section);
    // Folds the tool bar to its narrow form or unfolds it.
    void toggleCollapsed();

private:
    void fitToolBarWidth();

    LearningViewWidget* m_view;
    ToolBar* m_toolBar;
    QScrollArea* m_toolBarArea;
    QHBoxLayout* m_row;
};

} // namespace quorvel
