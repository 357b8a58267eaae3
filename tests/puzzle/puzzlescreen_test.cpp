// SPDX-License-Identifier: GPL-3.0-or-later
#include "exerciseclock.h"
#include "exercisecontroller.h"
#include "puzzlecontroller.h"
#include "puzzlepan.h"
#include "puzzlesolver.h"
#include "puzzletile.h"
#include "radiogroup.h"
#include "randomgenerator.h"
#include "shellfixture.h"
#include "spuzzlestatuspan.h"
#include "toolcommands.h"
#include "tspuzzleoptform.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kSolved = u"Das Schiebepuzzle ist gelöst!"_s;
const QString kRunning = u"Die aktuelle Übung ist noch nicht beendet.\r\nWählen Sie \"Übung "
                         u"abbrechen\", um die aktuelle Übung vorzeitig abzubrechen."_s;
const QString kNotSolved =
    u"Das aktuelle Schiebepuzzle ist noch nicht gelöst.\r\nÜbung wirklich abbrechen?"_s;

class PuzzleScreenTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        activate();
        puzzle().setClock(&clock);
        puzzle().setReseed([](RandomGenerator& random) { random.seed(11); });
        window->resize(1280, 900);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        const QString file = path(u"sonnensystem.qvl"_s);
        const CommandOutcome built =
            buildCommand(QStringLiteral(QUORVEL_EXAMPLES_SOURCE) + u"/sonnensystem.json"_s, file);
        ASSERT_EQ(built.exitCode, kExitOk) << built.errors.join(u' ').toStdString();
        ASSERT_TRUE(window->session().readAsCurrent(file));
    }

    PuzzleController& puzzle() { return window->puzzle(); }
    const TSchiebepuzzle& model() { return puzzle().puzzle(); }
    PuzzlePan& board() { return *puzzle().board(); }
    QString status(const QString& label) { return puzzle().statusPanel()->label(label)->text(); }
    bool asked(const QString& text) const { return prompter->order.contains(text); }

    // "&Schiebepuzzle" with the dialog answered: side `n`, the click rule,
    // and "Schiebepuzzle starten" (or "Schließen").
    void start(int n, bool everyTile, bool go = true) {
        TSPuzzleOptForm* form = puzzle().optionsForm();
        bool buttonDown = false;
        QTimer::singleShot(0, form, [&, form] {
            buttonDown = window->exercise().startButton()->isChecked();
            form->piecesGroup()->button(n - 3)->click();
            form->clickGroup()->button(everyTile ? 1 : 0)->click();
            (go ? form->startButton() : form->closeButton())->click();
        });
        window->commands().trigger(u"Schiebepuzzle1"_s);
        EXPECT_TRUE(buttonDown) << "the start button is down while the dialog shows";
        EXPECT_FALSE(window->exercise().startButton()->isChecked());
    }
    // The window active again after the dialog: the offscreen platform
    // leaves the application's focus in the hidden dialog.
    void reactivate() {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    // The tile sits where its cell is on the board, one pixel larger.
    void expectInCells() {
        for (int id = 0; id < 9; ++id) {
            const QPoint cell = model().cellOf(id);
            EXPECT_EQ(board().tile(id)->geometry(),
                      QRect(board().board().cellRect(cell.x(), cell.y()).topLeft(),
                            board().board().tile + QSize(1, 1)))
                << id;
        }
    }
    // The key that moves `tile` (beside the gap) into the gap.
    Qt::Key keyFor(int tile) {
        const QPoint d = model().cellOf(tile) - model().gap();
        return d.x() < 0   ? Qt::Key_Left
               : d.x() > 0 ? Qt::Key_Right
               : d.y() < 0 ? Qt::Key_Up
                           : Qt::Key_Down;
    }
    // After the last move: the gap tile shows, then the sound and the
    // message, and the learning view comes back.
    void expectSolvedEnd() {
        EXPECT_TRUE(model().solved());
        EXPECT_TRUE(board().tile(8)->isVisible());
        EXPECT_EQ(status(u"RichtigLab"_s), u"9"_s);
        EXPECT_EQ(status(u"QuoteLab"_s), u"100.0 %"_s);
        EXPECT_FALSE(puzzle().timer().isActive());
        settle();
        EXPECT_TRUE(asked(kSolved));
        EXPECT_FALSE(asked(kNotSolved));
        EXPECT_EQ(window->modus(), Modus::LearningView);
        EXPECT_TRUE(board().findChildren<PuzzleTile*>().isEmpty());
    }

    VirtualClock clock;
};

