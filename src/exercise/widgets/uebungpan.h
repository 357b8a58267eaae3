// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddescription.h"
#include "cardsurface.h"
#include "exerciserun.h"
#include "viewcomposer.h"

#include <QPointer>
#include <memory>
#include <vector>

class QLineEdit;

namespace quorvel {

class MessagePanel;
class UebElemPan;

// The exercise panel (`UebungPan`): the composed page beside the card
// column with its bar and instruction, the cards, tick boxes, click
// squares and input fields of the run, and the right/wrong message, on a
// card surface (dragging, carrying by keyboard, gliding, target frame). It
// holds no rule: every drop, click, tick and typed text goes to the run,
// and the panel shows what the run reports (handle()). How the cards of the
// document's type look and play comes from its card description. It
// composes the page with a composer of its own.
class UebungPan : public CardSurface {
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
    // A page rectangle (fractions) in panel pixels and back.
    QRect pageToPanel(const PageRect& page) const;
    PageRect panelToPage(const QRect& panel) const;
    // The rectangle of the card of object `object` on the page, in panel
    // pixels (its target area).
    QRect targetRect(int object) const;
    // Cluster basket `basket` (from 1) in panel pixels.
    QRect basketRect(int basket) const;

Q_SIGNALS:
    // The feedback sound of an answer.
    void soundRequested(bool right);
    void statusChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Points and links on the picture: the run says whether they open now.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The card surface's questions.
    bool dragsCards() const override;
    bool takesInput() const override;
    Aim aimAt(const SurfaceCard& card) const override;
    std::vector<int> carryStops() const override;
    Aim carryTo(SurfaceCard& card, int stop) override;
    void dropped(SurfaceCard& card, int target, double pixels) override;
    void cardClicked(SurfaceCard& card) override;
    QWidget* firstFocus() const override;

private:
    void describe();
    void arrange();
    void compose();
    void paintBackground();
    void makeCards();
    UebElemPan* makeCard(int object, int entry);
    QLineEdit* makeField(int target);
    void placeCards();
    void placeObjectCard(UebElemPan& card, int side);
    void placeEntryCard(UebElemPan& card, size_t entry);
    QRect slotRect(int slot) const;
    void placeField(QLineEdit* field, int target);
    void syncCards();
    void syncSelection();
    void colourFields();
    QPoint anchor(int object) const;
    void redrawObject(int index);
    Aim targetFrame(int target) const;
    int pointAt(QPoint panelPoint) const;

    ExerciseRun& m_run;
    Document& m_document;
    ViewComposer m_composer;
    CardDescription m_description; // how the run's cards look and play
    int m_pictureWidth = 0;
    MessagePanel* m_message;
    std::vector<QPointer<UebElemPan>> m_cards;        // per entry of AbfrageFolge
    std::vector<QPointer<UebElemPan>> m_objectCards;  // tick boxes, buttons, elements
    std::vector<std::pair<int, QLineEdit*>> m_fields; // target, field
    std::vector<QPoint> m_home;    // per entry: where the card stands when at rest
    std::vector<bool> m_waiting;   // per entry: no room in the stacks yet
    QPointer<UebElemPan> m_active; // the card of the answer being judged
};

} // namespace quorvel
