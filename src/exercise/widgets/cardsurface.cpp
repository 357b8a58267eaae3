// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardsurface.h"

#include "rounding.h"
#include "surfacecard.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {
const QColor kFrameColour(0x00, 0x40, 0xFF);
constexpr int kGlideTickMs = 5;
} // namespace

CardSurface::CardSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_glideTimer.setInterval(kGlideTickMs);
    connect(&m_glideTimer, &QTimer::timeout, this, &CardSurface::glideStep);
}

CardSurface::~CardSurface() = default;

void CardSurface::connectCard(SurfaceCard* card) {
    connect(card, &SurfaceCard::pressed, this, [this, card](QPoint at) { pressCard(card, at); });
    connect(card, &SurfaceCard::dragged, this, [this](QPoint at) { dragCard(at); });
    connect(card, &SurfaceCard::released, this, [this] { releaseCard(); });
    connect(card, &SurfaceCard::clicked, this, [this, card] { clicked(card); });
    connect(card, &SurfaceCard::activated, this, [this, card] { activated(card); });
    connect(card, &SurfaceCard::stepRequested, this, &CardSurface::step);
    connect(card, &SurfaceCard::escapeRequested, this, &CardSurface::putBack);
}

void CardSurface::dropEverything() {
    endGlide();
    if (m_drag)
        m_drag->setCarried(false);
    m_drag = nullptr;
    m_carried = false;
    m_target = -1;
    setHighlight({});
}

// --- painting ----------------------------------------------------------------

