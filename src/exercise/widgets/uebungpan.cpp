// SPDX-License-Identifier: GPL-3.0-or-later
#include "uebungpan.h"

#include "answertext.h"
#include "cardcolumn.h"
#include "cardplacement.h"
#include "clusterlayout.h"
#include "document.h"
#include "messagepanel.h"
#include "rounding.h"
#include "runrules.h"
#include "uebelempan.h"
#include "viewcommands.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
const QColor kBarColour(0xE1, 0xE1, 0xD9);   // 0xD9E1E1
const QColor kRightColour(0x9B, 0xFF, 0x8F); // 0x8FFF9B
const QColor kWrongColour(0xFF, 0x96, 0x8F); // 0x8F96FF
const QColor kFieldColour(0xEE, 0xEE, 0xFF); // 0xFFEEEE
const QColor kHintColour(0x80, 0x80, 0x80);
const QColor kFrameColour(0x00, 0x40, 0xFF);
constexpr int kBarWidth = 3;
constexpr int kTargetFrame = 4; // the frame stands this far outside the target
constexpr int kBasketInset = 7;
constexpr int kMessageTop = 100;
constexpr int kMessageHeight = 130;
constexpr int kMaxInput = 255;
constexpr char kHintProperty[] = "quorvelHint";

bool isPictureCard(int typ) {
    return typ == int(Typ::QueryPicture) || typ == int(Typ::TableQueryPicture) ||
           typ == int(Typ::ClusterQueryPicture);
}

OpenTarget openTargetOf(DokTyp d, QueryMode mode) {
    if (d == DokTyp::SingleQuestions || d == DokTyp::MultipleChoice)
        return OpenTarget::Card;
    if (d == DokTyp::Cluster || (isLabellingDoc(d) && mode == QueryMode::TextInput))
        return OpenTarget::Nothing;
    return OpenTarget::Mark;
}
} // namespace

