// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise on screen, driven by simulated mouse and keys through whole
// short exercises on the sample documents.
#include "answertext.h"
#include "cardplacement.h"
#include "clusterlayout.h"
#include "document.h"
#include "exerciseclock.h"
#include "exercisecontroller.h"
#include "exerciseresultcontroller.h"
#include "exerciserun.h"
#include "exercisesettingscontroller.h"
#include "infobox.h"
#include "labellingdocument.h"
#include "layoutset.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "randomgenerator.h"
#include "settings.h"
#include "shellfixture.h"
#include "soundplayer.h"
#include "tnameeingabeform.h"
#include "toolbar.h"
#include "toolcommands.h"
#include "tuebfertigform.h"
#include "uebelempan.h"
#include "ueboptform.h"
#include "uebstatuspan.h"
#include "uebungpan.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <optional>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kEnded = u"Die Übung ist beendet."_s;

class ExerciseScreenTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        activate();
        window->settings().UebNameEingabe = false;
        // The end shows its message instead of the modal result window,
        // except where a test looks at that window.
        window->settings().UebErgebAnzeigen = false;
        window->exerciseSettings().labellingForm()->showBeforeEachExercise()->setChecked(false);
        exercise().setClock(&clock);
        window->resize(1280, 900);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    ExerciseController& exercise() { return window->exercise(); }
    UebungPan& panel() { return *exercise().panel(); }
    ExerciseRun& run() { return exercise().run(); }
    Document& document() { return window->session().document(); }
    const ObjDataTyp& object(int index) { return document().objects[size_t(index)]; }

    // Builds the sample document `name` from its source and opens it.
    void open(const QString& name) {
        const QString file = path(name + u".qvl"_s);
        if (!QFileInfo::exists(file)) {
            const CommandOutcome built = buildCommand(
                QStringLiteral(QUORVEL_EXAMPLES_SOURCE) + u'/' + name + u".json"_s, file);
            ASSERT_EQ(built.exitCode, kExitOk) << built.errors.join(u' ').toStdString();
        }
        ASSERT_TRUE(window->session().readAsCurrent(file));
    }
    void startExercise() {
        window->commands().trigger(u"UebungStart1"_s);
        ASSERT_EQ(window->modus(), Modus::Exercise) << prompter->order.join(u" | "_s).toStdString();
        ASSERT_TRUE(exercise().panel() && panel().isVisible());
    }
    // Lets the end, queued after the last answer, run.
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    bool asked(const QString& text) const { return prompter->order.contains(text); }
    QString status(const QString& label) { return exercise().statusPanel()->label(label)->text(); }

    static void send(QWidget* widget, QEvent::Type type, QPoint panelPoint,
                     Qt::MouseButtons buttons) {
        const QPointF local = widget->mapFromParent(panelPoint);
        QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    // Drags `card` by the mouse so that the middle of its left edge comes to
    // `goal` (panel pixels), and releases it there.
    static void drag(UebElemPan* card, QPoint goal) {
        const QPoint grab = card->geometry().center();
        const QPoint to = goal + (grab - card->pos()) - QPoint(0, card->height() / 2);
        send(card, QEvent::MouseButtonPress, grab, Qt::LeftButton);
        send(card, QEvent::MouseMove, (grab + to) / 2, Qt::LeftButton);
        send(card, QEvent::MouseMove, to, Qt::LeftButton);
        send(card, QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    // Types `text` key by key (also letters beyond ASCII).
    static void typeText(QWidget* widget, const QString& text) {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(widget, &release);
        }
    }
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    // Pixels of `panel` within `area` near `colour`.
    int pixelsNear(const QRect& area, const QColor& colour) {
        const QImage shot = panel().grab().toImage();
        int count = 0;
        for (int y = std::max(0, area.top()); y <= std::min(shot.height() - 1, area.bottom()); ++y)
            for (int x = std::max(0, area.left()); x <= std::min(shot.width() - 1, area.right());
                 ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <
                    40)
                    ++count;
            }
        return count;
    }
    // An open target whose text differs from that of card `card`.
    int wrongTargetFor(int card) {
        for (const QueryPair& pair : run().session().AbfrageFolge) {
            if (pair.target >= 0 && object(pair.target).AbfrageStatus == AbfrageStatus::Open &&
                normalisedText(run().displayText(pair.target)) !=
                    normalisedText(run().displayText(card)))
                return pair.target;
        }
        return -1;
    }

    // The middle of cluster basket `basket` in panel pixels.
    QPoint basketCentre(int basket) { return panel().basketRect(basket).center(); }
    // The basket whose column holds the cell of cluster card `card`.
    int homeBasket(const UebElemPan* card) {
        const QSize page = panel().composer().page().size();
        const PageRect& home = object(card->object()).KartRect;
        return clusterBasketAt(document(), page,
                               QPoint(int((home.left + home.right) / 2 * page.width()),
                                      int((home.top + home.bottom) / 2 * page.height())));
    }
    // Whether `target` (an object, or a basket for cluster cards) takes
    // `card` as a right answer.
    bool takes(int target, const UebElemPan* card) {
        if (dokTypOf(document().header) == DokTyp::Cluster)
            return target > 0 && target == homeBasket(card);
        return target >= 0 && object(target).AbfrageStatus == AbfrageStatus::Open &&
               normalisedText(run().displayText(target)) ==
                   normalisedText(run().displayText(card->object()));
    }
    // An open target that takes `card`, or -1 (a distractor).
    int rightTargetFor(const UebElemPan* card) {
        if (dokTypOf(document().header) == DokTyp::Cluster)
            return homeBasket(card);
        for (int target : run().targetCandidates()) {
            if (takes(target, card))
                return target;
        }
        return -1;
    }

    VirtualClock clock;
};

