// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace quorvel {

class SurfaceCard;

// A surface on which cards lie over a background picture: the layer that
// drags cards with the mouse, carries them from stop to stop by keyboard,
// glides them back, frames the target under a card and takes Tab round the
// cards in reading order. What a target is and what a drop or a click
// means is the subclass's: it answers the hooks below.
//
// The mouse and the keyboard do the same: a card is picked up by pressing
// it or by Space/Enter, moved by the mouse or from stop to stop by the
// arrow keys and Tab, and released by the mouse button or Enter; Escape
// puts a carried card back.
class CardSurface : public QWidget {
    Q_OBJECT
public:
    explicit CardSurface(QWidget* parent = nullptr);
    ~CardSurface() override;

    // The frame of the target under a dragged card, in surface pixels; empty
    // when there is none.
    QRect highlight() const { return m_highlight; }
    // The target under the dragged or carried card, -1 none; whether the
    // keyboard carries a card.
    int target() const { return m_target; }
    bool carrying() const { return m_carried; }
    // The pixels the surface repainted since the count was reset (for
    // measurements; its cards paint themselves).
    qint64 repaintedPixels() const { return m_repaintedPixels; }
    void resetRepainted() { m_repaintedPixels = 0; }

    // Dragging by program, as the mouse would: press at `point` on `card`,
    // move there, release. The widget tests use the real mouse events.
    void pressCard(SurfaceCard* card, QPoint surfacePoint);
    void dragCard(QPoint surfacePoint);
    void releaseCard();

protected:
    // A target found for a card, and the frame that shows it.
    struct Aim {
        int target = -1;
        QRect frame;
    };

    // Whether cards are dragged at all (else a press is a click).
    virtual bool dragsCards() const = 0;
    // Whether the user may act now (an evaluation may be under way).
    virtual bool takesInput() const = 0;
    // The target under `card` where it lies now.
    virtual Aim aimAt(const SurfaceCard& card) const = 0;
    // The stops the keyboard carries a card to, in order.
    virtual std::vector<int> carryStops() const = 0;
    // Moves `card` to stop `stop` and says what it is over.
    virtual Aim carryTo(SurfaceCard& card, int stop) = 0;
    // `card` was released over `target`, `pixels` away from where it started.
    virtual void dropped(SurfaceCard& card, int target, double pixels) = 0;
    // A card that is not dragged was clicked or activated by the keyboard.
    virtual void cardClicked(SurfaceCard& card) = 0;

    // Makes the surface handle `card`'s mouse and key reports.
    void connectCard(SurfaceCard* card);
    // Forgets the dragged and gliding cards and the target frame.
    void dropEverything();
    // Where the dragged or carried card started.
    QPoint dragStart() const { return m_dragStart; }
    // Moves `card` from where it is to `to` in `ms` milliseconds.
    void glide(SurfaceCard* card, QPoint to, int ms);
    void endGlide();

    // The background, drawn under the cards and the target frame.
    QImage& background() { return m_background; }
    // Redraws `rect` of the background from `source` at `from`.
    void replaceBackground(const QRect& rect, const QImage& source, QPoint from);

    // Gives the focus to firstFocus(), else to the first card in sight,
    // unless the focus is on one already.
    void focusSomething();
    // Where the focus goes first (input fields before cards); null: the
    // first card in sight.
    virtual QWidget* firstFocus() const { return nullptr; }
    // What Tab may stop at, in reading order: the visible widgets of the
    // surface that take the focus. Of these it stops only at those in
    // sight, not at the lower cards of a stack.
    std::vector<QWidget*> focusCandidates() const;
    bool inSight(const QWidget* child) const;

    void paintEvent(QPaintEvent* event) override;
    // Tab and Shift+Tab go round what can be worked on, in reading order,
    // and never leave the surface.
    bool focusNextPrevChild(bool next) override;

private:
    void setHighlight(const QRect& frame);
    void showAim(const Aim& aim);
    void activated(SurfaceCard* card);
    void clicked(SurfaceCard* card);
    void pickUp(SurfaceCard* card);
    void step(int direction);
    void putBack();
    void glideStep();

    QImage m_background;
    QRect m_highlight;
    qint64 m_repaintedPixels = 0;

    // The card being dragged or carried, and what it is over.
    QPointer<SurfaceCard> m_drag;
    QPoint m_dragStart;
    QPoint m_grab;
    int m_target = -1;
    bool m_carried = false;
    std::vector<int> m_steps; // keyboard: the stops
    int m_stepIndex = -1;

    QTimer m_glideTimer;
    QElapsedTimer m_glideClock;
    QPoint m_glideFrom;
    QPoint m_glideTo;
    int m_glideMs = 0;
    QPointer<SurfaceCard> m_glideCard;
};

} // namespace quorvel
