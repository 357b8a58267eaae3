// SPDX-License-Identifier: GPL-3.0-or-later
#include "answerbox.h"
#include "commatext.h"
#include "document.h"
#include "documentio.h"
#include "layoutset.h"
#include "multiplechoicelayout.h"
#include "questionlayouts.h"
#include "rounding.h"
#include "singlequestionlayout.h"
#include "viewcomposer.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <vector>

using namespace quorvel;
using namespace Qt::StringLiterals;

namespace {

Document questionDocument(DokTyp type, PageRect margins) {
    Document d;
    d.basePicture = QImage(870, 620, QImage::Format_ARGB32);
    d.basePicture.fill(Qt::white);
    d.header.DokTyp = codeOf(type);
    d.header.EinrueckRand = margins;
    d.derivePageGeometry();
    return d;
}

std::vector<const ObjDataTyp*> objectsOf(const Document& d, Typ typ, int question = 0) {
    std::vector<const ObjDataTyp*> found;
    for (const ObjDataTyp& o : d.objects) {
        if (typOf(o) == typ && (question == 0 || o.FrageNummer == question))
            found.push_back(&o);
    }
    return found;
}

std::vector<int> typesOf(const Document& d) {
    std::vector<int> types;
    for (const ObjDataTyp& o : d.objects)
        types.push_back(o.Typ);
    return types;
}

// A comma text of these entries, each quoted as one entry (line breaks too).
QString commaEntries(const QStringList& entries) {
    QStringList quoted;
    for (QString entry : entries)
        quoted.append(u'"' + entry.replace(u"\""_s, u"\"\""_s) + u'"');
    return quoted.join(u',');
}

// Appends a stored multiple-choice question with the comma-text entries.
ObjDataTyp& addMC(Document& d, const QStringList& entries, int untertyp = 0) {
    ObjDataTyp o;
    o.Typ = codeOf(Typ::MCQuestion);
    o.Cap = commaEntries(entries);
    o.Kx = o.Ky = o.Sx = o.Sy = -1;
    o.Ebene = 1;
    o.Untertyp = untertyp;
    d.objects.push_back(o);
    return d.objects.back();
}

const std::vector<int> kButtons{14, 12, 13, 15, 16};

} // namespace

TEST(SingleQuestionLayout, SplitsAtTheFirstDoubleSlash) {
    struct Case {
        QString line, question, answer;
    } const cases[] = {
        {u"Frage A//Antwort A"_s, u"Frage A"_s, u"Antwort A"_s},
        {u"  Frage A // Antwort A "_s, u"Frage A"_s, u"Antwort A"_s},
        {u"Frage A // x // y"_s, u"Frage A"_s, u"x // y"_s},
        {u"Frage A"_s, u"Frage A"_s, u"---"_s},
        {u"//"_s, u""_s, u""_s},
    };
    for (const Case& c : cases) {
        const SingleQuestion q = splitSingleQuestion(c.line);
        EXPECT_EQ(q.question, c.question) << c.line.toStdString();
        EXPECT_EQ(q.answer, c.answer) << c.line.toStdString();
    }
}

