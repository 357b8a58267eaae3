// SPDX-License-Identifier: GPL-3.0-or-later
#include "uebungpan.h"

#include "answertext.h"
#include "cardcolumn.h"
#include "cardplacement.h"
#include "clusterlayout.h"
#include "document.h"
#include "messagepanel.h"
#include "rounding.h"
#include "uebelempan.h"
#include "viewcommands.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
const QColor kBarColour(0xE1, 0xE1, 0xD9);   // 0xD9E1E1
const QColor kRightColour(0x9B, 0xFF, 0x8F); // 0x8FFF9B
const QColor kWrongColour(0xFF, 0x96, 0x8F); // 0x8F96FF
const QColor kFieldColour(0xEE, 0xEE, 0xFF); // 0xFFEEEE
const QColor kHintColour(0x80, 0x80, 0x80);
constexpr int kBarWidth = 3;
constexpr int kTargetFrame = 4; // the frame stands this far outside the target
constexpr int kBasketInset = 7;
constexpr int kMessageTop = 100;
constexpr int kMessageHeight = 130;
constexpr int kMaxInput = 255;
constexpr char kHintProperty[] = "quorvelHint";
} // namespace

UebungPan::UebungPan(ExerciseRun& run, Document& document, const ViewLayouts& layouts,
                     QWidget* parent)
    : CardSurface(parent), m_run(run), m_document(document), m_composer(document, layouts),
      m_message(new MessagePanel(this)) {
    setObjectName(u"UebungPan"_s);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    m_message->setObjectName(u"RiFaPan"_s);
    m_message->hide();
}

UebungPan::~UebungPan() = default;

void UebungPan::describe() {
    m_description =
        describeCards(dokTypOf(m_document.header), m_run.session().settings.AbfrageModus);
}

bool UebungPan::dragsCards() const {
    return m_description.handling == CardDescription::Handling::Drag;
}

bool UebungPan::takesInput() const {
    return m_run.running() && !m_run.busy();
}

// --- building ----------------------------------------------------------------

void UebungPan::begin() {
    // The cards are made and shown while the panel is hidden: each card shown
    // in a visible panel makes Qt look for the widget under the mouse again,
    // which with thousands of cards takes long.
    const bool visible = isVisible();
    if (visible)
        hide();
    finish();
    describe();
    m_composer.clearCaches();
    makeCards();
    arrange();
    if (visible)
        show();
    focusSomething();
}

void UebungPan::finish() {
    dropEverything();
    m_active = nullptr;
    for (auto& card : m_cards)
        delete card.data();
    for (auto& card : m_objectCards)
        delete card.data();
    for (auto& [target, field] : m_fields)
        delete field;
    m_cards.clear();
    m_objectCards.clear();
    m_fields.clear();
    m_home.clear();
    m_waiting.clear();
    m_message->hide();
}

UebElemPan* UebungPan::makeCard(int object, int entry) {
    const ObjDataTyp& o = m_document.objects[size_t(object)];
    const CardLook look = cardLookOf(o);
    auto* card = new UebElemPan(object, entry, look, this);
    if (look == CardLook::Picture)
        card->setPicture(o.Bild);
    else if (look == CardLook::Button)
        card->setText(u"Weiter"_s);
    else if (look == CardLook::Text)
        card->setText(normalisedText(m_run.displayText(object)));
    const bool hand = m_description.handCursor || look == CardLook::Button;
    card->setCursor(hand ? Qt::PointingHandCursor : Qt::SizeAllCursor);
    card->resize(kCardWidth, cardHeightOf(o));
    connectCard(card);
    return card;
}

