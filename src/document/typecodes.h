// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"
#include "pagerect.h"

#include <array>
#include <optional>

namespace quorvel {

// The object type codes (`ObjDataTyp::Typ`) and document type codes
// (`HeaderDataTyp::DokTyp`) with everything the program decides by them, in one
// table each. Files keep the plain numbers; an enum may therefore hold a code
// that has no enumerator (an unknown type from a file): every property of such
// a code is false or none.

enum class Typ : int {
    QueryLabel = 0, // coverable text, asked in exercises
    FixedLabel = 1,
    InfoPoint = 2, // shows `Cap` in the info box
    ClozeGap = 3,
    ExternalLink = 4, // opens `Cap`, a file or internet address
    DocumentLink = 5, // opens the document or folder named in `Cap`
    QueryPicture = 6, // coverable picture
    FixedPicture = 7,
    PictureLink = 8,     // a picture that opens `Cap`
    QuestionAnswer = 10, // answer field of a single question
    QuestionText = 11,
    PreviousQuestion = 12, // the five question navigation buttons
    NextQuestion = 13,
    FirstQuestion = 14,
    LastQuestion = 15,
    RandomQuestion = 16,
    QuestionHeading = 17,   // fixed texts of single and multiple-choice questions
    MCQuestion = 20,        // a stored multiple-choice question, source of its layout
    MCPictureQuestion = 21, // the same with a question picture
    MCQuestionText = 22,
    MCQuestionPicture = 23,
    MCAnswerBox = 24,
    MCAnswerText = 25,
    MCOkButton = 26,
    MCAnswerPicture = 27,
    MCInfoPoint = 28,
    MCLinkPoint = 29,
    // Table cloze cells: 30 + cell kind (kind 0 makes no object).
    TablePicture = 31,
    TableQueryPicture = 32,
    TablePictureLink = 33,
    TableQueryText = 34,
    // Cluster cards: 40 + cell kind.
    ClusterText = 40,
    ClusterQueryText = 41,
    ClusterPicture = 42,
    ClusterQueryPicture = 43,
    // Cross-matching elements: 50 + cell kind.
    MatchingText = 50,
    MatchingQueryText = 51,
    MatchingPicture = 52,
    MatchingQueryPicture = 53,
    CrosswordCell = 60,
    DistractorCard = 90, // a wrong word of a cloze with distractors
};

enum class DokTyp : int {
    PictureLabelling = 0,
    Cloze = 1,
    SingleQuestions = 2,
    MultipleChoice = 3,
    Cluster = 4,
    CrossMatching = 5,
    Crossword = 6,
};

// The state of an object's query field (`AbfrageStatus`, a runtime field):
// covered or uncovered in the learning view, and the states an exercise gives
// its queries.
enum class AbfrageStatus : int {
    QuestionClosedWrong = -6, // a question answered wrong: no further try
    Open = -5,                // asked in the running exercise
    ClosedHidden = -4,        // answered; the result is not shown (yet)
    ClosedWrong = -3,         // answered wrong: the red cross
    SolvedTick = -2,          // answered right: the green tick
    Covered = -1,
    Uncovered = 0,       // shown; in an exercise: answered right
    MatchingElement = 5, // a cross-matching element taking part in the run
};

// The cloze subtypes (`DokUnterTyp`); other document types keep 0. Like
// `DokTyp`, a code from a file may have no enumerator and then matches none.
enum class DocumentSubtype : int {
    Cloze = 0,
    Table = 1, // keeps a table instead of a text
    CTest = 2,
    ClozeWithDistractors = 3,
    CTestWithDistractors = 4,
};

// The side of a card relative to its target point (`KAusr`); `KAusrAkt` holds
// the side an automatic card was given.
enum class CardSide : int {
    Automatic = 0,
    Right = 1,
    Top = 2,
    Left = 3,
    Bottom = 4,
    Centred = 5,
};

// Text alignment in a card (`TAusr`).
enum class TextAlignment : int {
    Left = 0,
    Centred = 1,
    Right = 2,
};

// The kind (`Art`) of a gap-table cell of the table cloze.
enum class ClozeCellKind : int {
    Text = 0, // laid out as cloze text
    StaticPicture = 1,
    QueryPicture = 2,
    PictureLink = 3,
    QueryText = 4, // the whole cell text is one query
};

// The kind (`Art`) of a gap-table cell of cluster and cross-matching documents.
enum class CardCellKind : int {
    Text = 0,
    QueryText = 1,
    Picture = 2,
    QueryPicture = 3,
};

// How query numbers are shown (`NumArt`).
enum class NumberingStyle : int {
    Digits = 0,
    Letters = 1,
};

// The order of ordered numbering (`GeordnetArt`).
enum class NumberingOrder : int {
    TopToBottom = 0,
    Alphabetical = 1,
};

constexpr int codeOf(Typ typ) {
    return static_cast<int>(typ);
}
constexpr int codeOf(DokTyp dokTyp) {
    return static_cast<int>(dokTyp);
}
constexpr int codeOf(DocumentSubtype subtype) {
    return static_cast<int>(subtype);
}
constexpr int codeOf(CardSide side) {
    return static_cast<int>(side);
}
constexpr int codeOf(TextAlignment alignment) {
    return static_cast<int>(alignment);
}
constexpr int codeOf(ClozeCellKind kind) {
    return static_cast<int>(kind);
}
constexpr int codeOf(CardCellKind kind) {
    return static_cast<int>(kind);
}

// The stored codes read as enums. Where the program gives an unknown code a
// meaning it is mapped to it; cell kinds and subtypes keep unknown codes,
// which then match no enumerator.

// A side outside 0..5 counts as centred.
constexpr CardSide cardSideFromCode(int code) {
    return code >= codeOf(CardSide::Automatic) && code <= codeOf(CardSide::Centred)
               ? static_cast<CardSide>(code)
               : CardSide::Centred;
}
// An alignment other than centred or right is left.
constexpr TextAlignment textAlignmentFromCode(int code) {
    return code == codeOf(TextAlignment::Centred) || code == codeOf(TextAlignment::Right)
               ? static_cast<TextAlignment>(code)
               : TextAlignment::Left;
}
// Letters only for 1, digits for everything else.
constexpr NumberingStyle numberingStyleFromCode(int code) {
    return code == 1 ? NumberingStyle::Letters : NumberingStyle::Digits;
}
// Alphabetical only for 1, top to bottom for everything else.
constexpr NumberingOrder numberingOrderFromCode(int code) {
    return code == 1 ? NumberingOrder::Alphabetical : NumberingOrder::TopToBottom;
}
// The layouts of cluster and cross matching place kinds outside 0..3 as the
// nearest kind.
constexpr CardCellKind cardCellKindFromCode(int code) {
    return code <= 0   ? CardCellKind::Text
           : code >= 3 ? CardCellKind::QueryPicture
                       : static_cast<CardCellKind>(code);
}
constexpr bool isPicture(CardCellKind kind) {
    return kind == CardCellKind::Picture || kind == CardCellKind::QueryPicture;
}
constexpr bool isQuery(CardCellKind kind) {
    return kind == CardCellKind::QueryText || kind == CardCellKind::QueryPicture;
}
constexpr bool isPicture(ClozeCellKind kind) {
    return kind == ClozeCellKind::StaticPicture || kind == ClozeCellKind::QueryPicture ||
           kind == ClozeCellKind::PictureLink;
}
constexpr bool hasDistractors(DocumentSubtype subtype) {
    return subtype == DocumentSubtype::ClozeWithDistractors ||
           subtype == DocumentSubtype::CTestWithDistractors;
}

// What a click in the learning view opens.
enum class OpenKind : unsigned char {
    None,
    InfoBox,      // `Cap` in the info box
    ExternalLink, // `Cap` as file or internet address
    DocumentLink, // `Cap` as document or folder
    PictureLink,  // a document link when `Cap` names a document, else an external link
};

// The number a numbered field shows.
enum class NumberStyle : unsigned char {
    None,           // no number; numbering uncovers it
    Position,       // its place in the numbering order (or "?" in question-mark mode)
    QuestionMark,   // always "?"
    WithinQuestion, // 1..k among the answers of its question
};

namespace TypFlag {
enum : unsigned {
    Query = 1u << 0,     // query field: covered, uncovered, numbered, asked
    Generated = 1u << 1, // made by a layout after reading and never written
    Picture = 1u << 2,   // the file record carries `Bild`
    // a multiple-choice source: answer pictures and `MCInfoLinkData` in the file
    Question = 1u << 3,
    // a picture placed by the author: `Fsize` converted in files before 2.17
    PagePicture = 1u << 4,
    // the author's own objects: they keep their spot when the margins change
    OnBasePicture = 1u << 5,
    Point = 1u << 6,            // info, link and document points: round, with a title
    Button = 1u << 7,           // round buttons of the question layouts
    Navigation = 1u << 8,       // question navigation buttons
    Fixed = 1u << 9,            // drawn with the fixed objects
    CoverPass = 1u << 10,       // drawn in the object pass only while uncovered, else as cover
    OnTop = 1u << 11,           // drawn once more above everything at the end
    Hittable = 1u << 12,        // found by a click in the learning view
    QuestionBound = 1u << 13,   // hittable only with the current question
    ActiveOnly = 1u << 14,      // hittable and numbered only while `Aktiv`
    NumberCandidate = 1u << 15, // takes a place in the numbering of free documents
    // a card of the exercise only (distractor words): it has no place on the
    // page and is never drawn there
    OffPage = 1u << 16,
};
} // namespace TypFlag

struct TypProperties {
    Typ typ;
    unsigned flags = 0;
    NumberStyle number = NumberStyle::None;
    OpenKind opens = OpenKind::None;
    Typ withoutPicture = typ;             // what the writer stores when the picture is missing
    const char16_t* pointTitle = nullptr; // title and colour of a point from an old file
    ColourValue pointColour = 0;