TEST(SingleQuestionLayout, BuildsButtonsAndFourObjectsPerQuestion) {
    Document d = questionDocument(DokTyp::SingleQuestions, {0.1, 0.165, 0.05, 0.195});
    d.header.fragentext = u"Frage A\r\n   \r\nFrage B // B\r\n"_s;
    d.addGeneratedObject(Typ::QuestionText, 1, u"alt"_s, 7, 0.5, 0.5, 1, 0);
    d.addGeneratedObject(Typ::FixedLabel, 1, u"bleibt"_s, -1, 0.5, 0.5, 1, 0);
    int current = 0;
    layOutSingleQuestions(d, true, current, false);

    EXPECT_EQ(typesOf(d),
              (std::vector<int>{1, 14, 12, 13, 15, 16, 17, 11, 17, 10, 17, 11, 17, 10}));
    for (int i = 0; i < 5; ++i) {
        const ObjDataTyp& b = d.objects[size_t(1 + i)];
        EXPECT_DOUBLE_EQ(b.Kx, 0.1 + 0.06 * i);
        EXPECT_DOUBLE_EQ(b.Ky, 1 - 0.195 - 0.03);
        EXPECT_EQ(b.Ebene, 2);
        EXPECT_EQ(b.FrageNummer, -1);
    }
    const double u = (1 - 0.165 - 0.195) / 0.64;
    const ObjDataTyp* q1 = &d.objects[6];
    EXPECT_EQ(q1[0].Cap, u"Frage Nr. 1 von 2"_s);
    EXPECT_EQ(q1[0].Fsize, -5);
    EXPECT_DOUBLE_EQ(q1[0].Ky, 0.175);
    EXPECT_EQ(q1[1].Cap, u"Frage A"_s);
    EXPECT_EQ(q1[1].Fsize, 5);
    EXPECT_DOUBLE_EQ(q1[1].Ky, 0.165 + u * 0.22);
    EXPECT_EQ(q1[2].Cap, u"Antwort:"_s);
    EXPECT_EQ(q1[3].Cap, u"---"_s);
    EXPECT_DOUBLE_EQ(q1[3].Kx, 0.1 + 0.125);
    EXPECT_DOUBLE_EQ(q1[3].Ky, 0.165 + u * 0.435);
    EXPECT_EQ(q1[3].Marker1, -1);
    EXPECT_EQ(d.objects[10].Cap, u"Frage Nr. 2 von 2"_s);
    EXPECT_EQ(d.objects[13].Cap, u"B"_s);
    for (size_t i = 6; i < d.objects.size(); ++i) {
        EXPECT_EQ(d.objects[i].FrageNummer, i < 10 ? 1 : 2);
        EXPECT_EQ(d.objects[i].Ebene, 1);
        EXPECT_EQ(d.objects[i].KAusr, 1);
    }
    EXPECT_EQ(d.header.AnzFrageNummern, 2);
    EXPECT_EQ(current, 1);
}

TEST(SingleQuestionLayout, EmptyOrBlankTextsAndBuildingOff) {
    Document d = questionDocument(DokTyp::SingleQuestions, {});
    d.header.fragentext = u"Eins // 1\nZwei // 2\nDrei // 3"_s;
    int current = 3;
    layOutSingleQuestions(d, true, current, false);
    ASSERT_EQ(d.objects.size(), 17u);
    EXPECT_EQ(current, 3);

    // Building off changes no object and only corrects the question.
    d.objects[7].Cap = u"von Hand"_s;
    current = 9;
    layOutSingleQuestions(d, false, current, false);
    EXPECT_EQ(d.objects.size(), 17u);
    EXPECT_EQ(d.objects[7].Cap, u"von Hand"_s);
    EXPECT_EQ(current, 1);

    // Only blank lines: the buttons, no question.
    d.header.fragentext = u" \r\n\t"_s;
    layOutSingleQuestions(d, true, current, false);
    EXPECT_EQ(typesOf(d), kButtons);
    EXPECT_EQ(d.header.AnzFrageNummern, 0);
    EXPECT_EQ(current, -1);

    // Empty: nothing is added and the question stays.
    d.header.fragentext.clear();
    current = 4;
    layOutSingleQuestions(d, true, current, false);
    EXPECT_TRUE(d.objects.empty());
    EXPECT_EQ(current, 4);

    // Another type is left alone.
    d.header.DokTyp = codeOf(DokTyp::Cloze);
    d.header.fragentext = u"A // B"_s;
    layOutSingleQuestions(d, true, current, false);
    EXPECT_TRUE(d.objects.empty());
}