TEST_F(ExerciseScreenTest, LabellingByMouseGlidesBackWhenWrongAndEndsInTheLearningView) {
    // The feedback sounds, found in the program folder's sound folder.
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"basis/sound"_s));
    for (const QString& name : {u"richtig1.wav"_s, u"falsch1.wav"_s}) {
        QFile sound(path(u"basis/sound/"_s + name));
        ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
    }
    open(u"sonnensystem"_s);
    QToolButton* fold = window->learningView().toolBar().button(u"KlappPan"_s);
    ASSERT_TRUE(fold && !fold->isHidden());
    startExercise();
    EXPECT_TRUE(fold->isHidden()) << "no folding of the tool bar during an exercise";
    const auto order = run().session().AbfrageFolge;
    UebElemPan* card = panel().card(0);
    ASSERT_TRUE(card && card->isVisible());
    const QPoint home = card->pos();
    const int wrong = wrongTargetFor(order[0].card);
    ASSERT_GE(wrong, 0);

    drag(card, panel().targetRect(wrong).center());
    EXPECT_EQ(card->pos(), home) << "the card glides back to where the drag started";
    EXPECT_EQ(run().session().Fehlversuche, 1.0);
    EXPECT_EQ(object(wrong).ZielFehlversuche, 1);
    EXPECT_EQ(status(u"FalschLab"_s), u"1"_s);
    EXPECT_TRUE(panel().highlight().isEmpty());
    SoundPlayer& sounds = window->exerciseSettings().sounds();
    EXPECT_TRUE(sounds.lastPlayed().endsWith(u"/falsch1.wav"_s))
        << sounds.lastPlayed().toStdString();

    // A release over nothing leaves the card where it was dropped.
    drag(card, QPoint(5, 5));
    EXPECT_NE(card->pos(), home);
    EXPECT_EQ(run().session().Fehlversuche, 1.0);

    for (size_t k = 0; k < order.size(); ++k) {
        UebElemPan* c = panel().card(int(k));
        ASSERT_TRUE(c) << k;
        drag(c, panel().targetRect(order[k].card).center());
        EXPECT_EQ(object(order[k].card).AbfrageStatus, AbfrageStatus::Uncovered) << k;
        EXPECT_TRUE(sounds.lastPlayed().endsWith(u"/richtig1.wav"_s)) << k;
    }
    settle();
    EXPECT_TRUE(asked(kEnded));
    EXPECT_EQ(window->modus(), Modus::LearningView);
    EXPECT_FALSE(fold->isHidden());
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(panel().findChildren<UebElemPan*>().size(), 0);
}

// With the result window on, the end shows it; "Übung wiederholen" with the
// partial choice starts the exercise again on screen with only the card and
// the target of the failed attempt, and "Zur Lernansicht" leaves.
TEST_F(ExerciseScreenTest, TheResultWindowRepeatsTheExerciseOnScreen) {
    window->settings().UebErgebAnzeigen = true;
    open(u"sonnensystem"_s);
    startExercise();
    const auto order = run().session().AbfrageFolge;
    const int wrong = wrongTargetFor(order[0].card);
    ASSERT_GE(wrong, 0);
    drag(panel().card(0), panel().targetRect(wrong).center());
    for (size_t k = 0; k < order.size(); ++k)
        drag(panel().card(int(k)), panel().targetRect(order[k].card).center());
    ASSERT_FALSE(run().running());

    TUebFertigForm* form = window->exerciseResults().resultWindow();
    bool shown = false;
    QTimer::singleShot(0, form, [&] {
        shown = form->isVisible();
        form->repetitionGroup()->button(1)->click();
        form->findChild<QPushButton*>(u"WiederholenBtn"_s)->click();
    });
    settle();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(asked(kEnded));
    EXPECT_EQ(window->modus(), Modus::Exercise);
    ASSERT_TRUE(run().running());
    EXPECT_EQ(run().session().AbfrageAnz, 2);
    EXPECT_TRUE(panel().isVisible());
    ASSERT_TRUE(panel().card(0));

    const auto again = run().session().AbfrageFolge;
    for (size_t k = 0; k < again.size(); ++k) {
        ASSERT_TRUE(panel().card(int(k))) << k;
        drag(panel().card(int(k)), panel().targetRect(again[k].card).center());
    }
    ASSERT_FALSE(run().running());
    QTimer::singleShot(0, form,
                       [&] { form->findChild<QPushButton*>(u"LernansichtBtn"_s)->click(); });
    settle();
    EXPECT_EQ(window->modus(), Modus::LearningView);
    EXPECT_FALSE(panel().isVisible());
}