void CardSurface::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    for (const QRect& r : event->region()) {
        m_repaintedPixels += qint64(r.width()) * r.height();
        p.drawImage(r, m_background, r);
    }
    if (!m_highlight.isEmpty()) {
        p.setPen(QPen(kFrameColour, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(m_highlight);
    }
}

void CardSurface::replaceBackground(const QRect& rect, const QImage& source, QPoint from) {
    QPainter p(&m_background);
    p.drawImage(rect.topLeft(), source, QRect(from, rect.size()));
    p.end();
    update(rect);
}

void CardSurface::setHighlight(const QRect& frame) {
    if (frame == m_highlight)
        return;
    // Only the old and the new frame are repainted.
    if (!m_highlight.isEmpty())
        update(m_highlight.adjusted(-2, -2, 2, 2));
    m_highlight = frame;
    if (!m_highlight.isEmpty())
        update(m_highlight.adjusted(-2, -2, 2, 2));
}

void CardSurface::showAim(const Aim& aim) {
    m_target = aim.target;
    setHighlight(aim.target >= 0 ? aim.frame : QRect());
}

// --- dragging ----------------------------------------------------------------

void CardSurface::pressCard(SurfaceCard* card, QPoint surfacePoint) {
    if (!dragsCards() || !takesInput() || !card || m_carried)
        return;
    m_drag = card;
    m_dragStart = card->pos();
    m_grab = surfacePoint - card->pos();
    card->raise();
}

void CardSurface::dragCard(QPoint surfacePoint) {
    if (!m_drag || m_carried)
        return;
    // The card stays wholly inside the surface.
    QPoint at = surfacePoint - m_grab;
    at.setX(std::clamp(at.x(), 0, std::max(0, width() - m_drag->width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, height() - m_drag->height())));
    m_drag->move(at);
    showAim(aimAt(*m_drag));
}

void CardSurface::releaseCard() {
    SurfaceCard* card = m_drag;
    if (!card)
        return;
    m_drag = nullptr;
    const bool wasCarried = m_carried;
    m_carried = false;
    card->setCarried(false);
    const int target = m_target;
    m_target = -1;
    setHighlight({});
    if (target < 0) {
        if (wasCarried)
            card->move(m_dragStart); // nothing chosen: the keyboard puts it back
        return;                      // the mouse leaves it where it was dropped
    }
    const QPoint way = card->pos() - m_dragStart;
    dropped(*card, target, std::hypot(double(way.x()), double(way.y())));
    if (wasCarried)
        focusSomething();
}

// --- clicks and keys ---------------------------------------------------------

void CardSurface::clicked(SurfaceCard* card) {
    if (!dragsCards() && takesInput())
        cardClicked(*card);
}

void CardSurface::activated(SurfaceCard* card) {
    if (!dragsCards()) {
        clicked(card);
        return;
    }
    if (m_carried && m_drag == card)
        releaseCard();
    else if (!m_carried)
        pickUp(card);
}

void CardSurface::pickUp(SurfaceCard* card) {
    if (!takesInput())
        return;
    m_steps = carryStops();
    if (m_steps.empty())
        return;
    m_drag = card;
    m_carried = true;
    m_dragStart = card->pos();
    card->setCarried(true);
    card->raise();
    m_stepIndex = -1;
    step(1);
}

void CardSurface::step(int direction) {
    if (!m_carried || !m_drag || m_steps.empty())
        return;
    const int n = int(m_steps.size());
    m_stepIndex = ((m_stepIndex + direction) % n + n) % n;
    showAim(carryTo(*m_drag, m_steps[size_t(m_stepIndex)]));
}

void CardSurface::putBack() {
    if (!m_carried || !m_drag)
        return;
    m_drag->setCarried(false);
    m_drag->move(m_dragStart);
    m_drag = nullptr;
    m_carried = false;
    m_target = -1;
    setHighlight({});
}

// --- gliding -----------------------------------------------------------------

void CardSurface::glide(SurfaceCard* card, QPoint to, int ms) {
    if (!card)
        return;
    endGlide();
    m_glideCard = card;
    m_glideFrom = card->pos();
    m_glideTo = to;
    m_glideMs = ms;
    if (ms <= 0) {
        endGlide();
        return;
    }
    m_glideClock.start();
    m_glideTimer.start();
}

void CardSurface::glideStep() {
    if (!m_glideCard) {
        m_glideTimer.stop();
        return;
    }
    const double t = std::min(1.0, double(m_glideClock.elapsed()) / std::max(1, m_glideMs));
    const QPoint offset = m_glideTo - m_glideFrom;
    m_glideCard->move(m_glideFrom + QPoint(rnd(t * offset.x()), rnd(t * offset.y())));
    if (t >= 1.0)
        endGlide();
}

void CardSurface::endGlide() {
    m_glideTimer.stop();
    if (m_glideCard)
        m_glideCard->move(m_glideTo);
    m_glideCard = nullptr;
}

// --- the focus -----------------------------------------------------------------

std::vector<QWidget*> CardSurface::focusCandidates() const {
    std::vector<QWidget*> candidates;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus))
            candidates.push_back(child);
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const QWidget* a, const QWidget* b) {
        const QPoint p = a->pos();
        const QPoint q = b->pos();
        return p.y() != q.y() ? p.y() < q.y() : p.x() < q.x();
    });
    return candidates;
}

bool CardSurface::inSight(const QWidget* child) const {
    return childAt(child->geometry().center()) == child;
}

void CardSurface::focusSomething() {
    // The focus stays where it is unless it went out of sight (a card
    // answered, or stacked under others after the cards were placed again).
    QWidget* focus = focusWidget();
    if (focus && focus->isVisible() && isAncestorOf(focus) && inSight(focus))
        return;
    if (QWidget* first = firstFocus()) {
        first->setFocus(Qt::TabFocusReason);
        return;
    }
    // Whether a widget is in sight is only asked until one is found: with
    // thousands of cards, asking it of every one would take long.
    for (QWidget* candidate : focusCandidates()) {
        if (inSight(candidate)) {
            candidate->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool CardSurface::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> candidates = focusCandidates();
    const int n = int(candidates.size());
    const auto at = std::find(candidates.begin(), candidates.end(), focusWidget());
    int index = at == candidates.end() ? (next ? -1 : n) : int(at - candidates.begin());
    for (int tried = 0; tried < n; ++tried) {
        index = ((index + (next ? 1 : -1)) % n + n) % n;
        QWidget* candidate = candidates[size_t(index)];
        if (inSight(candidate)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return n > 0 || QWidget::focusNextPrevChild(next);
}

} // namespace quorvel