TEST(MultipleChoiceLayout, ReadsTheCommaTextWithDefaults) {
    const MCQuestionData full = readMCQuestion(commaEntries(
        {u"Wie?  "_s, u" + ja\r\n- nein\r\n"_s, u""_s, u"Datei.pdf"_s, u"Tipp"_s, u"Mehr"_s}));
    EXPECT_EQ(full.question, u"Wie?"_s);
    EXPECT_EQ(full.answerLines, (QStringList{u"+ ja"_s, u"- nein"_s}));
    EXPECT_EQ(full.infoText, u""_s);
    EXPECT_EQ(full.linkedFile, u"Datei.pdf"_s);
    EXPECT_EQ(full.infoTitle, u"Tipp"_s);
    EXPECT_EQ(full.linkTitle, u"Mehr"_s);

    const MCQuestionData shortOne = readMCQuestion(u"Wie?,\"+ a\",Hilfe"_s);
    EXPECT_EQ(shortOne.infoText, u"Hilfe"_s);
    EXPECT_EQ(shortOne.linkedFile, u""_s);
    EXPECT_EQ(shortOne.infoTitle, u"Info"_s);
    EXPECT_EQ(shortOne.linkTitle, u"Link"_s);
    EXPECT_TRUE(readMCQuestion(u"Wie?"_s).answerLines.isEmpty());
}

TEST(MultipleChoiceLayout, AnswerMarksAndQuestionSizes) {
    struct Mark {
        QString line;
        QChar mark;
        QString text;
    } const marks[] = {
        {u"+Haus"_s, u'+', u"Haus"_s},
        {u"+ Haus"_s, u'+', u"Haus"_s},
        {u"Haus"_s, u'H', u"aus"_s},
        {u"- Sonne<br>(Stern) "_s, u'-', u"Sonne\r\n(Stern)"_s},
    };
    for (const Mark& m : marks) {
        const MCAnswer a = splitMCAnswer(m.line);
        EXPECT_EQ(a.mark, m.mark) << m.line.toStdString();
        EXPECT_EQ(a.text, m.text) << m.line.toStdString();
    }
    const std::pair<int, int> sizes[] = {{0, 5},    {71, 5},   {72, 4},      {131, 0},
                                         {132, -1}, {500, -1}, {1 << 30, -1}};
    for (const auto& [length, fsize] : sizes)
        EXPECT_EQ(mcQuestionFontSize(length), fsize) << length;
}

TEST(MultipleChoiceLayout, TextAnswerRowsWithoutMargins) {
    Document d = questionDocument(DokTyp::MultipleChoice, {});
    addMC(d, {u"Welche?"_s, u"+ A\n- B\n+C\n- D"_s});
    int current = 0;
    layOutMultipleChoice(d, true, current, false);

    EXPECT_EQ(typesOf(d), (std::vector<int>{20, 14, 12, 13, 15, 16, 17, 22, 24, 25, 24, 25, 24, 25,
                                            24, 25, 26}));
    const double cy = 0.47 / 0.915;
    const double dd = 0.15 / 0.915;
    const auto boxes = objectsOf(d, Typ::MCAnswerBox);
    const auto texts = objectsOf(d, Typ::MCAnswerText);
    const double rows[] = {-1.5, -0.5, 0.5, 1.5};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(boxes[i]->Ky, cy + rows[i] * dd, 1e-12);
        EXPECT_DOUBLE_EQ(boxes[i]->Kx, 0.12);
        EXPECT_DOUBLE_EQ(texts[i]->Kx, 0.18);
        EXPECT_DOUBLE_EQ(texts[i]->Ky, boxes[i]->Ky);
        EXPECT_EQ(boxes[i]->Fsize, 4);
        EXPECT_EQ(boxes[i]->AntwortAnz, 4);
        EXPECT_EQ(boxes[i]->Marker1, -1);
        const bool correct = i % 2 == 0;
        EXPECT_EQ(boxes[i]->Cap, correct ? u"+"_s : u"-"_s);
        EXPECT_EQ(answerBoxShown(boxes[i]->Bild), std::optional<bool>(correct));
    }
    EXPECT_EQ(texts[2]->Cap, u"C"_s);
    const ObjDataTyp* ok = objectsOf(d, Typ::MCOkButton)[0];
    EXPECT_EQ(ok->Cap, u"OK"_s);
    EXPECT_NEAR(ok->Ky, cy + 2.5 * dd, 1e-12);
    EXPECT_DOUBLE_EQ(objectsOf(d, Typ::QuestionHeading)[0]->Ky, 0.01);
    EXPECT_EQ(objectsOf(d, Typ::QuestionHeading)[0]->Cap, u"Frage Nr. 1 von 1"_s);
    EXPECT_DOUBLE_EQ(objectsOf(d, Typ::MCQuestionText)[0]->Ky, 0.08);
    EXPECT_EQ(d.objects[0].FrageNummer, 1);
    EXPECT_EQ(current, 1);
}