// The marks the page shows for each state, checked on the panel's pixels.
TEST_F(ExerciseScreenTest, MarksShowOpenWrongAndSolvedTargets) {
    window->settings().UebOpt.ZuordnungFalsch = 1;  // red cross
    window->settings().UebOpt.ZuordnungRichtig = 1; // green tick
    open(u"sonnensystem"_s);
    startExercise();
    const auto order = run().session().AbfrageFolge;
    const int wrong = wrongTargetFor(order[0].card);
    const QColor openFill(0xEC, 0xEC, 0xE8), red(220, 0, 0), green(0, 196, 0);
    EXPECT_GT(pixelsNear(panel().targetRect(wrong), openFill), 20);
    // The open mark's number is red too, but far smaller than the cross.
    const int redBefore = pixelsNear(panel().targetRect(wrong), red);

    drag(panel().card(0), panel().targetRect(wrong).center());
    ASSERT_EQ(object(wrong).AbfrageStatus, AbfrageStatus::ClosedWrong);
    EXPECT_GT(pixelsNear(panel().targetRect(wrong), red), redBefore + 30);
    EXPECT_EQ(pixelsNear(panel().targetRect(wrong), openFill), 0);

    int solved = -1;
    for (size_t k = 0; k < order.size() && solved < 0; ++k) {
        if (object(order[k].card).AbfrageStatus == AbfrageStatus::Open && order[k].card != wrong &&
            panel().card(int(k))) {
            solved = order[k].card;
            drag(panel().card(int(k)), panel().targetRect(solved).center());
        }
    }
    ASSERT_EQ(object(solved).AbfrageStatus, AbfrageStatus::SolvedTick);
    EXPECT_GT(pixelsNear(panel().targetRect(solved), green), 10);
    EXPECT_EQ(pixelsNear(panel().targetRect(solved), openFill), 0);
}

TEST_F(ExerciseScreenTest, WholeLabellingExerciseByKeyboard) {
    open(u"sonnensystem"_s);
    startExercise();
    // Escape puts a carried card back.
    auto* first = qobject_cast<UebElemPan*>(panel().focusWidget());
    ASSERT_TRUE(first);
    const QPoint home = first->pos();
    QTest::keyClick(first, Qt::Key_Space);
    EXPECT_TRUE(panel().carrying());
    EXPECT_FALSE(panel().highlight().isEmpty());
    QTest::keyClick(first, Qt::Key_Right);
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_FALSE(panel().carrying());
    EXPECT_EQ(first->pos(), home);
    EXPECT_TRUE(panel().highlight().isEmpty());

    // Tab goes down the card column and round to the first card again, never
    // out of the panel; Shift+Tab goes back.
    int cards = 0;
    for (const UebElemPan* card : panel().findChildren<UebElemPan*>())
        cards += card->isVisible() ? 1 : 0;
    ASSERT_GE(cards, 3);
    QWidget* previous = first;
    for (int i = 1; i < cards; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto* focus = qobject_cast<UebElemPan*>(QApplication::focusWidget());
        ASSERT_TRUE(focus && focus->parentWidget() == &panel()) << i;
        EXPECT_GT(focus->y(), previous->y()) << i;
        previous = focus;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), first);
    QTest::keyClick(first, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), previous);
    QTest::keyClick(previous, Qt::Key_Tab);

    const int queries = run().session().AbfrageAnz;
    for (int answer = 0; answer < queries && run().running(); ++answer) {
        auto* card = qobject_cast<UebElemPan*>(panel().focusWidget());
        ASSERT_TRUE(card && card->isVisible()) << answer;
        QTest::keyClick(card, answer % 2 ? Qt::Key_Return : Qt::Key_Space);
        const QString text = normalisedText(run().displayText(card->object()));
        for (int step = 0; step < 40 && normalisedText(run().displayText(panel().target())) != text;
             ++step)
            QTest::keyClick(card, step % 2 ? Qt::Key_Tab : Qt::Key_Down);
        ASSERT_EQ(normalisedText(run().displayText(panel().target())), text);
        QTest::keyClick(card, Qt::Key_Return);
    }
    settle();
    EXPECT_TRUE(asked(kEnded));
    EXPECT_EQ(run().session().Richtig, double(queries));
    EXPECT_EQ(run().session().Fehlversuche, 0.0);
}

// Single card (1): one card, centred in the card column, the next after an
// answer. Single position (2): every card, but only the marked position
// takes one.
TEST_F(ExerciseScreenTest, SingleCardAndSinglePositionModes) {
    for (const int mode : {1, 2}) {
        window->settings().UebOpt.AbfrageModus = mode;
        open(u"sonnensystem"_s);
        startExercise();
        std::vector<UebElemPan*> shown;
        for (UebElemPan* card : panel().findChildren<UebElemPan*>()) {
            if (card->isVisible())
                shown.push_back(card);
        }
        const auto& s = run().session();
        if (mode == 1) {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0]->entry(), s.AktIndex);
            EXPECT_EQ(shown[0]->y(), (panel().height() - shown[0]->height()) / 2);
            const int card = shown[0]->object();
            drag(shown[0], panel().targetRect(card).center());
            EXPECT_EQ(run().session().Richtig, 1.0);
            EXPECT_TRUE(panel().card(run().session().AktIndex)->isVisible());
        } else {
            EXPECT_EQ(int(shown.size()), s.AbfrageAnz);
            const int current = run().currentTarget();
            ASSERT_EQ(run().targetCandidates(), std::vector<int>{current});
            auto* card = qobject_cast<UebElemPan*>(panel().focusWidget());
            ASSERT_TRUE(card);
            QTest::keyClick(card, Qt::Key_Space);
            EXPECT_EQ(panel().target(), current);
            QTest::keyClick(card, Qt::Key_Down); // there is no other position to go to
            EXPECT_EQ(panel().target(), current);
            QTest::keyClick(card, Qt::Key_Escape);
        }
        prompter->answers = {Answer::Yes};
        window->commands().trigger(u"Uebungabbrechen1"_s);
        ASSERT_EQ(window->modus(), Modus::LearningView);
    }
}