UebungPan::UebungPan(ExerciseRun& run, Document& document, const ViewLayouts& layouts,
                     QWidget* parent)
    : QWidget(parent), m_run(run), m_document(document), m_composer(document, layouts),
      m_message(new MessagePanel(this)) {
    setObjectName(u"UebungPan"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    m_message->setObjectName(u"RiFaPan"_s);
    m_message->hide();
    m_glideTimer.setInterval(5);
    connect(&m_glideTimer, &QTimer::timeout, this, &UebungPan::glideStep);
}

UebungPan::~UebungPan() = default;

bool UebungPan::dragLook() const {
    const DokTyp d = dokTypOf(m_document.header);
    return (isLabellingDoc(d) && !textInput()) || d == DokTyp::Cluster;
}

bool UebungPan::textInput() const {
    return isLabellingDoc(dokTypOf(m_document.header)) &&
           m_run.session().settings.AbfrageModus == QueryMode::TextInput;
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
    m_composer.clearCaches();
    makeCards();
    arrange();
    if (visible)
        show();
    focusSomething();
}

void UebungPan::finish() {
    endGlide();
    m_drag = nullptr;
    m_active = nullptr;
    m_carried = false;
    setHighlight({});
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

int UebungPan::cardHeight(int object) const {
    const ObjDataTyp& o = m_document.objects[size_t(object)];
    if (!isPictureCard(o.Typ) || o.Bild.isNull() || o.Bild.width() < 1)
        return kCardHeight;
    if (o.BildkarteAnpassen == 0 || o.Bild.height() <= kCardHeight - 4)
        return kCardHeight;
    const double h = double(kCardWidth - 44) * o.Bild.height() / o.Bild.width() + 4.0;
    return std::max(kCardHeight, rnd(std::min(h, 4000.0)));
}

UebElemPan* UebungPan::makeCard(int object, int entry) {
    const ObjDataTyp& o = m_document.objects[size_t(object)];
    const Typ t = typOf(o);
    UebElemPan::Look look = UebElemPan::Look::Text;
    if (isPictureCard(o.Typ))
        look = UebElemPan::Look::Picture;
    else if (t == Typ::MCAnswerBox)
        look = UebElemPan::Look::TickBox;
    else if (t == Typ::MCOkButton)
        look = UebElemPan::Look::Button;
    else if (t == Typ::MatchingQueryText || t == Typ::MatchingQueryPicture)
        look = UebElemPan::Look::Element;
    auto* card = new UebElemPan(object, entry, look, this);
    if (look == UebElemPan::Look::Picture)
        card->setPicture(o.Bild);
    else if (look == UebElemPan::Look::Button)
        card->setText(u"Weiter"_s);
    else if (look == UebElemPan::Look::Text)
        card->setText(normalisedText(m_run.displayText(object)));
    const DokTyp d = dokTypOf(m_document.header);
    const bool hand = d == DokTyp::SingleQuestions || d == DokTyp::MultipleChoice ||
                      d == DokTyp::CrossMatching || look == UebElemPan::Look::Button;
    card->setCursor(hand ? Qt::PointingHandCursor : Qt::SizeAllCursor);
    card->resize(kCardWidth, cardHeight(object));
    connectCard(card);
    return card;
}

void UebungPan::connectCard(UebElemPan* card) {
    connect(card, &UebElemPan::pressed, this, [this, card](QPoint at) { pressCard(card, at); });
    connect(card, &UebElemPan::dragged, this, [this](QPoint at) { dragCard(at); });
    connect(card, &UebElemPan::released, this, [this] { releaseCard(); });
    connect(card, &UebElemPan::clicked, this, [this, card] { clicked(card); });
    connect(card, &UebElemPan::activated, this, [this, card] { activated(card); });
    connect(card, &UebElemPan::stepRequested, this, &UebungPan::step);
    connect(card, &UebElemPan::escapeRequested, this, &UebungPan::putBack);
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
    const UebungsSitzung& s = m_run.session();
    const DokTyp d = dokTypOf(m_document.header);
    const auto& order = s.AbfrageFolge;
    const auto& objects = m_document.objects;
    m_cards.assign(order.size(), nullptr);
    m_home.assign(order.size(), QPoint());
    m_waiting.assign(order.size(), false);
    if (textInput()) {
        for (const QueryPair& pair : order) {
            if (pair.target >= 0 && isTextInputTyp(objects[size_t(pair.target)].Typ))
                makeField(pair.target);
        }
        for (size_t i = 0; i < objects.size(); ++i) {
            if (typOf(objects[i]) == Typ::MCOkButton)
                m_objectCards.emplace_back(makeCard(int(i), -1));
        }
        return;
    }
    if (d == DokTyp::MultipleChoice) {
        for (size_t i = 0; i < objects.size(); ++i) {
            const Typ t = typOf(objects[i]);
            if (t == Typ::MCAnswerBox || t == Typ::MCOkButton)
                m_objectCards.emplace_back(makeCard(int(i), -1));
        }
        return;
    }
    // Made from the last entry to the first, so that the first lies on top.
    for (size_t k = order.size(); k-- > 0;) {
        if (order[k].card < 0 || size_t(order[k].card) >= objects.size())
            continue;
        if (m_run.cardState(int(k)) == CardState::Removed && d != DokTyp::CrossMatching)
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
    const QSize panel = size();
    // The card column: stacks of the cards still there, in `AbfrageFolge` order.
    std::vector<int> heights;
    std::vector<size_t> stacked;
    const bool singleCard = m_run.session().settings.AbfrageModus == QueryMode::SingleCard;
    if (dragLook() && !singleCard) {
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
    state.exercise.openTarget =
        openTargetOf(dokTypOf(m_document.header), m_run.session().settings.AbfrageModus);
    state.exercise.currentTarget = m_run.currentTarget();
    if (m_run.currentQuestion() > 0)
        state.currentQuestion = m_run.currentQuestion();
    m_composer.setViewArea(QSize(std::max(1, m_pictureWidth), std::max(1, height())));
    m_composer.rebuild();
    paintBackground();
}

void UebungPan::paintBackground() {
    m_background = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    m_background.fill(Qt::white);
    QPainter p(&m_background);
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
    const int pixelHeight = std::clamp(rnd((2.0 * o.Fsize + 22.0) * w / 870.0), 6, 400);
    QFont font(m_document.header.Schriftart);
    font.setPixelSize(pixelHeight);
    field->setFont(font);
    const QFontMetrics metrics(font);
    int width = std::max(metrics.horizontalAdvance(u" XX"_s),
                         metrics.horizontalAdvance(u" "_s + o.Cap.left(kMaxInput)));
    const bool cloze = dokTypOf(m_document.header) == DokTyp::Cloze;
    if (cloze || m_run.session().settings.AnzZeichenVorgeben)
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
        place = inputFieldRect(anchor(target), size, o.KAusrAkt, rnd(2.0 * w / 870.0));
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
    const UebungsSitzung& s = m_run.session();
    const DokTyp d = dokTypOf(m_document.header);
    const auto& objects = m_document.objects;
    for (auto& [target, field] : m_fields)
        placeField(field, target);
    const int side = std::max(12, rnd(m_composer.view().width() * 34.0 / 870.0));
    for (auto& card : m_objectCards) {
        if (!card)
            continue;
        const int object = card->object();
        const ObjDataTyp& o = objects[size_t(object)];
        if (textInput()) {
            card->setGeometry(width() - 1 - kCardWidth, height() - 1 - kCardHeight, kCardWidth,
                              kCardHeight);
            continue;
        }
        if (typOf(o) == Typ::MCAnswerBox) {
            const int place = m_run.answerPlace(object);
            card->setGeometry(tickBoxRect(anchor(place >= 0 ? place : object), side));
        } else { // the "Weiter" button of a question
            const QPoint a = anchor(object);
            const int w =
                std::max(side * 3, card->fontMetrics().horizontalAdvance(u"Weiter"_s) + 40);
            card->setGeometry(a.x() + 10, a.y(), w, side);
        }
    }
    for (size_t k = 0; k < m_cards.size(); ++k) {
        UebElemPan* card = m_cards[k];
        if (!card)
            continue;
        if (d == DokTyp::SingleQuestions) {
            const int slot = m_run.answerSlot(int(k));
            if (slot >= 0)
                card->setGeometry(slotRect(slot));
        } else if (d == DokTyp::CrossMatching) {
            const ObjDataTyp& o = objects[size_t(card->object())];
            QPoint a = anchor(card->object());
            if (o.KAusr == SideCentred)
                a.rx() -= rnd(0.5 * o.KartBreite * m_composer.page().width());
            card->setGeometry(matchingSquare(a, k % 2 == 0));
        } else if (s.settings.AbfrageModus == QueryMode::SingleCard) {
            card->move(singleCardRect(size(), card->height()).topLeft());
        } else if (!m_waiting[k]) {
            card->move(m_home[k]);
        }
    }
    syncCards();
    focusSomething();
}

void UebungPan::syncCards() {
    const auto& objects = m_document.objects;
    const DokTyp d = dokTypOf(m_document.header);
    bool removed = false;
    for (size_t k = 0; k < m_cards.size(); ++k) {
        UebElemPan* card = m_cards[k];
        if (!card)
            continue;
        CardState state = m_run.cardState(int(k));
        if (d == DokTyp::CrossMatching)
            state = objects[size_t(card->object())].AbfrageStatus == QueryState::MatchingElement
                        ? CardState::Shown
                        : CardState::Hidden;
        if (state == CardState::Removed) {
            card->hide();
            card->deleteLater();
            m_cards[k] = nullptr;
            removed = true;
            continue;
        }
        if (state == CardState::Shown &&
            m_run.session().settings.AbfrageModus == QueryMode::SingleCard && dragLook() &&
            card->isHidden())
            card->move(singleCardRect(size(), card->height()).topLeft());
        if (state == CardState::Shown && d == DokTyp::SingleQuestions) {
            // A new question: its answers take their slots.
            const int slot = m_run.answerSlot(int(k));
            if (slot >= 0)
                card->setGeometry(slotRect(slot));
        }
        card->setVisible(state == CardState::Shown && !m_waiting[k]);
    }
    for (auto& card : m_objectCards) {
        if (!card)
            continue;
        const ObjDataTyp& o = objects[size_t(card->object())];
        bool shown = m_run.running();
        if (d == DokTyp::MultipleChoice)
            shown = shown && o.FrageNummer == m_run.currentQuestion();
        card->setVisible(shown);
        if (card->look() == UebElemPan::Look::TickBox)
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
    if (dokTypOf(m_document.header) != DokTyp::CrossMatching)
        return;
    const UebungsSitzung& s = m_run.session();
    for (auto& card : m_cards) {
        if (card)
            card->setSelected(card->object() == s.Zweitobjekt || card->object() == s.Zielobjekt);
    }
}

// --- painting ----------------------------------------------------------------

void UebungPan::paintEvent(QPaintEvent* event) {
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
    if (changed.isEmpty())
        return;
    const QRect place = changed.translated(pictureRect().topLeft());
    QPainter p(&m_background);
    p.drawImage(place.topLeft(), m_composer.view(), changed);
    update(place);
}

void UebungPan::setHighlight(const QRect& frame) {
    if (frame == m_highlight)
        return;
    // Only the old and the new frame are repainted.
    if (!m_highlight.isEmpty())
        update(m_highlight.adjusted(-2, -2, 2, 2));
    m_highlight = frame;
    if (!m_highlight.isEmpty())
        update(m_highlight.adjusted(-2, -2, 2, 2));
}

// --- dragging ----------------------------------------------------------------

void UebungPan::pressCard(UebElemPan* card, QPoint panelPoint) {
    if (!dragLook() || m_run.busy() || !m_run.running() || !card || m_carried)
        return;
    m_drag = card;
    m_dragStart = card->pos();
    m_grab = panelPoint - card->pos();
    card->raise();
}

void UebungPan::dragCard(QPoint panelPoint) {
    if (!m_drag || m_carried)
        return;
    // The card stays wholly inside the panel.
    QPoint at = panelPoint - m_grab;
    at.setX(std::clamp(at.x(), 0, std::max(0, width() - m_drag->width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, height() - m_drag->height())));
    m_drag->move(at);
    findTarget(m_drag);
}

void UebungPan::findTarget(UebElemPan* card) {
    const QRect r = card->geometry();
    if (dokTypOf(m_document.header) == DokTyp::Cluster) {
        const QPointF page = m_composer.viewToPage(QPointF(r.center() - pictureRect().topLeft()));
        const QSize pagePixels = m_composer.page().size();
        const int basket = clusterBasketAt(
            m_document, pagePixels,
            QPoint(rnd(page.x() * pagePixels.width()), rnd(page.y() * pagePixels.height())));
        m_target = basket > 0 ? basket : -1;
        if (basket > 0) {
            setHighlight(basketRect(basket).adjusted(kBasketInset, kBasketInset, -kBasketInset,
                                                     -kBasketInset));
        } else {
            setHighlight({});
        }
        return;
    }
    m_target = m_run.targetUnder(panelToPage(r));
    setHighlight(m_target >= 0 ? targetRect(m_target).adjusted(-kTargetFrame, -kTargetFrame,
                                                               kTargetFrame, kTargetFrame)
                               : QRect());
}

void UebungPan::releaseCard() {
    UebElemPan* card = m_drag;
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
    const double pixels = std::hypot(double(way.x()), double(way.y()));
    m_active = card;
    if (dokTypOf(m_document.header) == DokTyp::Cluster)
        m_run.dropInBasket(card->object(), target, pixels);
    else
        m_run.drop(card->object(), target, pixels);
    m_active = nullptr;
    if (wasCarried)
        focusSomething();
}

// --- clicks and keys ---------------------------------------------------------

void UebungPan::clicked(UebElemPan* card) {
    if (!m_run.running() || m_run.busy() || dragLook())
        return;
    m_active = card;
    switch (card->look()) {
    case UebElemPan::Look::TickBox:
        m_run.tick(card->object());
        card->setTicked(m_run.ticked(card->object()));
        break;
    case UebElemPan::Look::Button:
        m_run.weiter();
        break;
    default:
        m_run.click(card->object());
        syncSelection();
        break;
    }
    m_active = nullptr;
    focusSomething();
}

void UebungPan::activated(UebElemPan* card) {
    if (!dragLook()) {
        clicked(card);
        return;
    }
    if (m_carried && m_drag == card)
        releaseCard();
    else if (!m_carried)
        pickUp(card);
}

void UebungPan::pickUp(UebElemPan* card) {
    if (!m_run.running() || m_run.busy())
        return;
    m_steps.clear();
    if (dokTypOf(m_document.header) == DokTyp::Cluster) {
        for (int b = 1; b <= clusterBasketCount(m_document); ++b)
            m_steps.push_back(b);
    } else {
        m_steps = m_run.targetCandidates();
    }
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

void UebungPan::step(int direction) {
    if (!m_carried || !m_drag || m_steps.empty())
        return;
    const int n = int(m_steps.size());
    m_stepIndex = ((m_stepIndex + direction) % n + n) % n;
    const int goal = m_steps[size_t(m_stepIndex)];
    QRect area;
    if (dokTypOf(m_document.header) == DokTyp::Cluster) {
        area = basketRect(goal);
        m_drag->move(area.center() - QPoint(m_drag->width() / 2, m_drag->height() / 2));
        findTarget(m_drag);
        return;
    }
    // The middle of the card's left edge on the middle of the target. The
    // target is the one stepped to, also where targets overlap and the search
    // by position would find another first.
    area = targetRect(goal);
    m_drag->move(area.center() - QPoint(0, m_drag->height() / 2));
    m_target = goal;
    setHighlight(area.adjusted(-kTargetFrame, -kTargetFrame, kTargetFrame, kTargetFrame));
}

void UebungPan::putBack() {
    if (!m_carried || !m_drag)
        return;
    m_drag->setCarried(false);
    m_drag->move(m_dragStart);
    m_drag = nullptr;
    m_carried = false;
    m_target = -1;
    setHighlight({});
}

std::vector<QWidget*> UebungPan::focusCandidates() const {
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

bool UebungPan::inSight(const QWidget* child) const {
    return childAt(child->geometry().center()) == child;
}

void UebungPan::focusSomething() {
    // The focus stays where it is unless it went out of sight (a card
    // answered, or stacked under others after the cards were placed again).
    QWidget* focus = focusWidget();
    if (focus && focus->isVisible() && isAncestorOf(focus) && inSight(focus))
        return;
    // Text input starts in its first field.
    for (auto& [target, field] : m_fields) {
        if (field->isVisible()) {
            field->setFocus(Qt::TabFocusReason);
            return;
        }
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

bool UebungPan::focusNextPrevChild(bool next) {
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
        if (textInput())
            colourFields();
        if (dokTypOf(m_document.header) == DokTyp::CrossMatching)
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
        glide(event.ms);
        break;
    case K::ObjectChanged:
        if (dokTypOf(m_document.header) == DokTyp::CrossMatching) {
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
    default:
        break;
    }
}

void UebungPan::glide(int ms) {
    UebElemPan* card = m_active;
    if (!card)
        return;
    endGlide();
    m_glideCard = card;
    m_glideFrom = card->pos();
    m_glideTo = m_dragStart;
    m_glideMs = ms;
    if (ms <= 0) {
        endGlide();
        return;
    }
    m_glideClock.start();
    m_glideTimer.start();
}

void UebungPan::glideStep() {
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

void UebungPan::endGlide() {
    m_glideTimer.stop();
    if (m_glideCard)
        m_glideCard->move(m_glideTo);
    m_glideCard = nullptr;
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