TEST(MultipleChoiceLayout, FivePictureAnswersInTwoColumns) {
    const PageRect margins{0.05, 0.04, 0.05, 0.045};
    Document d = questionDocument(DokTyp::MultipleChoice, margins);
    ObjDataTyp& q = addMC(d, {u"Welches?"_s, u"- Bild\n+ Bild\n- Bild\n+ Bild\n- Bild"_s}, 1);
    q.AntwortAnz = 5;
    for (int i = 0; i < 5; ++i) {
        q.BildAntw[size_t(i)] = QImage(20 + i, 20, QImage::Format_ARGB32);
        q.BildAntw[size_t(i)].fill(Qt::red);
    }
    int current = 0;
    layOutMultipleChoice(d, true, current, false);

    const double height = 1 - 0.04 - 0.045;
    const double cy = 0.04 + height * 0.47 / 0.915;
    const double dd = 0.2 * height / 0.915;
    const double second = 0.9 * 0.45 / 0.9 + 0.05;
    const auto boxes = objectsOf(d, Typ::MCAnswerBox);
    const auto pictures = objectsOf(d, Typ::MCAnswerPicture);
    ASSERT_EQ(boxes.size(), 5u);
    const double xs[] = {0.1, 0.1, 0.1, second, second};
    const double rows[] = {-1, 0, 1, -1, 0};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(boxes[i]->Kx, xs[i]) << i;
        EXPECT_NEAR(boxes[i]->Ky, cy + rows[i] * dd, 1e-12) << i;
        EXPECT_DOUBLE_EQ(pictures[i]->Kx, xs[i] + 0.06);
        EXPECT_EQ(pictures[i]->Bild.width(), 20 + int(i));
        EXPECT_EQ(pictures[i]->Fsize, rnd(dd * 240) - 10);
        EXPECT_DOUBLE_EQ(pictures[i]->WidthLimit, (0.9 - 0.3) / 2);
        EXPECT_EQ(pictures[i]->Cap, u"Bild"_s);
    }
    const ObjDataTyp* ok = objectsOf(d, Typ::MCOkButton)[0];
    EXPECT_DOUBLE_EQ(ok->Kx, second);
    EXPECT_NEAR(ok->Ky, cy + (3 - 1 - 0.1) * dd, 1e-12);
}