TEST_F(ExerciseScreenTest, TextInputIsJudgedOnWeiter) {
    window->settings().UebOpt.AbfrageModus = 3;
    window->settings().UebOpt.AnzZeichenVorgeben = true;
    open(u"lueckentext"_s);
    startExercise();
    std::vector<std::pair<int, QLineEdit*>> fields;
    for (const QueryPair& pair : run().session().AbfrageFolge) {
        if (QLineEdit* field = panel().inputField(pair.target))
            fields.emplace_back(pair.target, field);
    }
    ASSERT_GE(fields.size(), 2u);
    // A gap's field writes as large as the cloze text around it.
    ASSERT_GT(document().clozeFontSize, 0);
    EXPECT_EQ(fields[0].second->font().pixelSize(), document().clozeFontSize);
    EXPECT_EQ(panel().focusWidget(), fields[0].second) << "typing starts in the first field";
    // The "<n>" hint goes with the first key.
    EXPECT_EQ(fields[0].second->text(),
              u"<"_s + QString::number(object(fields[0].first).Cap.size()) + u">"_s);
    for (size_t i = 0; i < fields.size(); ++i)
        typeText(fields[i].second, i == 0 ? u"falsch"_s : object(fields[i].first).Cap);
    EXPECT_EQ(run().input(fields[0].first), u"falsch"_s);

    QColor wrongColour, rightColour;
    exercise().setEndHandler([&](ExerciseSession&) {
        wrongColour = fields[0].second->palette().color(QPalette::Base);
        rightColour = fields[1].second->palette().color(QPalette::Base);
        return false;
    });
    UebElemPan* weiter = nullptr;
    for (UebElemPan* card : panel().findChildren<UebElemPan*>()) {
        if (card->look() == UebElemPan::Look::Button && card->isVisible())
            weiter = card;
    }
    ASSERT_TRUE(weiter);
    EXPECT_EQ(weiter->geometry().bottomRight(), panel().rect().bottomRight() - QPoint(1, 1));
    click(weiter);
    settle();
    EXPECT_EQ(run().session().Fehlversuche, 1.0);
    EXPECT_EQ(run().session().Richtig, double(fields.size() - 1));
    EXPECT_EQ(wrongColour, QColor(0xFF, 0x96, 0x8F));
    EXPECT_EQ(rightColour, QColor(0x9B, 0xFF, 0x8F));
    EXPECT_EQ(window->modus(), Modus::LearningView);
}

// Every question answered right, once by mouse and once by keyboard
// (Space ticks, Enter on "Weiter").
TEST_F(ExerciseScreenTest, MultipleChoiceTicksAndWeiter) {
    for (const bool keyboard : {false, true}) {
        open(u"multiple-choice"_s);
        startExercise();
        const auto press = [keyboard](UebElemPan* card, Qt::Key key) {
            if (keyboard)
                QTest::keyClick(card, key);
            else
                click(card);
        };
        for (int question = 0; question < 50 && run().running(); ++question) {
            UebElemPan* weiter = nullptr;
            for (UebElemPan* card : panel().findChildren<UebElemPan*>()) {
                if (!card->isVisible())
                    continue;
                if (card->look() == UebElemPan::Look::Button)
                    weiter = card;
                else if (card->look() == UebElemPan::Look::TickBox &&
                         object(card->object()).Cap == u"+"_s) {
                    press(card, Qt::Key_Space);
                    EXPECT_TRUE(card->ticked());
                }
            }
            ASSERT_TRUE(weiter) << question;
            press(weiter, Qt::Key_Return);
        }
        settle();
        EXPECT_TRUE(asked(kEnded)) << keyboard;
        EXPECT_EQ(run().session().Fehlversuche, 0.0) << keyboard;
        EXPECT_EQ(run().session().Richtig, double(run().session().AbfrageAnz)) << keyboard;
        EXPECT_EQ(window->modus(), Modus::LearningView);
        prompter->order.clear();
    }
}

// A question's info point opens during the exercise as in the learning view.
TEST_F(ExerciseScreenTest, InfoPointOpensDuringTheExercise) {
    open(u"multiple-choice"_s);
    startExercise();
    // "Weiter" without ticks moves on until a question with a point is asked.
    int point = -1;
    for (int question = 0; question < 20 && point < 0 && run().running(); ++question) {
        for (size_t i = 0; i < document().objects.size(); ++i) {
            const ObjDataTyp& o = object(int(i));
            if (typOf(o) == Typ::MCInfoPoint && o.FrageNummer == run().currentQuestion())
                point = int(i);
        }
        if (point < 0)
            run().confirm();
    }
    ASSERT_GE(point, 0);
    InfoBox* box = window->learningView().infoBox();
    ASSERT_TRUE(box);
    EXPECT_FALSE(box->isVisible());
    QTest::mouseClick(&panel(), Qt::LeftButton, {}, panel().targetRect(point).center());
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(run().running());
    box->hide();
}

// Every question answered, by mouse and by keyboard in turn, to the end.
TEST_F(ExerciseScreenTest, SingleQuestionAnswersAreChosen) {
    open(u"einzelfragen"_s);
    startExercise();
    const auto& order = run().session().AbfrageFolge;
    for (int question = 0; question < 50 && run().running(); ++question) {
        const int answer = order[size_t(run().session().AktIndex)].target;
        UebElemPan* right = nullptr;
        int shown = 0;
        for (size_t k = 0; k < order.size(); ++k) {
            UebElemPan* card = panel().card(int(k));
            if (!card || !card->isVisible())
                continue;
            ++shown;
            EXPECT_TRUE(panel().rect().contains(card->geometry())) << k;
            if (normalisedText(run().displayText(card->object())) ==
                normalisedText(run().displayText(answer)))
                right = card;
        }
        EXPECT_GE(shown, 2);
        EXPECT_LE(shown, 6);
        ASSERT_TRUE(right) << question;
        if (question % 2)
            QTest::keyClick(right, Qt::Key_Space);
        else
            click(right);
        EXPECT_EQ(run().session().Richtig, double(question + 1));
    }
    settle();
    EXPECT_TRUE(asked(kEnded));
    EXPECT_EQ(run().session().Fehlversuche, 0.0);
}

