// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercisecontroller.h"

#include "document.h"
#include "exerciseresult.h"
#include "exercisesettingscontroller.h"
#include "settings.h"
#include "shell.h"
#include "soundplayer.h"
#include "tnameeingabeform.h"
#include "uebstatuspan.h"
#include "uebungpan.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kClockMs = 100;
// The exercise panel's distance from the learning view's edges.
constexpr int kLeft = 9, kTop = 8, kRight = 8, kBottom = 8;

const QString kStart = u"UebungStart1"_s;
const QString kAbort = u"Uebungabbrechen1"_s;
QString msgReallyAbort() {
    return u"Die aktuelle Übung ist noch nicht beendet.\r\nÜbung wirklich abbrechen?"_s;
}
} // namespace

QString msgExerciseRunning() {
    return u"Die aktuelle Übung ist noch nicht beendet.\r\nWählen Sie \"Übung abbrechen\", um "
           u"die aktuelle Übung vorzeitig abzubrechen."_s;
}

ExerciseController::ExerciseController(Shell& shell, ExerciseSettingsController& settings,
                                       const ViewLayouts& layouts, const ExerciseRuleSet& rules,
                                       ExerciseHost host)
    : QObject(shell.dialogParent()), m_shell(shell), m_settings(settings), m_host(std::move(host)),
      m_rules(rules), m_layouts(layouts), m_status(new UebStatusPan), m_section(new QWidget),
      m_startButton(new QToolButton(m_section)),
      m_nameForm(new TNameEingabeForm(shell.dialogParent())) {
    setObjectName(u"ExerciseController"_s);
    makeSession();

    // The tool bar's part: the start button and, during an exercise, the status bar.
    m_section->setObjectName(u"UebungPanel"_s);
    auto* layout = new QVBoxLayout(m_section);
    layout->setContentsMargins(2, 6, 2, 2);
    m_startButton->setObjectName(u"UebungBtn"_s);
    m_startButton->setText(u"Individual- Übung"_s);
    m_startButton->setToolTip(u"Individual-Übung starten (F7)"_s);
    m_startButton->setCheckable(true);
    m_startButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_startButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(m_startButton);
    if (m_host.addStatusSection) {
        m_host.addStatusSection(m_status);
    } else {
        m_status->setParent(m_section);
        layout->addWidget(m_status);
    }
    m_status->hide();
    connect(m_startButton, &QToolButton::clicked, this, [this] {
        m_startButton->setChecked(false);
        m_shell.commands().trigger(kStart);
    });
    connect(m_status, &UebStatusPan::helpRequested, this, [this] { m_settings.showFiguresHelp(); });
    if (m_host.addToolBarSection)
        m_host.addToolBarSection(m_section);
    else
        m_section->setParent(shell.dialogParent());

    m_timer.setInterval(kClockMs);
    connect(&m_timer, &QTimer::timeout, this, &ExerciseController::tick);

    m_shell.commands().onTriggered(kStart, this, [this] { startExercise(); });
    m_shell.commands().onTriggered(kAbort, this, [this] { abortExercise(); });
    m_settings.setStartHandler([this] { startExercise(false); });
    if (m_host.viewArea)
        m_host.viewArea->installEventFilter(this);
    m_shell.addParticipant(*this);
}

ExerciseController::~ExerciseController() {
    m_timer.stop();
    if (m_session)
        m_session->run().removeObserver(m_observer);
}

void ExerciseController::makeSession() {
    if (m_session)
        m_session->run().removeObserver(m_observer);
    m_session = std::make_unique<ExerciseSession>(m_shell.session().document(), m_rules, *m_clock,
                                                  m_shell.random());
    m_observer =
        m_session->run().addObserver([this](const ExerciseEvent& event) { onEvent(event); });
    m_session->setNameEntry([this](const QString& last) { return m_nameForm->ask(last); });
}

void ExerciseController::setClock(ExerciseClock* clock) {
    if (m_active)
        return;
    m_clock = clock ? clock : &m_monotonic;
    makeSession();
    delete m_panel.data();
    delete m_cover.data();
}