TEST_F(PuzzleScreenTest, StartsInItsModeWithTheBoardCentredAndTheStatus) {
    start(3, false);
    ASSERT_EQ(window->modus(), Modus::SlidingPuzzle);
    ASSERT_TRUE(puzzle().board() && board().isVisible());
    EXPECT_TRUE(puzzle().timer().isActive());
    EXPECT_EQ(model().size(), 3);
    // Nine tiles named by their identifiers; the gap's hidden.
    for (int id = 0; id < 9; ++id) {
        PuzzleTile* tile = board().findChild<PuzzleTile*>(u"SPuzzlePan"_s + QString::number(id));
        ASSERT_TRUE(tile) << id;
        EXPECT_EQ(tile->isVisible(), id != 8);
    }
    expectInCells();
    const QRect area = board().board().rect(3);
    EXPECT_LE(std::abs(area.center().x() - board().rect().center().x()), 1);
    EXPECT_LE(std::abs(area.center().y() - board().rect().center().y()), 1);
    EXPECT_TRUE(board().rect().contains(area));
    EXPECT_EQ(status(u"GesAnzLab"_s), u"von  9"_s);
    EXPECT_EQ(status(u"ZuegeLab"_s), u"0"_s);
    EXPECT_EQ(status(u"RichtigLab"_s), QString::number(model().inPlace()));
    EXPECT_EQ(status(u"FalschLab"_s), QString::number(9 - model().inPlace()));
    EXPECT_EQ(status(u"UebZeitLab"_s), u"00:00"_s);
    clock.advance(65'400);
    puzzle().tick();
    EXPECT_EQ(status(u"UebZeitLab"_s), u"01:05"_s);
    // Neither an exercise nor a second puzzle while one runs.
    window->commands().trigger(u"UebungStart1"_s);
    window->commands().trigger(u"Schiebepuzzle1"_s);
    EXPECT_EQ(prompter->order.count(kRunning), 2);
    EXPECT_EQ(window->modus(), Modus::SlidingPuzzle);
}

TEST_F(PuzzleScreenTest, RefusedDuringAnExerciseAndClosedWithoutStarting) {
    start(3, false, false);
    EXPECT_EQ(window->modus(), Modus::LearningView);
    window->setModus(Modus::Exercise);
    window->commands().trigger(u"Schiebepuzzle1"_s);
    EXPECT_TRUE(asked(kRunning));
    EXPECT_EQ(window->modus(), Modus::Exercise);
}

// Any mouse button on a tile beside the gap moves it; the seeded board is
// solved by its shortest clicks.
TEST_F(PuzzleScreenTest, SolvedByClicks) {
    start(3, false);
    const std::vector<int> clicks = solution(model());
    ASSERT_FALSE(clicks.empty());
    int made = 0;
    for (const int id : clicks) {
        const Qt::MouseButton button = made % 2 == 0 ? Qt::LeftButton : Qt::RightButton;
        QTest::mouseClick(board().tile(id), button);
        ++made;
        if (made < int(clicks.size())) {
            EXPECT_EQ(status(u"ZuegeLab"_s), QString::number(made));
            EXPECT_EQ(status(u"RichtigLab"_s), QString::number(model().inPlace()));
        }
    }
    EXPECT_EQ(model().moves(), int(clicks.size()));
    expectSolvedEnd();
}

// The arrow keys move the tile on that side of the gap into it.
TEST_F(PuzzleScreenTest, SolvedByKeys) {
    start(3, false);
    reactivate();
    ASSERT_TRUE(board().hasFocus());
    for (const int id : solution(model())) {
        const QPoint was = model().gap();
        QTest::keyClick(&board(), keyFor(id));
        ASSERT_EQ(model().cellOf(id), was) << id;
    }
    expectInCells();
    expectSolvedEnd();
}

// With every tile movable, Tab shows the focus on the tiles in turn and
// Space moves the focused one into the gap from wherever it is.
TEST_F(PuzzleScreenTest, EveryTileByTabAndSpace) {
    start(3, true);
    reactivate();
    QTest::keyClick(&board(), Qt::Key_Tab);
    auto* focused = qobject_cast<PuzzleTile*>(QApplication::focusWidget());
    ASSERT_TRUE(focused);
    QTest::keyClick(focused, Qt::Key_Tab);
    auto* second = qobject_cast<PuzzleTile*>(QApplication::focusWidget());
    ASSERT_TRUE(second);
    EXPECT_NE(second, focused);
    const QPoint gap = model().gap();
    QTest::keyClick(second, Qt::Key_Space);
    EXPECT_EQ(model().cellOf(second->tile()), gap);
    EXPECT_EQ(model().moves(), 1);
    EXPECT_EQ(status(u"ZuegeLab"_s), u"1"_s);
    // The focus frame is drawn on the focused tile and nowhere else.
    const QImage with = second->grab().toImage();
    second->clearFocus();
    EXPECT_NE(with, second->grab().toImage());
}

// A click on a tile that does not touch the gap changes nothing.
TEST_F(PuzzleScreenTest, ClickAwayFromTheGapChangesNothing) {
    start(3, false);
    const std::vector<int> before = gridOf(model());
    const QPoint gap = model().gap();
    const int far = model().tileAt(gap.x() < 1 ? 2 : 0, gap.y() < 1 ? 2 : 0);
    const QRect place = board().tile(far)->geometry();
    QTest::mouseClick(board().tile(far), Qt::LeftButton);
    // An arrow towards the edge finds no tile either.
    if (gap.x() == 2)
        QTest::keyClick(&board(), Qt::Key_Right);
    EXPECT_EQ(gridOf(model()), before);
    EXPECT_EQ(model().moves(), 0);
    EXPECT_EQ(status(u"ZuegeLab"_s), u"0"_s);
    EXPECT_EQ(board().tile(far)->geometry(), place);
    EXPECT_EQ(board().tile(far)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(board().tile(model().tileBeside(gap.x() > 0 ? -1 : 1, 0))->cursor().shape(),
              Qt::PointingHandCursor);
}

// A new window size lays the board out again; every tile keeps its cell.
TEST_F(PuzzleScreenTest, ResizeKeepsTheTiles) {
    start(3, false);
    QTest::mouseClick(board().tile(model().tileBeside(model().gap().x() > 0 ? -1 : 1, 0)),
                      Qt::LeftButton);
    const std::vector<int> before = gridOf(model());
    const QSize tile = board().board().tile;
    window->resize(900, 700);
    settle();
    EXPECT_EQ(gridOf(model()), before);
    EXPECT_NE(board().board().tile, tile);
    expectInCells();
    EXPECT_TRUE(board().rect().contains(board().board().rect(3)));
    EXPECT_EQ(model().moves(), 1);
}

// "Übung abbrechen" and closing the window ask; "Nein" keeps the puzzle,
// "Ja" leaves it.
TEST_F(PuzzleScreenTest, AbortAsks) {
    start(3, false);
    window->commands().trigger(u"Uebungabbrechen1"_s);
    EXPECT_TRUE(asked(kNotSolved));
    EXPECT_EQ(window->modus(), Modus::SlidingPuzzle);
    prompter->order.clear();
    prompter->answers.push_back(Answer::No);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompter->order.value(0), kNotSolved);
    EXPECT_EQ(window->modus(), Modus::SlidingPuzzle);
    prompter->answers.push_back(Answer::Yes);
    window->commands().trigger(u"Uebungabbrechen1"_s);
    EXPECT_EQ(window->modus(), Modus::LearningView);
    EXPECT_FALSE(puzzle().active());
    EXPECT_FALSE(puzzle().timer().isActive());
    EXPECT_FALSE(board().isVisible());
    EXPECT_TRUE(board().findChildren<PuzzleTile*>().isEmpty());
    EXPECT_FALSE(puzzle().statusPanel()->isVisible());
    EXPECT_FALSE(asked(kSolved));
}

} // namespace
} // namespace quorvel::test