TEST_F(ExerciseScreenTest, CrossMatchingPairIsConnected) {
    open(u"zuordnung"_s);
    startExercise();
    const auto& order = run().session().AbfrageFolge;
    // Two elements of the order, in different columns, with the same pair key.
    UebElemPan* first = nullptr;
    UebElemPan* partner = nullptr;
    for (size_t a = 0; a < order.size() && !partner; ++a) {
        for (size_t b = a + 1; b < order.size() && !partner; b += 2) {
            if (panel().card(int(a)) && panel().card(int(b)) &&
                object(order[a].card).BildKenn == object(order[b].card).BildKenn) {
                first = panel().card(int(a));
                partner = panel().card(int(b));
            }
        }
    }
    ASSERT_TRUE(partner);
    ASSERT_TRUE(first->isVisible() && partner->isVisible());
    click(first);
    EXPECT_TRUE(first->selected());
    EXPECT_FALSE(partner->selected());
    const int open = run().session().OffenAnz;
    click(partner);
    EXPECT_EQ(run().session().OffenAnz, open - 1);
    EXPECT_EQ(run().session().Richtig, 1.0);
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(partner->isVisible());
    EXPECT_FALSE(first->selected());

    // The other pairs, to the end.
    for (int pairs = 0; pairs < 40 && run().running(); ++pairs) {
        bool clicked = false;
        for (size_t a = 0; a < order.size() && !clicked; ++a) {
            for (size_t b = a + 1; b < order.size() && !clicked; b += 2) {
                UebElemPan* x = panel().card(int(a));
                UebElemPan* y = panel().card(int(b));
                if (x && y && x->isVisible() && y->isVisible() &&
                    object(x->object()).BildKenn == object(y->object()).BildKenn) {
                    // By mouse and by keyboard in turn.
                    if (pairs % 2) {
                        QTest::keyClick(x, Qt::Key_Space);
                        QTest::keyClick(y, Qt::Key_Return);
                    } else {
                        click(x);
                        click(y);
                    }
                    clicked = true;
                }
            }
        }
        ASSERT_TRUE(clicked) << "no pair left to connect";
    }
    settle();
    EXPECT_TRUE(asked(kEnded));
    EXPECT_EQ(run().session().Fehlversuche, 0.0);
}

// Every card into the basket of its own cell (where the learning view drew
// it), the first also once into a wrong basket, from which it glides back.
TEST_F(ExerciseScreenTest, ClusterCardsGoIntoTheirBaskets) {
    open(u"cluster"_s);
    startExercise();
    const auto& order = run().session().AbfrageFolge;
    const int baskets = clusterBasketCount(document());
    ASSERT_GE(baskets, 2);
    for (size_t k = 0; k < order.size(); ++k) {
        UebElemPan* card = panel().card(int(k));
        ASSERT_TRUE(card && card->isVisible()) << k;
        const int basket = homeBasket(card);
        ASSERT_GT(basket, 0) << k;
        if (k == 0) {
            const QPoint start = card->pos();
            drag(card, basketCentre(basket % baskets + 1) - QPoint(card->width() / 2, 0));
            EXPECT_EQ(card->pos(), start);
            EXPECT_EQ(run().session().Fehlversuche, 1.0);
        }
        drag(card, basketCentre(basket) - QPoint(card->width() / 2, 0));
    }
    settle();
    EXPECT_TRUE(asked(kEnded));
    EXPECT_EQ(run().session().Richtig, double(run().session().AbfrageAnz));
    EXPECT_EQ(run().session().Fehlversuche, 1.0);
}

TEST_F(ExerciseScreenTest, ClockShowsChangesOnlyAndTimesOut) {
    window->settings().UebOpt.ZeitLimit = 1;
    window->settings().UebOpt.ZLimitMin = u"0"_s;
    window->settings().UebOpt.ZLimitSek = u"2"_s;
    open(u"sonnensystem"_s);
    startExercise();
    QLabel* label = exercise().statusPanel()->label(u"UebZeitLab"_s);
    EXPECT_EQ(status(u"UebZeitModeLab"_s), u"Verbleibende Zeit:"_s);
    EXPECT_EQ(label->text(), u"00:02"_s);
    // The remaining time is cut to whole seconds; the end comes below one.
    clock.set(300);
    exercise().tick();
    EXPECT_EQ(label->text(), u"00:01"_s);
    clock.set(1000);
    exercise().tick();
    EXPECT_EQ(label->text(), u"00:01"_s);
    EXPECT_TRUE(run().running());
    // While the time-out message is up (its box lets events through), the
    // run has not been completed: no end message, no saved protocol, still
    // the exercise on screen. Only its answer ends the run.
    window->settings().AutoProtSpeichern = true;
    window->settings().ProtOrdner = path(u"protokolle/"_s);
    const QString timeOut = u"Das Zeitlimit ist erreicht, die Übung wird beendet."_s;
    std::optional<bool> endedUnderTheMessage;
    prompter->duringMessage = [&](const QString& text) {
        if (text != timeOut)
            return;
        settle();
        endedUnderTheMessage = asked(kEnded) || window->modus() != Modus::Exercise ||
                               QFileInfo::exists(path(u"protokolle"_s));
    };
    clock.set(1100);
    exercise().tick();
    settle();
    ASSERT_TRUE(endedUnderTheMessage.has_value()) << "the time-out message was not shown";
    EXPECT_FALSE(*endedUnderTheMessage);
    EXPECT_LT(prompter->order.indexOf(timeOut), prompter->order.indexOf(kEnded));
    EXPECT_EQ(QDir(path(u"protokolle"_s)).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(run().session().EndeGrund, EndReason::TimeOut);
    EXPECT_EQ(window->modus(), Modus::LearningView);
}

TEST_F(ExerciseScreenTest, AbortStartAndClosingAskFirst) {
    open(u"sonnensystem"_s);
    startExercise();
    const QString really =
        u"Die aktuelle Übung ist noch nicht beendet.\r\nÜbung wirklich abbrechen?"_s;
    // F7 again is refused while the exercise runs.
    window->commands().trigger(u"UebungStart1"_s);
    EXPECT_TRUE(prompter->order.last().startsWith(
        u"Die aktuelle Übung ist noch nicht beendet.\r\nWählen Sie"_s));

    prompter->answers = {Answer::No};
    window->commands().trigger(u"Uebungabbrechen1"_s);
    EXPECT_EQ(prompter->order.last(), really);
    EXPECT_EQ(window->modus(), Modus::Exercise);

    prompter->answers = {Answer::No};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->modus(), Modus::Exercise);
    EXPECT_TRUE(run().running());

    prompter->answers = {Answer::Yes};
    window->commands().trigger(u"Uebungabbrechen1"_s);
    settle();
    EXPECT_EQ(window->modus(), Modus::LearningView);
    EXPECT_EQ(run().session().EndeGrund, EndReason::Aborted);
    EXPECT_FALSE(asked(kEnded));
    for (const ObjDataTyp& o : document().objects)
        EXPECT_TRUE(o.AbfrageStatus == AbfrageStatus::Uncovered ||
                    o.AbfrageStatus == AbfrageStatus::Covered);
    // Another document while an exercise runs (after the question): the
    // exercise goes, the new document shows in the learning view.
    startExercise();
    open(u"lueckentext"_s);
    EXPECT_EQ(window->modus(), Modus::LearningView);
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(run().running());
}

