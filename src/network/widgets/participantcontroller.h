// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shellparticipant.h"
#include "tmailslotchannel.h"

#include <QObject>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QToolButton;
class QWidget;

namespace quorvel {

class ExerciseController;
class NetworkParticipant;
class Shell;
class TNetzUebungTnStartForm;

// "An Netzwerk-Übung &teilnehmen..." (F8) and the tool-bar button
// "Netz-Übung teilnehmen": the start dialog, the document copy as the open
// document, and the exercise window running the teacher's settings while a
// NetworkParticipant reports the run. At program exit a run still going is
// reported as aborted; the exchange files are the teacher's and stay.
class ParticipantController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    // `addToolBarSection` places the button (empty: the button stays unplaced).
    ParticipantController(Shell& shell, ExerciseController& exercise,
                          const std::function<void(QWidget*)>& addToolBarSection);
    ~ParticipantController() override;

    // The join command; true when the network exercise runs.
    bool join();
    // Whether this computer is the teacher of a running network exercise: it
    // cannot take part in it as well.
    void setTeaching(std::function<bool()> teaching) { m_teaching = std::move(teaching); }

    TNetzUebungTnStartForm* startForm() const { return m_form; }
    QToolButton* button() const { return m_button; }
    // The participant of the last joining, null before the first.
    NetworkParticipant* participant() const { return m_participant.get(); }

    // The button stays pressed while the joined exercise is on screen.
    void modusChanged(Modus modus) override;
    void stopForShutdown() override;

private:
    bool joinConfirmed();
    void pressButton(bool down);

    Shell& m_shell;
    ExerciseController& m_exercise;
    TNetzUebungTnStartForm* m_form;
    QToolButton* m_button;
    TMailSlotChannel m_channel; // sends only
    QTemporaryDir m_copies;     // the checked document copy the window opens
    std::unique_ptr<NetworkParticipant> m_participant;
    std::function<bool()> m_teaching;
};

} // namespace quorvel