QLineEdit* UebungPan::makeField(int target) {
    auto* field = new QLineEdit(this);
    field->setObjectName(u"Eingabe"_s + QString::number(target));
    field->setMaxLength(kMaxInput);
    field->setFrame(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, kFieldColour);
    palette.setColor(QPalette::Text, Qt::blue);
    field->setPalette(palette);
    const ObjDataTyp& o = m_document.objects[size_t(target)];
    if (m_run.session().settings.AnzZeichenVorgeben) {
        field->setText(u"<"_s + QString::number(o.Cap.size()) + u">"_s);
        palette.setColor(QPalette::Text, kHintColour);
        field->setPalette(palette);
        field->setProperty(kHintProperty, true);
    }
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this,
            [this, target](const QString& text) { m_run.type(target, text); });
    m_fields.emplace_back(target, field);
    return field;
}

void UebungPan::makeCards() {
    const auto& order = m_run.session().AbfrageFolge;
    const auto& objects = m_document.objects;
    m_cards.assign(order.size(), nullptr);
    m_home.assign(order.size(), QPoint());
    m_waiting.assign(order.size(), false);
    if (m_description.handling == CardDescription::Handling::TextInput) {
        for (const QueryPair& pair : order) {
            if (pair.target >= 0 && isTextInputTyp(objects[size_t(pair.target)].Typ))
                makeField(pair.target);
        }
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        const CardLook look = cardLookOf(objects[i]);
        if ((look == CardLook::Button && m_description.buttonCards) ||
            (look == CardLook::TickBox && m_description.tickBoxCards))
            m_objectCards.emplace_back(makeCard(int(i), -1));
    }
    if (!m_description.entryCards)
        return;
    // Made from the last entry to the first, so that the first lies on top.
    for (size_t k = order.size(); k-- > 0;) {
        if (order[k].card < 0 || size_t(order[k].card) >= objects.size())
            continue;
        if (m_run.cardState(int(k)) == CardState::Removed && !m_description.matching)
            continue;
        m_cards[k] = makeCard(order[k].card, int(k));
    }
}

// --- geometry ----------------------------------------------------------------

QRect UebungPan::pictureRect() const {
    const QSize picture = m_composer.view().size();
    return QRect(QPoint((m_pictureWidth - picture.width()) / 2, (height() - picture.height()) / 2),
                 picture);
}

QRect UebungPan::pageToPanel(const PageRect& page) const {
    const QPoint origin = pictureRect().topLeft();
    const QPointF a = m_composer.pageToView(QPointF(page.left, page.top));
    const QPointF b = m_composer.pageToView(QPointF(page.right, page.bottom));
    return QRect(QPoint(rnd(a.x()), rnd(a.y())) + origin,
                 QPoint(rnd(b.x()) - 1, rnd(b.y()) - 1) + origin);
}

PageRect UebungPan::panelToPage(const QRect& panel) const {
    const QPoint origin = pictureRect().topLeft();
    const QPointF a = m_composer.viewToPage(QPointF(panel.topLeft() - origin));
    const QPointF b = m_composer.viewToPage(QPointF(panel.topLeft() - origin) +
                                            QPointF(panel.width(), panel.height()));
    PageRect r;
    r.left = a.x();
    r.top = a.y();
    r.right = b.x();
    r.bottom = b.y();
    return r;
}

QRect UebungPan::basketRect(int basket) const {
    const QSize pagePixels = m_composer.page().size();
    const QRect b = clusterBasketRect(m_document, pagePixels, basket);
    PageRect f;
    f.left = double(b.left()) / pagePixels.width();
    f.top = double(b.top()) / pagePixels.height();
    f.right = double(b.right() + 1) / pagePixels.width();
    f.bottom = double(b.bottom() + 1) / pagePixels.height();
    return pageToPanel(f);
}

QRect UebungPan::targetRect(int object) const {
    if (object < 0 || size_t(object) >= m_document.objects.size())
        return {};
    return pageToPanel(m_document.objects[size_t(object)].KartRect);
}

QPoint UebungPan::anchor(int object) const {
    const ObjDataTyp& o = m_document.objects[size_t(object)];
    const QPointF view = m_composer.pageToView(QPointF(o.Kx, o.Ky));
    return QPoint(rnd(view.x()), rnd(view.y())) + pictureRect().topLeft();
}