// The name entry comes after the refusals, and its text counts whatever
// closed it.
TEST_F(ExerciseScreenTest, NameEntryBeforeTheStart) {
    window->settings().UebNameEingabe = true;
    TNameEingabeForm* form = exercise().nameForm();
    std::vector<bool> shown; // whether the dialog was up when each answer came
    const auto answer = [&](const QString& name) {
        QTimer::singleShot(0, form, [&, name] {
            shown.push_back(form->isVisible());
            form->nameEdit()->setText(name);
            form->reject();
        });
    };
    answer(u"Niemand"_s);
    window->commands().trigger(u"UebungStart1"_s); // the empty start document
    EXPECT_EQ(prompter->order.last(), u"Dieses Dokument enthält keine Abfrageobjekte."_s);
    EXPECT_EQ(window->modus(), Modus::LearningView);
    QCoreApplication::processEvents(); // the unused answer runs without a dialog
    EXPECT_EQ(shown, std::vector<bool>{false});

    open(u"sonnensystem"_s);
    answer(u"Anna"_s);
    startExercise();
    EXPECT_EQ(shown, (std::vector<bool>{false, true}));
    EXPECT_EQ(run().session().TeilnehmerName, u"Anna"_s);
    EXPECT_EQ(status(u"TNameLab"_s), u"Anna"_s);
    EXPECT_EQ(form->nameEdit()->maxLength(), 30);
}

// "Übungs&einstellungen..." then "Übung starten": the exercise starts at
// once, through the start every other way takes, without the dialog again.
TEST_F(ExerciseScreenTest, TheSettingsDialogStartsTheExerciseAtOnce) {
    TUebOptForm* form = window->exerciseSettings().labellingForm();
    form->showBeforeEachExercise()->setChecked(true);
    open(u"sonnensystem"_s);
    int shown = 0;
    int waited = 0;
    std::function<void()> answer = [&] {
        QTimer::singleShot(0, form, [&] {
            if (!form->isVisible()) {
                if (++waited < 50)
                    answer(); // not up yet
                return;
            }
            ++shown;
            form->startButton()->click();
        });
    };
    answer();
    window->commands().trigger(u"Uebungseinstellungen1"_s);
    settle();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(window->modus(), Modus::Exercise);
    EXPECT_TRUE(run().running());
    EXPECT_TRUE(form->showBeforeEachExercise()->isChecked());
}