TEST(MultipleChoiceLayout, QuestionPictureInfoAndLinkPoints) {
    Document d = questionDocument(DokTyp::MultipleChoice, {0.05, 0.04, 0.05, 0.045});
    ObjDataTyp& q =
        addMC(d, {u"Was?"_s, u"+ a\n- b"_s, u"Ein Tipp"_s, u"x.pdf"_s, u"Hinweistext"_s, u""_s});
    q.Typ = codeOf(Typ::MCPictureQuestion);
    q.Bild = QImage(300, 100, QImage::Format_ARGB32);
    q.MCInfoLinkData = {1, 2, 3, 4, 50, 60};
    addMC(d, {u"Nur Link"_s, u""_s, u" "_s, u"y.pdf"_s});
    int current = 5;
    layOutMultipleChoice(d, true, current, false);

    const ObjDataTyp* picture = objectsOf(d, Typ::MCQuestionPicture)[0];
    EXPECT_DOUBLE_EQ(picture->Kx, 0.05);
    EXPECT_DOUBLE_EQ(picture->WidthLimit, 0.9 * 0.4 / 0.9);
    EXPECT_DOUBLE_EQ(objectsOf(d, Typ::MCQuestionText, 1)[0]->WidthLimit, 0.9)
        << "a long question wraps between the margins";
    EXPECT_EQ(picture->Fsize, rnd(rnd(0.9 * 120 / 0.95) / (3.0 / 1.05)));
    EXPECT_EQ(picture->Bild.width(), 300);
    EXPECT_DOUBLE_EQ(objectsOf(d, Typ::MCAnswerBox, 1)[0]->Kx, 0.9 * 0.45 / 0.9 + 0.05);

    const ObjDataTyp* info = objectsOf(d, Typ::MCInfoPoint, 1)[0];
    EXPECT_EQ(info->Cap, u"Ein Tipp"_s);
    EXPECT_EQ(info->PktCap, u"Hinweistext"_s);
    EXPECT_DOUBLE_EQ(info->Kx, 0.05);
    EXPECT_DOUBLE_EQ(info->Ky, 0.2);
    EXPECT_EQ(info->Farbe, 1u);
    EXPECT_EQ(info->HFarbe, 3u);
    EXPECT_EQ(info->HDeck, 50);
    const ObjDataTyp* link = objectsOf(d, Typ::MCLinkPoint, 1)[0];
    EXPECT_DOUBLE_EQ(link->Kx, 0.05 + 0.11); // after the 11-letter title
    EXPECT_EQ(link->PktCap, u""_s);          // present, though empty
    EXPECT_EQ(link->HFarbe, 4u);
    EXPECT_EQ(link->HDeck, 60);

    // The second: blank info, so the link stands at L; no answers: "+ Antwort".
    EXPECT_TRUE(objectsOf(d, Typ::MCInfoPoint, 2).empty());
    EXPECT_DOUBLE_EQ(objectsOf(d, Typ::MCLinkPoint, 2)[0]->Kx, 0.05);
    EXPECT_EQ(objectsOf(d, Typ::MCLinkPoint, 2)[0]->PktCap, u"Link"_s);
    const auto boxes = objectsOf(d, Typ::MCAnswerBox, 2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->Cap, u"+"_s);
    EXPECT_EQ(objectsOf(d, Typ::MCAnswerText, 2)[0]->Cap, u"Antwort"_s);
    EXPECT_EQ(objectsOf(d, Typ::QuestionHeading, 2)[0]->Cap, u"Frage Nr. 2 von 2"_s);
    EXPECT_EQ(current, 1);
}

TEST(MultipleChoiceLayout, AtMostTwelveAnswersNoQuestionsAndRebuilding) {
    Document d = questionDocument(DokTyp::MultipleChoice, {});
    QStringList answers;
    for (int i = 1; i <= 14; ++i)
        answers.append(u"- Antwort %1"_s.arg(i));
    addMC(d, {u"Viele"_s, answers.join(u"\n"_s)});
    addMC(d, {u"Wie?"_s});
    int current = 0;
    layOutMultipleChoice(d, true, current, false);
    const auto boxes = objectsOf(d, Typ::MCAnswerBox, 1);
    ASSERT_EQ(boxes.size(), 12u);
    EXPECT_EQ(boxes[0]->AntwortAnz, 12);
    EXPECT_EQ(objectsOf(d, Typ::MCAnswerText, 1).back()->Cap, u"Antwort 12"_s);
    EXPECT_EQ(objectsOf(d, Typ::MCAnswerBox, 2).size(), 1u);

    // Building again makes the same objects, not twice as many.
    const size_t count = d.objects.size();
    layOutMultipleChoice(d, true, current, false);
    EXPECT_EQ(d.objects.size(), count);

    // Building off keeps them and only corrects the question.
    current = 3;
    layOutMultipleChoice(d, false, current, false);
    EXPECT_EQ(d.objects.size(), count);
    EXPECT_EQ(current, 1);

    // No questions: the buttons only.
    std::erase_if(d.objects, [](const ObjDataTyp& o) { return typOf(o) == Typ::MCQuestion; });
    layOutMultipleChoice(d, true, current, false);
    EXPECT_EQ(typesOf(d), kButtons);
    EXPECT_EQ(d.header.AnzFrageNummern, 0);
    EXPECT_EQ(current, -1);
}

