// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewcomposer.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>

class QLabel;

namespace quorvel {

class Document;

// The learning view: shows the view picture that the composer makes of the
// open document, centred in the widget, and composes it anew whenever the
// widget changes size. It owns the composer and with it the working pictures.
// Commands that change what is shown call rebuild(), redrawObjects()
// or redrawObject(); the widget repaints what changed.
class LearningViewWidget : public QWidget {
    Q_OBJECT
public:
    // `document` and `layouts` must outlive the widget.
    LearningViewWidget(Document& document, const ViewLayouts& layouts, QWidget* parent = nullptr);
    ~LearningViewWidget() override;

    ViewComposer& composer() { return *m_composer; }
    const ViewComposer& composer() const { return *m_composer; }

    // Recompose (everything), redraw the objects, or redraw a single object.
    void rebuild();
    void redrawObjects();
    void redrawObject(int index);
    // After the section moved or the view picture was drawn on.
    void viewChanged();

    // Where the view picture stands in the widget.
    QRect pictureRect() const;
    // A widget point to the page point under it (fractions, clamped).
    QPointF widgetToPage(QPoint point) const;

    // The start panel: its text (CR LF line breaks) and whether it is shown.
    // A recomposition hides it once a document is there.
    void setStartText(const QString& text);
    void setStartPanelVisible(bool visible);
    QLabel* startPanel() const { return m_startPanel; }

Q_SIGNALS:
    // Emitted once, after the first paint.
    void firstPainted();
    // After every recomposition.
    void rebuilt();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<ViewComposer> m_composer;
    QLabel* m_startPanel;
    QTimer m_sizeTimer; // gathers the resize events of one drag into one composition
    bool m_painted = false;
};

} // namespace quorvel
