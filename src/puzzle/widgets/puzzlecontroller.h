// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciseclock.h"
#include "puzzlepan.h"
#include "shellparticipant.h"
#include "tschiebepuzzle.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QWidget;

namespace quorvel {

class RandomGenerator;
class SPuzzleStatusPan;
class Shell;
class SoundPlayer;
class TSPuzzleOptForm;

// What the sliding puzzle needs of the main window. Every hook may be empty.
struct PuzzleHost {
    QWidget* viewArea = nullptr;                    // the learning view the board covers
    std::function<QImage()> picture;                // the learning view's composed picture
    std::function<void(QWidget*)> addStatusSection; // the status panel's place
    std::function<void(bool)> pressStartButton;     // "Individual- Übung" down or up
    std::function<void()> enter;                    // the learning view gives way
    std::function<void()> leave;                    // the learning view comes back
};

// The sliding puzzle on screen: "&Schiebepuzzle" (F11) with its refusal,
// the settings dialog, the sliding-puzzle mode with the board over the
// learning view, the status panel with its clock, "Übung abbrechen" with its
// question, and the solved puzzle's sound, message and way back. The model
// decides every move; this class asks the user and shows. Registers itself
// with the shell; the shell's window is its parent.
class PuzzleController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    PuzzleController(Shell& shell, SoundPlayer& sounds, PuzzleHost host);
    ~PuzzleController() override;

    // Tests run the clock and the shuffle on their own terms. The reseed is
    // done at every start; the program's reseeds from the time of day.
    void setClock(ExerciseClock* clock);
    void setReseed(std::function<void(RandomGenerator&)> reseed);

    // "&Schiebepuzzle": true when the puzzle runs.
    bool startPuzzle();
    // "Übung abbrechen": asks while the puzzle is unsolved; true when left.
    bool abortPuzzle();
    // The 100 ms clock.
    void tick();

    const TSchiebepuzzle& puzzle() const { return m_puzzle; }
    PuzzlePan* board() const { return m_board; }
    SPuzzleStatusPan* statusPanel() const { return m_status; }
    TSPuzzleOptForm* optionsForm() const { return m_options; }
    QTimer& timer() { return m_timer; }
    bool active() const { return m_active; }

    void documentOpened() override;
    void documentClosed() override;
    void relayout() override;
    void abortRun() override;
    bool runFinished(Modus modus) const override;
    void stopForShutdown() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enter();
    void leave();
    void placeBoard();
    void refreshStatus();
    void showSolved();

    Shell& m_shell;
    SoundPlayer& m_sounds;
    PuzzleHost m_host;
    MonotonicClock m_monotonic;
    ExerciseClock* m_clock = &m_monotonic;
    std::function<void(RandomGenerator&)> m_reseed;
    TSchiebepuzzle m_puzzle;
    QPointer<QWidget> m_cover;
    QPointer<PuzzlePan> m_board;
    SPuzzleStatusPan* m_status;
    TSPuzzleOptForm* m_options;
    QTimer m_timer;
    qint64 m_startMs = 0;
    bool m_active = false;
};

} // namespace quorvel