TEST(QuestionLayouts, ReadingComposingAndTheBoxPictures) {
    const LayoutSet layouts = buildLayoutSet();
    Document mc = questionDocument(DokTyp::MultipleChoice, {0.05, 0.04, 0.05, 0.045});
    addMC(mc, {u"Eins?"_s, u"+ ja\n- nein"_s});
    addMC(mc, {u"Zwei?"_s, u"+ ja\n- nein"_s});
    Document single = questionDocument(DokTyp::SingleQuestions, {0.1, 0.165, 0.05, 0.195});
    single.header.fragentext = u"A // a\nB // b"_s;

    // After reading, multiple choice is built; single questions stay as stored.
    layouts.generateAfterReading(mc);
    layouts.generateAfterReading(single);
    EXPECT_EQ(mc.header.AnzFrageNummern, 2);
    EXPECT_TRUE(single.objects.empty());
    single.applyPageGeometry(false, layouts);
    EXPECT_EQ(single.objects.back().Cap, u"b"_s);

    // Composing corrects the current question and shows only its objects.
    for (Document* d : {&mc, &single}) {
        ViewComposer composer(*d, layouts);
        composer.state().currentQuestion = 7;
        composer.setViewArea(QSize(1024, 768));
        composer.rebuild();
        EXPECT_EQ(composer.state().currentQuestion, 1);
        for (const ObjDataTyp& o : d->objects) {
            if (o.FrageNummer == 2) {
                EXPECT_FALSE(composer.isVisible(o));
            } else if (o.FrageNummer == 1 || isNavigationButton(typOf(o))) {
                EXPECT_TRUE(composer.isVisible(o));
            }
        }
    }

    const AnswerBoxPictures& boxes = answerBoxPictures();
    EXPECT_EQ(boxes.MCImg0.size(), QSize(65, 65));
    EXPECT_EQ(boxes.MCImg1.size(), QSize(65, 65));
    EXPECT_NE(boxes.MCImg0, boxes.MCImg1);
    EXPECT_FALSE(answerBoxShown(QImage(65, 65, QImage::Format_ARGB32)).has_value());
    // Drawn anew when large: the frame stays a hard edge, not a blur.
    const QImage big = drawAnswerBox(true, QSize(400, 400));
    EXPECT_EQ(big.size(), QSize(400, 400));
    EXPECT_EQ(qAlpha(big.pixel(200, 200)), 255);
    EXPECT_EQ(qAlpha(big.pixel(2, 2)), 0);
}

namespace {

// Composes `d` on a view of `view` pixels and returns its page picture size.
QSize compose(Document& d, const LayoutSet& layouts, QSize view) {
    ViewComposer composer(d, layouts);
    composer.state().currentQuestion = 1;
    composer.setViewArea(view);
    composer.rebuild();
    return composer.page().size();
}

} // namespace

