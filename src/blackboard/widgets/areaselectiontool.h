// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardpicture.h"

#include <QObject>
#include <QPoint>
#include <array>

class QLabel;
class QWidget;

namespace quorvel {

class LearningViewController;

// The area selection tool (19) over the learning view: a crosshair through
// the pointer, the selection from two corners with its four one-pixel edge
// panels (`BereichX1Pan`, `BereichY1Pan`, `BereichX2Pan`, `BereichY2Pan`)
// and the info panel `BereichInfoPan` above it, which drags the selection.
// The selection is kept in view picture pixels. Leaving the tool clears it.
class AreaSelectionTool : public QObject {
    Q_OBJECT
public:
    explicit AreaSelectionTool(LearningViewController& view);

    const AreaSelection& selection() const { return m_selection; }
    void setSelection(const AreaSelection& selection);
    void clear() { setSelection({}); }
    // `BereichBtn`: pressed while the tool is active it clears the selection;
    // then the tool is selected.
    void pressButton();

    QLabel* infoPanel() const { return m_info; }
    QWidget* edge(int index) const { return m_edges[size_t(index)]; }
    bool crosshairShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool active() const;
    QPoint toPicture(QPoint widgetPoint) const;
    void showCrosshair(QPoint widgetPoint);
    void hideCrosshair();
    void showSelection();

    LearningViewController& m_view;
    AreaSelection m_selection;
    std::array<QWidget*, 4> m_edges{};
    std::array<QWidget*, 2> m_cross{};
    QLabel* m_info;
    QPoint m_anchor;   // picture pixels of the press
    QPoint m_dragFrom; // global pixels where the info panel was pressed
    bool m_selecting = false;
    bool m_dragging = false;
};

} // namespace quorvel
