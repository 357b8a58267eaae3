// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciserun.h"
#include "viewcomposer.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class QLineEdit;

namespace quorvel {

class MessagePanel;
class UebElemPan;

// The exercise panel (`UebungPan`): the composed page beside the card
// column with its bar and instruction, the cards, tick boxes, click
// squares and input fields of the run, the highlight of the target under a
// dragged card and the right/wrong message. It holds no rule: every drop,
// click, tick and typed text goes to the run, and the panel shows what the
// run reports (handle()). It composes the page with a composer of its own.
//
// The mouse and the keyboard do the same: a card is picked up by pressing
// it or by Space/Enter, moved by the mouse or from target to target by the
// arrow keys and Tab, and released by the mouse button or Enter; Escape
// puts a carried card back.
class UebungPan : public QWidget {
    Q_OBJECT
public:
    // `run`, `document` and `layouts` must outlive the panel.
    UebungPan(ExerciseRun& run, Document& document, const ViewLayouts& layouts,
              QWidget* parent = nullptr);
    ~UebungPan() override;

    // Makes the cards of the run just started and shows them.
    void begin();
    // Removes every card and field (the run is over).
    void finish();
    // What the run reports while it runs.
    void handle(const ExerciseEvent& event);

    ViewComposer& composer() { return m_composer; }
    // The width of the picture area left of the card column.
    int pictureWidth() const { return m_pictureWidth; }
    // Where the composed view picture stands in the panel.
    QRect pictureRect() const;
    UebElemPan* card(int entry) const;
    // The card standing for object `object` (tick boxes, elements, buttons).
    UebElemPan* cardOfObject(int object) const;
    QLineEdit* inputField(int target) const;
    MessagePanel* messagePanel() const { return m_message; }
    // The frame of the target under a dragged card, in panel pixels; empty
    // when there is none.
    QRect highlight() const { return m_highlight; }
    // The target (object, or basket of a cluster card) under the dragged or
    // carried card, -1 none; whether the keyboard carries a card.
    int target() const { return m_target; }
    bool carrying() const { return m_carried; }
    // A page rectangle (fractions) in panel pixels and back.
    QRect pageToPanel(const PageRect& page) const;
    PageRect panelToPage(const QRect& panel) const;
    // The rectangle of the card of object `object` on the page, in panel
    // pixels (its target area).
    QRect targetRect(int object) const;
    // Cluster basket `basket` (from 1) in panel pixels.
    QRect basketRect(int basket) const;
    // The pixels the panel repainted since the count was reset (for
    // measurements; its cards paint themselves).
    qint64 repaintedPixels() const { return m_repaintedPixels; }
    void resetRepainted() { m_repaintedPixels = 0; }

    // Dragging by program, as the mouse would: press at `point` on `card`,
    // move there, release. The widget tests use the real mouse events.
    void pressCard(UebElemPan* card, QPoint panelPoint);
    void dragCard(QPoint panelPoint);
    void releaseCard();

Q_SIGNALS:
    // The feedback sound of an answer.
    void soundRequested(bool right);
    void statusChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Points and links on the picture: the run says whether they open now.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab and Shift+Tab go round what can be worked on in the panel, in
    // reading order, and never leave it while the exercise runs.
    bool focusNextPrevChild(bool next) override;
    // What Tab may stop at, in reading order: the visible widgets of the
    // panel that take the focus. Of these it stops only at those in sight,
    // not at the lower cards of a stack.
    std::vector<QWidget*> focusCandidates() const;
    bool inSight(const QWidget* child) const;

private:
    const Document& document() const { return m_document; }
    void arrange();
    void compose();
    void paintBackground();
    void makeCards();
    UebElemPan* makeCard(int object, int entry);
    void connectCard(UebElemPan* card);
    QLineEdit* makeField(int target);
    void placeCards();
    QRect slotRect(int slot) const;
    void placeField(QLineEdit* field, int target);
    void syncCards();
    void syncSelection();
    void colourFields();
    QPoint anchor(int object) const;
    int cardHeight(int object) const;
    void redrawObject(int index);
    void setHighlight(const QRect& frame);
    void findTarget(UebElemPan* card);
    void clicked(UebElemPan* card);
    void activated(UebElemPan* card);
    void pickUp(UebElemPan* card);
    void step(int direction);
    void putBack();
    void glide(int ms);
    void glideStep();
    void endGlide();
    void focusSomething();
    int pointAt(QPoint panelPoint) const;
    bool dragLook() const;
    bool textInput() const;

    ExerciseRun& m_run;
    Document& m_document;
    ViewComposer m_composer;
    QImage m_background;
    int m_pictureWidth = 0;
    QRect m_highlight;
    qint64 m_repaintedPixels = 0;
    MessagePanel* m_message;
    std::vector<QPointer<UebElemPan>> m_cards;        // per entry of AbfrageFolge
    std::vector<QPointer<UebElemPan>> m_objectCards;  // tick boxes, buttons, elements
    std::vector<std::pair<int, QLineEdit*>> m_fields; // target, field
    std::vector<QPoint> m_home;  // per entry: where the card stands when at rest
    std::vector<bool> m_waiting; // per entry: no room in the stacks yet

    // The card being dragged or carried, and what it is over.
    QPointer<UebElemPan> m_drag;
    QPointer<UebElemPan> m_active; // the card of the answer being judged
    QPoint m_dragStart;
    QPoint m_grab;
    int m_target = -1; // object, or basket for cluster cards
    bool m_carried = false;
    std::vector<int> m_steps; // keyboard: the targets, or baskets
    int m_stepIndex = -1;

    QTimer m_glideTimer;
    QElapsedTimer m_glideClock;
    QPoint m_glideFrom;
    QPoint m_glideTo;
    int m_glideMs = 0;
    QPointer<UebElemPan> m_glideCard;
};

} // namespace quorvel