TEST(QuestionLayouts, LongTextsWrapAtTheRightMargin) {
    const LayoutSet layouts = buildLayoutSet();
    const PageRect margins{0.05, 0.04, 0.07, 0.045};
    QString text;
    while (text.size() < 121)
        text += u"Welcher Planet unseres Sonnensystems hat die meisten Monde? "_s;
    text = text.left(121);

    Document single = questionDocument(DokTyp::SingleQuestions, margins);
    single.header.fragentext = text + u" // "_s + text;
    single.applyPageGeometry(false, layouts);
    // Stored single questions are read back without their (runtime) limits.
    Document read = single;
    for (ObjDataTyp& o : read.objects)
        o.WidthLimit = 0.0;
    layouts.generateAfterReading(read);
    Document mc = questionDocument(DokTyp::MultipleChoice, margins);
    addMC(mc, {u"Welcher?"_s, u"+ "_s + text + u"\n- Mars"_s});
    layouts.generateAfterReading(mc);

    for (Document* d : {&single, &read, &mc}) {
        const QSize page = compose(*d, layouts, QSize(1280, 960));
        int checked = 0;
        for (const ObjDataTyp& o : d->objects) {
            const Typ typ = typOf(o);
            if (o.FrageNummer != 1 || (typ != Typ::QuestionText && typ != Typ::QuestionAnswer &&
                                       typ != Typ::MCAnswerText && typ != Typ::MCQuestionText))
                continue;
            ++checked;
            EXPECT_LE(o.KartRect.right, 1.0 - margins.right + 1.0 / page.width())
                << o.Typ << " " << o.Cap.left(20).toStdString();
        }
        EXPECT_GE(checked, 2);
    }
}

TEST(MultipleChoiceLayout, OkNeverLiesOnTheNavigationButtons) {
    const LayoutSet layouts = buildLayoutSet();
    struct Case {
        QSize base;
        int answers;
    } const cases[] = {{{870, 620}, 4},  {{870, 620}, 5},  {{870, 620}, 8}, {{870, 620}, 12},
                       {{1600, 900}, 4}, {{1600, 900}, 5}, {{800, 600}, 6}, {{800, 600}, 1},
                       {{400, 600}, 12}, {{1600, 900}, 12}};
    for (const Case& c : cases) {
        Document d = questionDocument(DokTyp::MultipleChoice, {0.05, 0.04, 0.05, 0.045});
        d.basePicture = QImage(c.base, QImage::Format_ARGB32);
        d.basePicture.fill(Qt::white);
        d.derivePageGeometry();
        QStringList answers;
        for (int a = 0; a < c.answers; ++a)
            answers.append(u"- Antwort "_s + QString::number(a + 1));
        addMC(d, {u"Welche?"_s, answers.join(u'\n')});
        layouts.generateAfterReading(d);
        const auto boxes = objectsOf(d, Typ::MCAnswerBox);
        const auto texts = objectsOf(d, Typ::MCAnswerText);
        const ObjDataTyp* ok = objectsOf(d, Typ::MCOkButton)[0];
        compose(d, layouts, QSize(1280, 960));
        const QRectF okCard(QPointF(ok->KartRect.left, ok->KartRect.top),
                            QPointF(ok->KartRect.right, ok->KartRect.bottom));
        for (const ObjDataTyp& o : d.objects) {
            if (!isNavigationButton(typOf(o)))
                continue;
            const QRectF button(QPointF(o.KartRect.left, o.KartRect.top),
                                QPointF(o.KartRect.right, o.KartRect.bottom));
            EXPECT_FALSE(okCard.intersects(button))
                << c.base.width() << "x" << c.base.height() << ", " << c.answers
                << " answers: OK on button " << o.Typ;
        }
        // "OK" stays below the last answer, the answers where they were.
        EXPECT_GT(ok->Ky, boxes.back()->Ky);
        EXPECT_FALSE(okCard.intersects(
            QRectF(QPointF(texts.back()->KartRect.left, texts.back()->KartRect.top),
                   QPointF(texts.back()->KartRect.right, texts.back()->KartRect.bottom))));
        EXPECT_DOUBLE_EQ(boxes.back()->Kx, 0.05 + 0.12);
    }
}