    constexpr bool has(unsigned flag) const { return (flags & flag) == flag; }
    constexpr TypProperties lowersTo(Typ lowered) const {
        TypProperties p = *this;
        p.withoutPicture = lowered;
        return p;
    }
    constexpr TypProperties pointStyle(const char16_t* title, ColourValue colour) const {
        TypProperties p = *this;
        p.pointTitle = title;
        p.pointColour = colour;
        return p;
    }
};

namespace typtable {

using namespace TypFlag;
constexpr TypProperties row(Typ typ, unsigned flags, NumberStyle number = NumberStyle::None,
                            OpenKind opens = OpenKind::None) {
    return TypProperties{typ, flags, number, opens};
}
// Query fields of the page: covers in the object pass and again on top.
constexpr unsigned kQueryDrawnLast = Query | CoverPass | OnTop | Hittable | NumberCandidate;
// Query cards of the table layouts: drawn (and covered) on top only.
constexpr unsigned kQueryCard = Query | OnTop | Hittable | NumberCandidate;
using N = NumberStyle;
using O = OpenKind;

// clang-format off
inline constexpr std::array kRows{
    row(Typ::QueryLabel,           OnBasePicture | kQueryDrawnLast, N::Position),
    row(Typ::FixedLabel,           OnBasePicture | Fixed | Hittable),
    row(Typ::InfoPoint,            OnBasePicture | Point | Fixed | Hittable, N::None, O::InfoBox)
        .pointStyle(u"Info", 0xFD5F00),
    row(Typ::ClozeGap,             Generated | kQueryDrawnLast, N::Position),
    row(Typ::ExternalLink,         OnBasePicture | Point | Fixed | Hittable,
                                   N::None, O::ExternalLink)
        .pointStyle(u"Link", 0x2F35A4),
    row(Typ::DocumentLink,         OnBasePicture | Point | Fixed | Hittable,
                                   N::None, O::DocumentLink)
        .pointStyle(u"Dok.", 0x4A9829),
    row(Typ::QueryPicture,         Picture | PagePicture | OnBasePicture | kQueryDrawnLast,
                                   N::Position)
        .lowersTo(Typ::QueryLabel),
    row(Typ::FixedPicture,         Picture | PagePicture | OnBasePicture | Fixed | Hittable)
        .lowersTo(Typ::FixedLabel),
    row(Typ::PictureLink,          Picture | PagePicture | Fixed | Hittable,
                                   N::None, O::PictureLink),
    row(Typ::QuestionAnswer,       Query | CoverPass | Hittable | QuestionBound, N::QuestionMark),
    row(Typ::QuestionText,         0),
    row(Typ::PreviousQuestion,     Button | Navigation | Hittable),
    row(Typ::NextQuestion,         Button | Navigation | Hittable),
    row(Typ::FirstQuestion,        Button | Navigation | Hittable),
    row(Typ::LastQuestion,         Button | Navigation | Hittable),
    row(Typ::RandomQuestion,       Button | Navigation | Hittable),
    row(Typ::QuestionHeading,      0),
    row(Typ::MCQuestion,           Question | NumberCandidate),
    row(Typ::MCPictureQuestion,    Picture | Question | NumberCandidate)
        .lowersTo(Typ::MCQuestion),
    row(Typ::MCQuestionText,       Generated),
    row(Typ::MCQuestionPicture,    Generated),
    row(Typ::MCAnswerBox,          Generated | Query | CoverPass | Hittable | QuestionBound,
                                   N::WithinQuestion),
    row(Typ::MCAnswerText,         Generated),
    row(Typ::MCOkButton,           Generated),
    row(Typ::MCAnswerPicture,      Generated),
    row(Typ::MCInfoPoint,          Button | Fixed | Hittable | QuestionBound, N::None, O::InfoBox),
    row(Typ::MCLinkPoint,          Button | Fixed | Hittable | QuestionBound,
                                   N::None, O::ExternalLink),
    row(Typ::TablePicture,         Generated | Fixed),
    row(Typ::TableQueryPicture,    Generated | kQueryDrawnLast, N::Position),
    row(Typ::TablePictureLink,     Fixed | Hittable, N::None, O::PictureLink),
    row(Typ::TableQueryText,       Generated | kQueryDrawnLast, N::Position),
    row(Typ::ClusterText,          Fixed),
    row(Typ::ClusterQueryText,     kQueryCard, N::Position),
    row(Typ::ClusterPicture,       Fixed),
    row(Typ::ClusterQueryPicture,  kQueryCard, N::Position),
    row(Typ::MatchingText,         Fixed),
    row(Typ::MatchingQueryText,    ActiveOnly | kQueryCard, N::Position),
    row(Typ::MatchingPicture,      Fixed),
    row(Typ::MatchingQueryPicture, ActiveOnly | kQueryCard, N::Position),
    row(Typ::CrosswordCell,        kQueryDrawnLast, N::Position),
    row(Typ::DistractorCard,       OffPage),
};
// clang-format on

inline constexpr int kMaxCode = 90;

constexpr bool codesAreDistinctAndInRange() {
    for (size_t i = 0; i < kRows.size(); ++i) {
        const int code = codeOf(kRows[i].typ);
        if (code < 0 || code > kMaxCode)
            return false;
        for (size_t j = i + 1; j < kRows.size(); ++j) {
            if (codeOf(kRows[j].typ) == code)
                return false;
        }
    }
    return true;
}
static_assert(codesAreDistinctAndInRange());

// Row index by code, -1 for codes without a row.
inline constexpr std::array<int, kMaxCode + 1> kIndex = [] {
    std::array<int, kMaxCode + 1> index{};
    index.fill(-1);
    for (size_t i = 0; i < kRows.size(); ++i)
        index[size_t(codeOf(kRows[i].typ))] = int(i);
    return index;
}();

} // namespace typtable

// Every known object type with its properties, in code order.
inline constexpr const auto& kTypTable = typtable::kRows;

// The properties of `typ`; a code without a row has none.
constexpr TypProperties typProperties(Typ typ) {
    const int code = codeOf(typ);
    if (code < 0 || code > typtable::kMaxCode || typtable::kIndex[size_t(code)] < 0)
        return TypProperties{typ};
    return typtable::kRows[size_t(typtable::kIndex[size_t(code)])];
}

constexpr bool isKnown(Typ typ) {
    const int code = codeOf(typ);
    return code >= 0 && code <= typtable::kMaxCode && typtable::kIndex[size_t(code)] >= 0;
}

constexpr bool isQueryField(Typ t) {
    return typProperties(t).has(TypFlag::Query);
}
// Unknown codes from a file are written back as they came.
constexpr bool isWritten(Typ t) {
    return !typProperties(t).has(TypFlag::Generated);
}
constexpr bool carriesPicture(Typ t) {
    return typProperties(t).has(TypFlag::Picture);
}
constexpr bool isQuestion(Typ t) {
    return typProperties(t).has(TypFlag::Question);
}
constexpr bool isPagePicture(Typ t) {
    return typProperties(t).has(TypFlag::PagePicture);
}
constexpr bool isOnBasePicture(Typ t) {
    return typProperties(t).has(TypFlag::OnBasePicture);
}
constexpr bool isPoint(Typ t) {
    return typProperties(t).has(TypFlag::Point);
}
constexpr bool isButton(Typ t) {
    return typProperties(t).has(TypFlag::Button);
}
constexpr bool isNavigationButton(Typ t) {
    return typProperties(t).has(TypFlag::Navigation);
}
constexpr bool isFixedObject(Typ t) {
    return typProperties(t).has(TypFlag::Fixed);
}
constexpr bool isCoverableInFirstPass(Typ t) {
    return typProperties(t).has(TypFlag::CoverPass);
}
constexpr bool isDrawnOnTop(Typ t) {
    return typProperties(t).has(TypFlag::OnTop);
}
constexpr bool isHittable(Typ t) {
    return typProperties(t).has(TypFlag::Hittable);
}
constexpr bool isQuestionBound(Typ t) {
    return typProperties(t).has(TypFlag::QuestionBound);
}
constexpr bool isActiveOnly(Typ t) {
    return typProperties(t).has(TypFlag::ActiveOnly);
}
constexpr bool isMatchingElement(Typ t) {
    return codeOf(t) >= codeOf(Typ::MatchingText) && codeOf(t) <= codeOf(Typ::MatchingQueryPicture);
}
constexpr bool isOffPage(Typ t) {
    return typProperties(t).has(TypFlag::OffPage);
}
constexpr bool isNumberCandidate(Typ t) {
    return typProperties(t).has(TypFlag::NumberCandidate);
}
constexpr NumberStyle numberStyle(Typ t) {
    return typProperties(t).number;
}
constexpr OpenKind opensAs(Typ t) {
    return typProperties(t).opens;
}
constexpr Typ withoutPicture(Typ t) {
    return typProperties(t).withoutPicture;
}

// How a document type is stored, laid out and numbered.
enum class GapTableUse : unsigned char { None, TableSubtype, Always };

struct DokTypProperties {
    DokTyp dokTyp;
    PageRect einrueckRand{}; // the indent of a new document
    GapTableUse gapTable = GapTableUse::None;
    unsigned pictureCellKinds = 0;   // bit n: gap-table cells of kind n carry a picture
    bool columnBackgrounds = false;  // the file stores a background per gap-table column
    bool crossword = false;          // the file carries the crossword block
    bool questionNavigation = false; // the question buttons and keys change the question
    // Only objects of this type are numbered, and only they take part in
    // exercises; none: every numbering candidate.
    std::optional<Typ> numberedOnly{};
};

namespace doktyptable {

using G = GapTableUse;
inline constexpr std::array kRows{
    DokTypProperties{.dokTyp = DokTyp::PictureLabelling},
    DokTypProperties{.dokTyp = DokTyp::Cloze,
                     .einrueckRand = {0.035, 0.01, 0.035, 0.0},
                     .gapTable = G::TableSubtype,
                     .pictureCellKinds = 0b1110},
    DokTypProperties{.dokTyp = DokTyp::SingleQuestions,
                     .einrueckRand = {0.1, 0.165, 0.05, 0.195},
                     .questionNavigation = true,
                     .numberedOnly = Typ::QuestionAnswer},
    DokTypProperties{.dokTyp = DokTyp::MultipleChoice,
                     .einrueckRand = {0.05, 0.04, 0.05, 0.045},
                     .questionNavigation = true,
                     .numberedOnly = Typ::MCAnswerBox},
    DokTypProperties{.dokTyp = DokTyp::Cluster,
                     .einrueckRand = {0.035, 0.03, 0.035, 0.03},
                     .gapTable = G::Always,
                     .pictureCellKinds = 0b1100,
                     .columnBackgrounds = true},
    DokTypProperties{.dokTyp = DokTyp::CrossMatching,
                     .einrueckRand = {0.035, 0.03, 0.035, 0.03},
                     .gapTable = G::Always,
                     .pictureCellKinds = 0b1100},
    DokTypProperties{.dokTyp = DokTyp::Crossword,
                     .einrueckRand = {0.035, 0.035, 0.035, 0.035},
                     .crossword = true},
};

} // namespace doktyptable

inline constexpr const auto& kDokTypTable = doktyptable::kRows;

// The properties of `dokTyp`; an unknown type has the properties of none
// (no margins, no blocks, numbering of every candidate).
constexpr DokTypProperties dokTypProperties(DokTyp dokTyp) {
    for (const DokTypProperties& p : kDokTypTable) {
        if (p.dokTyp == dokTyp)
            return p;
    }
    return DokTypProperties{dokTyp};
}

constexpr bool isKnown(DokTyp dokTyp) {
    for (const DokTypProperties& p : kDokTypTable) {
        if (p.dokTyp == dokTyp)
            return true;
    }
    return false;
}

// The indent of a new document of this type (`EinrueckRand`).
constexpr PageRect defaultEinrueckRand(DokTyp d) {
    return dokTypProperties(d).einrueckRand;
}

// Whether the gap table is stored for a document of this type and subtype.
constexpr bool hasGapTable(DokTyp d, int subtype) {
    switch (dokTypProperties(d).gapTable) {
    case GapTableUse::Always:
        return true;
    case GapTableUse::TableSubtype:
        return static_cast<DocumentSubtype>(subtype) == DocumentSubtype::Table;
    case GapTableUse::None:
        return false;
    }
    return false;
}

// Whether a gap-table cell of kind `art` carries a picture in documents of this type.
constexpr bool cellCarriesPicture(DokTyp d, int art) {
    return art >= 0 && art < 32 && (dokTypProperties(d).pictureCellKinds >> art & 1u) != 0;
}

constexpr bool storesColumnBackgrounds(DokTyp d) {
    return dokTypProperties(d).columnBackgrounds;
}
constexpr bool storesCrossword(DokTyp d) {
    return dokTypProperties(d).crossword;
}
constexpr bool hasQuestionNavigation(DokTyp d) {
    return dokTypProperties(d).questionNavigation;
}

// Whether objects of `typ` are numbered and asked in documents of `dokTyp`.
constexpr bool isNumberedIn(DokTyp dokTyp, Typ typ) {
    const std::optional<Typ> only = dokTypProperties(dokTyp).numberedOnly;
    return only ? *only == typ : isNumberCandidate(typ);
}

} // namespace quorvel
