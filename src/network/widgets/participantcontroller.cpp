// SPDX-License-Identifier: GPL-3.0-or-later
#include "participantcontroller.h"

#include "document.h"
#include "exchangefiles.h"
#include "exercisecontroller.h"
#include "localidentity.h"
#include "mailslotwire.h"
#include "networkparticipant.h"
#include "savefile.h"
#include "settings.h"
#include "shell.h"
#include "tnetzuebungtnstartform.h"

#include <QDateTime>
#include <QFileInfo>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kJoin = u"Netzwerkuebung1"_s;
// How long the end of a run may take to leave when the program closes.
constexpr int kExitFlushMs = 2000;

} // namespace

ParticipantController::ParticipantController(Shell& shell, ExerciseController& exercise,
                                             const std::function<void(QWidget*)>& addToolBarSection)
    : QObject(shell.dialogParent()), m_shell(shell), m_exercise(exercise),
      m_form(new TNetzUebungTnStartForm(shell.dialogs(), shell.dialogParent())),
      m_button(new QToolButton) {
    setObjectName(u"ParticipantController"_s);
    auto* section = new QWidget;
    section->setObjectName(u"NetzUebPanel"_s);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(2, 2, 2, 2);
    m_button->setParent(section);
    m_button->setObjectName(u"NetzUebTeilnehmenBtn"_s);
    m_button->setText(u"Netz-Übung teilnehmen"_s);
    m_button->setToolTip(u"an Netzwerk-Übung teilnehmen"_s);
    m_button->setCheckable(true);
    m_button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(m_button);
    if (addToolBarSection)
        addToolBarSection(section);
    else
        section->setParent(shell.dialogParent());
    connect(m_button, &QToolButton::clicked, this, [this] {
        m_button->setChecked(false);
        m_shell.commands().trigger(kJoin);
    });
    m_shell.commands().onTriggered(kJoin, this, [this] { join(); });
    m_shell.addParticipant(*this);
}

ParticipantController::~ParticipantController() = default;

void ParticipantController::pressButton(bool down) {
    m_button->setChecked(down);
}

bool ParticipantController::join() {
    const Modus modus = m_shell.modus();
    if ((modus == Modus::Exercise && m_exercise.run().running()) || modus == Modus::SlidingPuzzle) {
        m_shell.dialogs().information(
            u"Um an einer Netzwerk-Übung teilnehmen zu können, muss die aktuelle Übung zunächst "
            u"beendet werden. Wählen Sie \"Übung abbrechen\", um die aktuelle Übung vorzeitig "
            u"abzubrechen."_s);
        return false;
    }
    if (m_teaching && m_teaching()) {
        m_shell.dialogs().information(
            u"Die Netzwerk-Übung wurde auf diesem Rechner initiiert. Die Teilnahme an der "
            u"Netzwerk-Übung muss an einem anderen Rechner erfolgen."_s);
        return false;
    }
    pressButton(true);
    const bool joined = joinConfirmed();
    if (!joined)
        pressButton(false);
    return joined;
}

bool ParticipantController::joinConfirmed() {
    const Settings& settings = m_shell.settings();
    if (!isPlainMailBoxName(settings.NetzKomKanal)) {
        m_shell.dialogs().information(msgInvalidChannel(settings.NetzKomKanal));
        return false;
    }
    const ExchangeFiles files(settings.NetzKomOrdner, settings.NetzKomKanal);
    if (!m_form->ask(files) || !files.available())
        return false;
    NetworkInvitation invitation;
    if (const IoResult read = readInvitation(files, m_form->lessonCode(), invitation); !read) {
        m_shell.dialogs().error(read.messages.join(u"\r\n"_s));
        return false;
    }
    // What was checked is what is shown: the copy read once, opened from here.
    const QString copy = m_copies.filePath(QFileInfo(files.documentPath()).fileName());
    const IoResult saved = saveWholeFile(copy, invitation.document);
    if (!saved || !m_shell.session().readAsCurrent(copy))
        return false;

    // The end of an earlier joining still leaves before this one starts.
    if (m_participant)
        m_participant->flush(kExitFlushMs);
    const QString name = m_form->name();
    m_channel.setMailBox(settings.NetzKomKanal);
    m_participant = std::make_unique<NetworkParticipant>(
        files, settings.NetzKomVerfahren == 1 ? &m_channel : nullptr, invitation, name, hostName(),
        m_shell.random());
    connect(m_participant.get(), &NetworkParticipant::problem, this,
            [this](const QString& message) { m_shell.dialogs().error(message); });
    const QDateTime start = QDateTime::currentDateTime();
    m_participant->join(start);
    m_participant->observe(m_exercise.run());
    const Document& document = m_shell.session().document();
    if (m_exercise.startRequest(participantRequest(dokTypOf(document.header), settings,
                                                   invitation.settings, name, start)))
        return true;
    m_participant->leave();
    return false;
}

void ParticipantController::modusChanged(Modus modus) {
    if (modus == Modus::LearningView)
        pressButton(false);
}

void ParticipantController::stopForShutdown() {
    if (!m_participant)
        return;
    m_participant->leave();
    m_participant->flush(kExitFlushMs);
}

} // namespace quorvel