void ExerciseController::setEndHandler(std::function<bool(ExerciseSession&)> handler) {
    m_endHandler = std::move(handler);
}

bool ExerciseController::settingsAgreed(DokTyp dokTyp) {
    if (!m_settings.showBeforeEachExercise())
        return true;
    m_startButton->setChecked(true);
    const bool go = m_settings.showSettingsDialog(dokTyp);
    m_startButton->setChecked(false);
    return go;
}

bool ExerciseController::startExercise(bool askSettings) {
    if (const QString refusal = m_refusal ? m_refusal() : QString(); !refusal.isEmpty()) {
        m_shell.dialogs().information(refusal);
        return false;
    }
    const Modus modus = m_shell.modus();
    if ((modus == Modus::Exercise && run().running()) || modus == Modus::SlidingPuzzle) {
        m_shell.dialogs().information(msgExerciseRunning());
        return false;
    }
    if (m_active)
        leave(); // an ended run still on screen
    Document& document = m_shell.session().document();
    const DokTyp dokTyp = dokTypOf(document.header);
    if (askSettings && !settingsAgreed(dokTyp))
        return false;
    const StartRequest request = individualRequest(
        dokTyp, m_shell.settings(), m_settings.crossMatchingTime(), QDateTime::currentDateTime());
    return shown(m_session->start(request, m_shell.settings().UebNameEingabe));
}

bool ExerciseController::startRequest(const StartRequest& request) {
    if (m_active)
        leave(); // an ended run still on screen
    return shown(m_session->start(request, false));
}

bool ExerciseController::shown(const StartOutcome& outcome) {
    if (!outcome.started()) {
        if (!outcome.message.isEmpty())
            m_shell.dialogs().information(outcome.message);
        return false;
    }
    enter();
    return true;
}

bool ExerciseController::restart(RepetitionMode mode) {
    if (!m_active || !m_session->canRepeat())
        return false;
    // The teacher's grid has one row per joining; nobody asks it for a second run.
    if (run().session().SitzungsArt == SessionKind::NetworkParticipant) {
        m_shell.dialogs().information(
            u"Eine Wiederholung der Netzwerk-Übung wurde nicht zugelassen."_s);
        return false;
    }
    // An individual exercise starts again as Start does: the settings
    // dialog and the name entry when they are on.
    if (run().session().SitzungsArt != SessionKind::Individual) {
        if (m_panel)
            m_panel->finish();
        return shown(m_session->repeat(mode, QDateTime::currentDateTime()));
    }
    const DokTyp dokTyp = dokTypOf(m_shell.session().document().header);
    if (!settingsAgreed(dokTyp))
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    const StartRequest fresh =
        individualRequest(dokTyp, m_shell.settings(), m_settings.crossMatchingTime(), now);
    if (m_panel)
        m_panel->finish();
    return shown(m_session->repeat(mode, now, m_shell.settings().UebNameEingabe, &fresh));
}

void ExerciseController::enter() {
    if (m_host.enter)
        m_host.enter();
    m_endQueued = false;
    m_shell.setModus(Modus::Exercise);
    QWidget* area = m_host.viewArea;
    QWidget* parent = area && area->parentWidget() ? area->parentWidget() : m_shell.dialogParent();
    if (!m_cover) {
        m_cover = new QWidget(parent);
        m_cover->setObjectName(u"LernKartPan"_s);
        m_cover->setAutoFillBackground(true);
    }
    if (!m_panel) {
        m_panel = new UebungPan(run(), m_shell.session().document(), m_layouts, m_cover);
        connect(m_panel, &UebungPan::soundRequested, this, &ExerciseController::playSound);
        connect(m_panel, &UebungPan::statusChanged, this, &ExerciseController::refreshStatus);
    }
    m_active = true;
    placePanel();
    m_cover->show();
    m_cover->raise();
    m_panel->show();
    m_panel->begin();
    m_status->setVisible(m_shell.settings().UebStatusInfo);
    refreshStatus();
    m_timer.start();
}