void UebungPan::arrange() {
    if (!m_run.running() && m_cards.empty() && m_objectCards.empty() && m_fields.empty())
        return;
    describe();
    const QSize panel = size();
    // The card column: stacks of the cards still there, in `AbfrageFolge` order.
    std::vector<int> heights;
    std::vector<size_t> stacked;
    if (m_description.placement == CardDescription::Placement::Stacks) {
        for (size_t k = 0; k < m_cards.size(); ++k) {
            if (m_cards[k]) {
                heights.push_back(m_cards[k]->height());
                stacked.push_back(k);
            }
        }
    }
    // With more cards than the stacks hold beside half the picture, the
    // later ones wait (hidden) until cards are used up.
    heights.resize(cardsInStacks(panel, heights));
    const std::vector<QRect> rects = stackCards(panel, heights);
    m_waiting.assign(m_cards.size(), false);
    for (size_t i = 0; i < stacked.size(); ++i) {
        if (i < rects.size())
            m_home[stacked[i]] = rects[i].topLeft();
        else
            m_waiting[stacked[i]] = true;
    }
    m_pictureWidth = pictureAreaWidth(panel, rects);
    compose();
    placeCards();
    const int left = m_pictureWidth + 5;
    m_message->setGeometry(left, kMessageTop, std::max(20, width() - 3 - left), kMessageHeight);
    update();
}

void UebungPan::compose() {
    ViewState& state = m_composer.state();
    state.zoomLevel = 0;
    state.exercise.running = m_run.running();
    state.exercise.openTarget = m_description.openTarget;
    state.exercise.currentTarget = m_run.currentTarget();
    if (m_run.currentQuestion() > 0)
        state.currentQuestion = m_run.currentQuestion();
    m_composer.setViewArea(QSize(std::max(1, m_pictureWidth), std::max(1, height())));
    m_composer.rebuild();
    paintBackground();
}

