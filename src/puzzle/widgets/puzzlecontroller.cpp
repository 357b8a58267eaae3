// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzlecontroller.h"

#include "exercisecontroller.h"
#include "protocol.h"
#include "puzzlepan.h"
#include "randomgenerator.h"
#include "settings.h"
#include "shell.h"
#include "shutdownsequence.h"
#include "soundplayer.h"
#include "spuzzlestatuspan.h"
#include "tspuzzleoptform.h"

#include <QEvent>
#include <QTime>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kClockMs = 100;
// The board's distance from the learning view's edges, as the exercise's.
constexpr int kLeft = 9, kTop = 8, kRight = 8, kBottom = 8;

const QString kStart = u"Schiebepuzzle1"_s;
const QString kAbort = u"Uebungabbrechen1"_s;

} // namespace

PuzzleController::PuzzleController(Shell& shell, SoundPlayer& sounds, PuzzleHost host)
    : QObject(shell.dialogParent()), m_shell(shell), m_sounds(sounds), m_host(std::move(host)),
      m_status(new SPuzzleStatusPan), m_options(new TSPuzzleOptForm(shell.dialogParent())) {
    setObjectName(u"PuzzleController"_s);
    m_reseed = [](RandomGenerator& random) {
        random.seed(quint64(QTime::currentTime().msecsSinceStartOfDay()));
    };
    if (m_host.addStatusSection)
        m_host.addStatusSection(m_status);
    else
        m_status->setParent(shell.dialogParent());
    m_status->hide();
    m_timer.setInterval(kClockMs);
    connect(&m_timer, &QTimer::timeout, this, &PuzzleController::tick);
    m_shell.commands().onTriggered(kStart, this, [this] { startPuzzle(); });
    m_shell.commands().onTriggered(kAbort, this, [this] { abortPuzzle(); });
    if (m_host.viewArea)
        m_host.viewArea->installEventFilter(this);
    m_shell.addParticipant(*this);
}

PuzzleController::~PuzzleController() {
    m_timer.stop();
}

void PuzzleController::setClock(ExerciseClock* clock) {
    m_clock = clock ? clock : &m_monotonic;
}

void PuzzleController::setReseed(std::function<void(RandomGenerator&)> reseed) {
    m_reseed = std::move(reseed);
}

bool PuzzleController::startPuzzle() {
    const Modus modus = m_shell.modus();
    if (modus == Modus::Exercise || modus == Modus::SlidingPuzzle) {
        m_shell.dialogs().information(msgExerciseRunning());
        return false;
    }
    if (m_host.pressStartButton)
        m_host.pressStartButton(true);
    const bool go = m_options->exec() == QDialog::Accepted;
    if (m_host.pressStartButton)
        m_host.pressStartButton(false);
    if (!go)
        return false;
    enter();
    return true;
}

void PuzzleController::enter() {
    if (m_host.enter)
        m_host.enter();
    m_shell.setModus(Modus::SlidingPuzzle);
    QWidget* area = m_host.viewArea;
    QWidget* parent = area && area->parentWidget() ? area->parentWidget() : m_shell.dialogParent();
    if (!m_cover) {
        m_cover = new QWidget(parent);
        m_cover->setObjectName(u"SPuzzleKartPan"_s);
        m_cover->setAutoFillBackground(true);
    }
    if (!m_board) {
        m_board = new PuzzlePan(m_puzzle, m_cover);
        connect(m_board, &PuzzlePan::moved, this, &PuzzleController::refreshStatus);
        connect(m_board, &PuzzlePan::solved, this, [this] {
            m_timer.stop();
            // Shown once the click or key that solved it has returned.
            QTimer::singleShot(0, this, &PuzzleController::showSolved);
        });
    }
    m_active = true;
    placeBoard();
    if (m_reseed)
        m_reseed(m_shell.random());
    m_puzzle.start(m_options->pieces(), m_options->neighboursOnly(), m_shell.random());
    m_board->begin(m_host.picture ? m_host.picture() : QImage());
    m_startMs = m_clock->nowMs();
    m_status->setClock(clockText(0));
    refreshStatus();
    m_status->setVisible(m_shell.settings().UebStatusInfo);
    m_cover->show();
    m_cover->raise();
    m_board->show();
    m_board->setFocus(Qt::OtherFocusReason);
    m_timer.start();
}

void PuzzleController::placeBoard() {
    if (!m_board || !m_cover)
        return;
    m_cover->setGeometry(m_host.viewArea ? m_host.viewArea->geometry()
                                         : m_cover->parentWidget()->rect());
    m_board->setGeometry(m_cover->rect().adjusted(kLeft, kTop, -kRight, -kBottom));
}

bool PuzzleController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_host.viewArea && m_active &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeBoard();
    return QObject::eventFilter(watched, event);
}

void PuzzleController::tick() {
    if (!m_active || m_puzzle.solved())
        return;
    m_status->setClock(clockText((m_clock->nowMs() - m_startMs) / 1000));
}

void PuzzleController::refreshStatus() {
    m_status->showPuzzle(m_puzzle);
}

void PuzzleController::showSolved() {
    if (!m_active)
        return;
    m_sounds.playRight(m_shell.settings().Uebungsrueckmeldung.RichtigTonDatei);
    m_shell.dialogs().information(u"Das Schiebepuzzle ist gelöst!"_s);
    leave();
}

bool PuzzleController::abortPuzzle() {
    if (!m_active)
        return false;
    if (!m_puzzle.solved() && m_shell.dialogs().ask(MessageKind::Confirmation, msgPuzzleNotSolved(),
                                                    MessageButtons::YesNo) != Answer::Yes)
        return false;
    leave();
    return true;
}

void PuzzleController::leave() {
    m_timer.stop();
    if (m_board) {
        m_board->finish();
        m_board->hide();
    }
    if (m_cover)
        m_cover->hide();
    m_status->hide();
    m_puzzle.clear();
    m_active = false;
    m_shell.setModus(Modus::LearningView);
    if (m_host.leave)
        m_host.leave();
}

void PuzzleController::documentOpened() {
    if (m_active)
        leave();
}

void PuzzleController::documentClosed() {
    if (m_active)
        leave();
}

void PuzzleController::relayout() {
    if (m_active)
        placeBoard();
}

void PuzzleController::abortRun() {
    if (m_shell.modus() == Modus::SlidingPuzzle)
        abortPuzzle();
}

bool PuzzleController::runFinished(Modus modus) const {
    // Only the puzzle's own mode is answered here: another part owns the exercise.
    return modus == Modus::SlidingPuzzle && (!m_active || m_puzzle.solved());
}

void PuzzleController::stopForShutdown() {
    m_timer.stop();
}

} // namespace quorvel