void ExerciseController::placePanel() {
    if (!m_panel || !m_cover)
        return;
    m_cover->setGeometry(m_host.viewArea ? m_host.viewArea->geometry()
                                         : m_cover->parentWidget()->rect());
    m_panel->setGeometry(m_cover->rect().adjusted(kLeft, kTop, -kRight, -kBottom));
}

bool ExerciseController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_host.viewArea && m_active &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placePanel();
    return QObject::eventFilter(watched, event);
}

void ExerciseController::tick() {
    if (!run().running() || run().busy())
        return; // a pause freezes the clock label
    m_timer.stop();
    run().timerTick();
    if (!run().running())
        return;
    m_status->setClock(run().clockText());
    m_timer.start();
}

void ExerciseController::refreshStatus() {
    m_status->showRun(run());
}

void ExerciseController::playSound(bool right) {
    const UebungsrueckmeldungSettings& feedback = m_shell.settings().Uebungsrueckmeldung;
    if (right)
        m_settings.sounds().playRight(feedback.RichtigTonDatei);
    else
        m_settings.sounds().playWrong(feedback.FalschTonDatei);
}

void ExerciseController::onEvent(const ExerciseEvent& event) {
    if (m_leaving)
        return;
    using K = ExerciseEvent::Kind;
    switch (event.kind) {
    case K::Message:
        // Shown once the evaluation or tick that caused it has returned.
        m_message = event.text;
        QTimer::singleShot(0, this, &ExerciseController::showMessage);
        break;
    case K::PointOpened:
        if (m_host.openPoint)
            m_host.openPoint(event.object);
        break;
    case K::Ended:
        if (!m_endQueued) {
            m_endQueued = true;
            m_timer.stop();
            refreshStatus();
            QTimer::singleShot(0, this, &ExerciseController::showEnd);
        }
        break;
    default:
        if (m_active && m_panel)
            m_panel->handle(event);
        if (event.kind == K::StatusChanged)
            refreshStatus();
        break;
    }
}

void ExerciseController::showMessage() {
    if (m_message.isEmpty())
        return;
    const QString text = std::exchange(m_message, QString());
    m_messageOpen = true;
    m_shell.dialogs().information(text);
    m_messageOpen = false;
    if (std::exchange(m_endAfterMessage, false))
        showEnd();
}

void ExerciseController::showEnd() {
    if (!m_active)
        return;
    // The result, its protocol save and best-list entry come after the
    // message that told why the run ended.
    if (m_messageOpen || !m_message.isEmpty()) {
        m_endAfterMessage = true;
        if (!m_messageOpen)
            showMessage();
        return;
    }
    if (m_endHandler) {
        if (m_endHandler(*m_session))
            return; // started again
    } else {
        m_shell.dialogs().information(u"Die Übung ist beendet."_s);
    }
    leave();
}

bool ExerciseController::abortExercise() {
    if (!m_active)
        return false;
    if (run().running() && m_shell.dialogs().ask(MessageKind::Confirmation, msgReallyAbort(),
                                                 MessageButtons::YesNo) != Answer::Yes)
        return false;
    leave();
    return true;
}

void ExerciseController::leave() {
    m_leaving = true;
    m_timer.stop();
    m_settings.sounds().stop();
    m_session->abort();
    if (m_panel) {
        m_panel->finish();
        m_panel->hide();
    }
    if (m_cover)
        m_cover->hide();
    m_status->hide();
    m_active = false;
    m_endQueued = false;
    m_endAfterMessage = false;
    m_shell.setModus(Modus::LearningView);
    if (m_host.leave)
        m_host.leave();
    m_leaving = false;
}

void ExerciseController::documentOpened() {
    if (m_active)
        leave();
}

void ExerciseController::documentClosed() {
    if (m_active)
        leave();
}

void ExerciseController::abortRun() {
    if (m_shell.modus() == Modus::Exercise)
        abortExercise();
}

bool ExerciseController::runFinished(Modus modus) const {
    // The puzzle's mode is answered by the puzzle.
    return modus == Modus::Exercise && !m_session->run().running();
}

void ExerciseController::stopForShutdown() {
    m_timer.stop();
}

} // namespace quorvel