void UebungPan::paintBackground() {
    QImage& picture = background();
    picture = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.drawImage(pictureRect().topLeft(), m_composer.view());
    p.fillRect(QRect(m_pictureWidth, 0, kBarWidth, height()), kBarColour);
    QFont font(u"Arial"_s);
    font.setPointSize(10);
    p.setFont(font);
    p.setPen(Qt::black);
    const int left = m_pictureWidth + kBarWidth + 5;
    p.drawText(QRect(left, 4, std::max(1, width() - left - 2), height()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               instructionText(dokTypOf(m_document.header), m_run.session().settings.AbfrageModus));
}

void UebungPan::placeField(QLineEdit* field, int target) {
    const ObjDataTyp& o = m_document.objects[size_t(target)];
    const double w = m_composer.page().width();
    // A label's field writes at the label's height, a cloze gap's at the
    // height the cloze text around it settled on.
    const bool gap = typOf(o) == Typ::ClozeGap && m_document.clozeFontSize > 0;
    const int pixelHeight = gap ? m_document.clozeFontSize
                                : std::clamp(rnd((2.0 * o.Fsize + 22.0) * w / 870.0), 6, 400);
    QFont font(m_document.header.Schriftart);
    font.setPixelSize(pixelHeight);
    field->setFont(font);
    const QFontMetrics metrics(font);
    int width = std::max(metrics.horizontalAdvance(u" XX"_s),
                         metrics.horizontalAdvance(u" "_s + o.Cap.left(kMaxInput)));
    if (m_description.gapWidthFields || m_run.session().settings.AnzZeichenVorgeben)
        width = std::max(
            width,
            metrics.horizontalAdvance(
                u" "_s + QString(std::clamp(m_document.header.MinLuecke, 0, kMaxInput), u'X')));
    const QSize size(std::max(12, width - 2 + 8), metrics.height() + 6);
    QRect place;
    if (typOf(o) == Typ::ClozeGap) {
        const QRect gap = targetRect(target);
        place = QRect(gap.center().x() - size.width() / 2, gap.top(), size.width(), size.height());
    } else {
        place = inputFieldRect(anchor(target), size, givenCardSideOf(o), rnd(2.0 * w / 870.0));
    }
    field->setGeometry(place);
    field->show();
}

QRect UebungPan::slotRect(int slot) const {
    const PageRect& m = m_document.header.EinrueckRand;
    const QSize page = m_composer.page().size();
    const QSize usable(rnd(page.width() * (1.0 - m.left - m.right)),
                       rnd(page.height() * (1.0 - m.top - m.bottom)));
    const QPointF left =
        m_composer.pageToView(QPointF(m.left, m.top + (1.0 - m.top - m.bottom) * 0.415 / 0.64));
    const QPoint origin = QPoint(rnd(left.x()) + 4, rnd(left.y())) + pictureRect().topLeft();
    return questionSlotRect(slot, usable, origin);
}

void UebungPan::placeCards() {
    for (auto& [target, field] : m_fields)
        placeField(field, target);
    const int side = std::max(12, rnd(m_composer.view().width() * 34.0 / 870.0));
    for (auto& card : m_objectCards) {
        if (card)
            placeObjectCard(*card, side);
    }
    for (size_t k = 0; k < m_cards.size(); ++k) {
        if (m_cards[k])
            placeEntryCard(*m_cards[k], k);
    }
    syncCards();
    focusSomething();
}

void UebungPan::placeObjectCard(UebElemPan& card, int side) {
    const int object = card.object();
    if (m_description.handling == CardDescription::Handling::TextInput) {
        card.setGeometry(width() - 1 - kCardWidth, height() - 1 - kCardHeight, kCardWidth,
                         kCardHeight);
    } else if (card.look() == CardLook::TickBox) {
        // The run has moved the box and its answer to their place together.
        card.setGeometry(tickBoxRect(anchor(object), side));
    } else { // the "Weiter" button of a question
        const QPoint a = anchor(object);
        const int w = std::max(side * 3, card.fontMetrics().horizontalAdvance(u"Weiter"_s) + 40);
        card.setGeometry(a.x() + 10, a.y(), w, side);
    }
}

void UebungPan::placeEntryCard(UebElemPan& card, size_t entry) {
    using P = CardDescription::Placement;
    switch (m_description.placement) {
    case P::QuestionSlots:
        if (const int slot = m_run.answerSlot(int(entry)); slot >= 0)
            card.setGeometry(slotRect(slot));
        break;
    case P::MatchingSquares: {
        const ObjDataTyp& o = m_document.objects[size_t(card.object())];
        QPoint a = anchor(card.object());
        if (cardSideOf(o) == CardSide::Centred)
            a.rx() -= rnd(0.5 * o.KartBreite * m_composer.page().width());
        card.setGeometry(matchingSquare(a, entry % 2 == 0));
        break;
    }
    case P::SingleCard:
        card.move(singleCardRect(size(), card.height()).topLeft());
        break;
    case P::Stacks:
        if (!m_waiting[entry])
            card.move(m_home[entry]);
        break;
    }
}

void UebungPan::syncCards() {
    const auto& objects = m_document.objects;
    bool removed = false;
    for (size_t k = 0; k < m_cards.size(); ++k) {
        UebElemPan* card = m_cards[k];
        if (!card)
            continue;
        CardState state = m_run.cardState(int(k));
        if (m_description.matching)
            state = objects[size_t(card->object())].AbfrageStatus == AbfrageStatus::MatchingElement
                        ? CardState::Shown
                        : CardState::Hidden;
        if (state == CardState::Removed) {
            card->hide();
            card->deleteLater();
            m_cards[k] = nullptr;
            removed = true;
            continue;
        }
        // A card coming into the single place, or a new question's answers
        // taking their slots.
        const bool comes =
            m_description.placement == CardDescription::Placement::SingleCard && card->isHidden();
        if (state == CardState::Shown &&
            (comes || m_description.placement == CardDescription::Placement::QuestionSlots))
            placeEntryCard(*card, k);
        card->setVisible(state == CardState::Shown && !m_waiting[k]);
    }
    for (auto& card : m_objectCards) {
        if (!card)
            continue;
        const ObjDataTyp& o = objects[size_t(card->object())];
        bool shown = m_run.running();
        if (m_description.cardsPerQuestion)
            shown = shown && o.FrageNummer == m_run.currentQuestion();
        card->setVisible(shown);
        if (card->look() == CardLook::TickBox)
            card->setTicked(m_run.ticked(card->object()));
    }
    for (auto& [target, field] : m_fields)
        field->setVisible(true);
    syncSelection();
    // Used cards make room for waiting ones: the stacks are laid anew.
    if (removed && std::find(m_waiting.begin(), m_waiting.end(), true) != m_waiting.end())
        arrange();
}

void UebungPan::syncSelection() {
    if (!m_description.matching)
        return;
    const UebungsSitzung& s = m_run.session();
    for (auto& card : m_cards) {
        if (card)
            card->setSelected(card->object() == s.Zweitobjekt || card->object() == s.Zielobjekt);
    }
}

// --- events ------------------------------------------------------------------

void UebungPan::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

int UebungPan::pointAt(QPoint panelPoint) const {
    if (!pictureRect().contains(panelPoint))
        return -1;
    const QPointF page = m_composer.viewToPage(QPointF(panelPoint - pictureRect().topLeft()));
    const int hit = hitObject(m_document, {true, true, true, true}, m_run.currentQuestion(), page);
    if (hit < 0 || clickEffect(typOf(m_document.objects[size_t(hit)])) != ClickEffect::OpenPoint)
        return -1;
    return hit;
}

void UebungPan::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_run.running() || m_run.busy())
        return;
    const int point = pointAt(event->position().toPoint());
    if (point >= 0)
        m_run.click(point);
}