// "Übung wiederholen" starts as Start does: the settings dialog and the name
// entry when they are on; the dialog closed otherwise shows the result again.
TEST_F(ExerciseScreenTest, RepeatingAsksTheSettingsAndTheNameAsAStartDoes) {
    window->settings().UebErgebAnzeigen = true;
    window->settings().UebNameEingabe = true;
    open(u"sonnensystem"_s);
    TNameEingabeForm* nameForm = exercise().nameForm();
    QTimer::singleShot(0, nameForm, [&] {
        nameForm->nameEdit()->setText(u"Anna"_s);
        nameForm->accept();
    });
    startExercise();
    ASSERT_EQ(run().session().TeilnehmerName, u"Anna"_s);
    const auto order = run().session().AbfrageFolge;
    for (size_t k = 0; k < order.size(); ++k)
        drag(panel().card(int(k)), panel().targetRect(order[k].card).center());
    ASSERT_FALSE(run().running());

    TUebOptForm* settingsForm = window->exerciseSettings().labellingForm();
    settingsForm->showBeforeEachExercise()->setChecked(true);
    TUebFertigForm* result = window->exerciseResults().resultWindow();
    QPushButton* repeat = result->findChild<QPushButton*>(u"WiederholenBtn"_s);
    std::vector<QString> steps;
    int settingsShown = 0;
    int idle = 0;
    // Each step answers the modal window that is up when it runs.
    std::function<void()> next = [&] {
        QTimer::singleShot(0, result, [&] {
            QWidget* up = QApplication::activeModalWidget();
            if (up == result) {
                steps.push_back(u"Ergebnis"_s);
                repeat->click();
            } else if (up == settingsForm) {
                steps.push_back(u"Einstellungen"_s);
                if (++settingsShown == 1)
                    settingsForm->reject(); // "Schließen": the result comes back
                else
                    settingsForm->startButton()->click();
            } else if (up == nameForm) {
                steps.push_back(u"Name"_s);
                nameForm->nameEdit()->setText(u"Ben"_s);
                nameForm->accept();
                return;
            } else if (++idle > 50) {
                return;
            }
            next();
        });
    };
    next();
    settle();
    for (int i = 0; i < 20 && !run().running(); ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(steps, (std::vector<QString>{u"Ergebnis"_s, u"Einstellungen"_s, u"Ergebnis"_s,
                                           u"Einstellungen"_s, u"Name"_s}));
    ASSERT_TRUE(run().running());
    EXPECT_EQ(window->modus(), Modus::Exercise);
    EXPECT_EQ(run().session().TeilnehmerName, u"Ben"_s);
}

TEST_F(ExerciseScreenTest, ResizeDuringTheExercisePlacesEverythingAgain) {
    open(u"sonnensystem"_s);
    startExercise();
    const int before = panel().pictureWidth();
    window->resize(900, 700);
    settle();
    EXPECT_LT(panel().pictureWidth(), before);
    // The panel covers the learning view, 9 and 8 pixels in from its edges.
    const QRect view = window->view().geometry();
    EXPECT_EQ(panel().parentWidget()->geometry(), view);
    EXPECT_EQ(panel().geometry(), QRect(9, 8, view.width() - 17, view.height() - 16));
    for (UebElemPan* card : panel().findChildren<UebElemPan*>()) {
        if (card->isVisible()) {
            EXPECT_TRUE(panel().rect().contains(card->geometry()))
                << card->objectName().toStdString();
        }
    }
    // The targets still take the cards at their new places.
    const QueryPair pair = run().session().AbfrageFolge[0];
    drag(panel().card(0), panel().targetRect(pair.card).center());
    EXPECT_EQ(run().session().Richtig, 1.0);
}

// Every sample document whose answers are cards, done to its end once by
// mouse and once by the keyboard alone, without a wrong answer. Distractor
// cards are left lying.
struct CardExercise {
    const char* name;
    bool keyboard;
    friend void PrintTo(const CardExercise& e, std::ostream* out) {
        *out << e.name << (e.keyboard ? " by keyboard" : " by mouse");
    }
};

class CardExerciseTest : public ExerciseScreenTest,
                         public ::testing::WithParamInterface<CardExercise> {
protected:
    void byMouse() {
        for (UebElemPan* card : panel().findChildren<UebElemPan*>()) {
            if (!run().running())
                break;
            if (!card->isVisible())
                continue;
            const int target = rightTargetFor(card);
            if (target < 0)
                continue;
            if (dokTypOf(document().header) == DokTyp::Cluster)
                drag(card, basketCentre(target) - QPoint(card->width() / 2, 0));
            else
                drag(card, panel().targetRect(target).center());
            ASSERT_EQ(run().session().Fehlversuche, 0.0) << card->objectName().toStdString();
        }
    }
    void byKeyboard() {
        // Once round with Tab: every stop in sight, and back at the first.
        QWidget* first = panel().focusWidget();
        ASSERT_TRUE(first);
        QWidget* focus = first;
        int stops = 0;
        do {
            ASSERT_EQ(panel().childAt(focus->geometry().center()), focus) << stops;
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = panel().focusWidget();
            ASSERT_TRUE(focus && focus->parentWidget() == &panel()) << stops;
        } while (focus != first && ++stops < 1000);
        ASSERT_EQ(focus, first);
        for (int guard = 0; run().running() && guard < 500; ++guard) {
            QWidget* focus = panel().focusWidget();
            ASSERT_TRUE(focus) << guard;
            // The focus is always to be seen: never on a card lying under others.
            ASSERT_EQ(panel().childAt(focus->geometry().center()), focus) << guard;
            auto* card = qobject_cast<UebElemPan*>(focus);
            if (!card || rightTargetFor(card) < 0) {
                QTest::keyClick(focus, Qt::Key_Tab);
                continue;
            }
            QTest::keyClick(card, Qt::Key_Space);
            ASSERT_TRUE(panel().carrying());
            for (int step = 0; step < 1000 && !takes(panel().target(), card); ++step)
                QTest::keyClick(card, Qt::Key_Down);
            ASSERT_TRUE(takes(panel().target(), card)) << card->objectName().toStdString();
            QTest::keyClick(card, Qt::Key_Return);
            ASSERT_EQ(run().session().Fehlversuche, 0.0);
        }
    }
};

TEST_P(CardExerciseTest, RunsToItsEnd) {
    open(QString::fromLatin1(GetParam().name));
    startExercise();
    const double queries = run().session().AbfrageAnz;
    ASSERT_GT(queries, 0.0);
    if (GetParam().keyboard)
        byKeyboard();
    else
        byMouse();
    settle();
    EXPECT_TRUE(asked(kEnded));
    EXPECT_EQ(run().session().Richtig, queries);
    EXPECT_EQ(run().session().Fehlversuche, 0.0);
    EXPECT_EQ(window->modus(), Modus::LearningView);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, CardExerciseTest,
    ::testing::Values(CardExercise{"lueckentext", false}, CardExercise{"lueckentext", true},
                      CardExercise{"lueckentext-falschwoerter", true},
                      CardExercise{"lueckentext-markup", false}, CardExercise{"ctest", true},
                      CardExercise{"ctest-falschwoerter", false}, CardExercise{"tabelle", true},
                      CardExercise{"kreuzwortraetsel", false},
                      CardExercise{"kreuzwortraetsel", true}, CardExercise{"cluster", true}),
    [](const ::testing::TestParamInfo<CardExercise>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name + (info.param.keyboard ? "_Keyboard" : "_Mouse");
    });

// A labelling run in free mode on a panel of its own, without the main
// window.
struct PanelScene {
    Document document;
    const LayoutSet layouts = buildLayoutSet();
    VirtualClock clock;
    RandomGenerator random{3};
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    ExerciseRun run{document, rules, clock, random};
    UebungPan panel{run, document, layouts};

    PanelScene(Document doc, QSize size) : document(std::move(doc)) {
        run.addObserver([this](const ExerciseEvent& event) { panel.handle(event); });
        StartRequest request;
        request.settings.AbfrageModus = QueryMode::Free;
        EXPECT_TRUE(run.start(request).started());
        panel.resize(size);
        panel.show();
        panel.begin();
    }
};

// More cards than the stacks hold beside half the picture: the others wait,
// hidden, and the cards used make room for them, until every position is
// answered.
TEST(ExercisePanelTest, CardsBeyondTheStacksWaitForRoom) {
    constexpr int kTargets = 12;
    // In this panel four stacks of one or two cards fit, from 220 to 184
    // (four stacks always may, even past the middle).
    const QSize size(400, 200);
    const int leftmost = 184;
    PanelScene scene(labellingDocument(kTargets), size);
    ExerciseRun& run = scene.run;
    UebungPan& panel = scene.panel;
    Document& document = scene.document;

    const auto shownCards = [&panel] {
        std::vector<UebElemPan*> shown;
        for (UebElemPan* card : panel.findChildren<UebElemPan*>()) {
            if (card->isVisible())
                shown.push_back(card);
        }
        return shown;
    };
    const size_t first = shownCards().size();
    EXPECT_GE(first, 4u);
    EXPECT_LT(first, size_t(kTargets));
    EXPECT_EQ(panel.pictureWidth(), leftmost - 5);
    for (int answered = 0; answered < kTargets && run.running(); ++answered) {
        const std::vector<UebElemPan*> shown = shownCards();
        ASSERT_EQ(shown.size(), std::min(first, size_t(kTargets - answered))) << answered;
        for (const UebElemPan* c : shown)
            EXPECT_GE(c->x(), leftmost) << answered;
        UebElemPan* card = shown.front();
        if (answered % 2) {
            // By keyboard: stepped to its target, also where targets overlap.
            QTest::keyClick(card, Qt::Key_Space);
            for (int step = 0; step < kTargets && panel.target() != card->object(); ++step)
                QTest::keyClick(card, Qt::Key_Down);
            QTest::keyClick(card, Qt::Key_Return);
        } else {
            // By mouse: to a place on its own target where the target search
            // finds it (targets may overlap).
            const QRect target = panel.targetRect(card->object());
            std::optional<QPoint> place;
            for (int y = target.top(); y <= target.bottom() && !place; ++y) {
                for (int x = target.left(); x <= target.right() && !place; ++x) {
                    const QRect at(QPoint(x, y - card->height() / 2), card->size());
                    if (run.targetUnder(panel.panelToPage(at)) == card->object())
                        place = at.topLeft();
                }
            }
            ASSERT_TRUE(place) << answered;
            const QPoint grab = card->geometry().center() - card->pos();
            panel.pressCard(card, card->geometry().center());
            panel.dragCard(*place + grab);
            panel.releaseCard();
        }
        ASSERT_EQ(document.objects[size_t(card->object())].AbfrageStatus, AbfrageStatus::Uncovered)
            << answered;
    }
    EXPECT_FALSE(run.running());
    EXPECT_EQ(run.session().Richtig, double(kTargets));
}

// Two targets on the same place: the keyboard drops a card on the target it
// stepped to, not on the one the search by position finds first.
TEST(ExercisePanelTest, KeyboardReachesOverlappingTargets) {
    Document doc = labellingDocument(2);
    ObjDataTyp& second = doc.objects[1];
    const ObjDataTyp& first = doc.objects[0];
    second.Sx = first.Sx;
    second.Sy = first.Sy;
    second.Kx = first.Kx;
    second.Ky = first.Ky;
    PanelScene scene(std::move(doc), QSize(900, 600));
    for (int answered = 0; answered < 2; ++answered) {
        UebElemPan* card = nullptr;
        for (UebElemPan* c : scene.panel.findChildren<UebElemPan*>()) {
            if (c->isVisible() && (!card || c->object() > card->object()))
                card = c; // the second target's card first
        }
        ASSERT_TRUE(card) << answered;
        QTest::keyClick(card, Qt::Key_Space);
        for (int step = 0; step < 2 && scene.panel.target() != card->object(); ++step)
            QTest::keyClick(card, Qt::Key_Down);
        ASSERT_EQ(scene.panel.target(), card->object());
        EXPECT_EQ(scene.panel.highlight().center(),
                  scene.panel.targetRect(card->object()).center());
        QTest::keyClick(card, Qt::Key_Return);
        EXPECT_EQ(scene.run.session().Fehlversuche, 0.0) << answered;
    }
    EXPECT_EQ(scene.run.session().Richtig, 2.0);
}

} // namespace
} // namespace quorvel::test
