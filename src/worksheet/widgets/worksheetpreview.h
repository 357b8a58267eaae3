// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheetpage.h"

#include <QImage>
#include <QPoint>
#include <QScrollArea>

namespace quorvel {

// The preview of a sheet: the page drawn into a bitmap and shown on a panel
// of the page's aspect ratio (1600 : 2600, or 2600 : 1600 in landscape) as
// wide as the view, with a 40-pixel border. The mouse wheel and dragging
// with the left button scroll it.
class WorksheetPreview : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kBorder = 40;

    explicit WorksheetPreview(QWidget* parent = nullptr);

    void setPage(const WorksheetPage& page);
    // The panel's size for the view's width; the bitmap that is shown.
    QSize panelSize() const;
    const QImage& bitmap() const { return m_bitmap; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutPanel();
    void paintPanel();

    WorksheetPage m_page;
    QWidget* m_panel;
    QImage m_bitmap;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_scrollStart;
};

} // namespace quorvel