void UebungPan::mouseMoveEvent(QMouseEvent* event) {
    setCursor(pointAt(event->position().toPoint()) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void UebungPan::redrawObject(int index) {
    const QRect changed = m_composer.redrawObject(index);
    if (!changed.isEmpty())
        replaceBackground(changed.translated(pictureRect().topLeft()), m_composer.view(),
                          changed.topLeft());
}

// --- the card surface's questions ----------------------------------------------

CardSurface::Aim UebungPan::targetFrame(int target) const {
    if (target < 0)
        return {};
    if (m_description.baskets)
        return {target, basketRect(target).adjusted(kBasketInset, kBasketInset, -kBasketInset,
                                                    -kBasketInset)};
    return {target,
            targetRect(target).adjusted(-kTargetFrame, -kTargetFrame, kTargetFrame, kTargetFrame)};
}

CardSurface::Aim UebungPan::aimAt(const SurfaceCard& card) const {
    const QRect r = card.geometry();
    if (!m_description.baskets)
        return targetFrame(m_run.targetUnder(panelToPage(r)));
    const QPointF page = m_composer.viewToPage(QPointF(r.center() - pictureRect().topLeft()));
    const QSize pagePixels = m_composer.page().size();
    const int basket = clusterBasketAt(
        m_document, pagePixels,
        QPoint(rnd(page.x() * pagePixels.width()), rnd(page.y() * pagePixels.height())));
    return targetFrame(basket > 0 ? basket : -1);
}

std::vector<int> UebungPan::carryStops() const {
    if (!m_description.baskets)
        return m_run.targetCandidates();
    std::vector<int> baskets;
    for (int b = 1; b <= clusterBasketCount(m_document); ++b)
        baskets.push_back(b);
    return baskets;
}

CardSurface::Aim UebungPan::carryTo(SurfaceCard& card, int stop) {
    if (m_description.baskets) {
        card.move(basketRect(stop).center() - QPoint(card.width() / 2, card.height() / 2));
        return aimAt(card);
    }
    // The middle of the card's left edge on the middle of the target. The
    // target is the one stepped to, also where targets overlap and the search
    // by position would find another first.
    card.move(targetRect(stop).center() - QPoint(0, card.height() / 2));
    return targetFrame(stop);
}

void UebungPan::dropped(SurfaceCard& card, int target, double pixels) {
    auto* elem = qobject_cast<UebElemPan*>(&card);
    if (!elem)
        return;
    m_active = elem;
    if (m_description.baskets)
        m_run.dropInBasket(elem->object(), target, pixels);
    else
        m_run.drop(elem->object(), target, pixels);
    if (!m_run.busy())
        m_active = nullptr; // else the evaluation's pauses still show it
}

void UebungPan::cardClicked(SurfaceCard& card) {
    auto* elem = qobject_cast<UebElemPan*>(&card);
    if (!elem)
        return;
    m_active = elem;
    switch (elem->look()) {
    case CardLook::TickBox:
        m_run.tick(elem->object());
        elem->setTicked(m_run.ticked(elem->object()));
        break;
    case CardLook::Button:
        m_run.confirm();
        break;
    default:
        m_run.click(elem->object());
        syncSelection();
        break;
    }
    if (!m_run.busy())
        m_active = nullptr; // else the evaluation's pauses still show it
    focusSomething();
}

QWidget* UebungPan::firstFocus() const {
    // Text input starts in its first field.
    for (const auto& [target, field] : m_fields) {
        if (field->isVisible())
            return field;
    }
    return nullptr;
}

bool UebungPan::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && field->property(kHintProperty).toBool()) {
            // The first key clears the "<n>" hint and turns the text blue.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty() && key->text().front().isPrint()) {
                field->setProperty(kHintProperty, false);
                field->clear();
                QPalette palette = field->palette();
                palette.setColor(QPalette::Text, Qt::blue);
                field->setPalette(palette);
            }
        }
        if (field) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                !field->property(kHintProperty).toBool()) {
                focusNextChild();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- the run's reports ---------------------------------------------------------

void UebungPan::colourFields() {
    for (auto& [target, field] : m_fields) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, m_document.objects[size_t(target)].ZielFehlversuche > 0
                                             ? kWrongColour
                                             : kRightColour);
        field->setPalette(palette);
        field->setReadOnly(true);
    }
}

void UebungPan::handle(const ExerciseEvent& event) {
    using K = ExerciseEvent::Kind;
    switch (event.kind) {
    case K::Feedback:
        if (!event.text.isEmpty())
            m_message->showMessage(event.text, event.right ? QColor(0x00, 0x80, 0x00)
                                                           : QColor(0xFF, 0x00, 0x00));
        if (m_active)
            m_active->setFeedbackColour(event.right ? kRightColour : kWrongColour);
        if (m_description.handling == CardDescription::Handling::TextInput)
            colourFields();
        syncSelection();
        Q_EMIT soundRequested(event.right);
        repaint();
        break;
    case K::FeedbackHidden:
        endGlide();
        m_message->hide();
        if (m_active)
            m_active->setFeedbackColour(QColor());
        break;
    case K::Glide:
        glide(m_active, dragStart(), event.ms);
        break;
    case K::ObjectChanged:
        if (m_description.matching) {
            // A connection line came: the whole page is drawn again.
            m_composer.rebuild();
            paintBackground();
            update();
        } else {
            redrawObject(event.object);
        }
        break;
    case K::CardsChanged:
        syncCards();
        break;
    case K::QueryPresented:
        compose();
        placeCards();
        update();
        break;
    case K::StatusChanged:
        Q_EMIT statusChanged();
        break;
    case K::Evaluated:
        m_active = nullptr;
        break;
    default:
        break;
    }
}

UebElemPan* UebungPan::card(int entry) const {
    return entry >= 0 && size_t(entry) < m_cards.size() ? m_cards[size_t(entry)].data() : nullptr;
}

UebElemPan* UebungPan::cardOfObject(int object) const {
    for (const auto& card : m_objectCards) {
        if (card && card->object() == object)
            return card;
    }
    for (const auto& card : m_cards) {
        if (card && card->object() == object)
            return card;
    }
    return nullptr;
}

QLineEdit* UebungPan::inputField(int target) const {
    for (const auto& [t, field] : m_fields) {
        if (t == target)
            return field;
    }
    return nullptr;
}

} // namespace quorvel
