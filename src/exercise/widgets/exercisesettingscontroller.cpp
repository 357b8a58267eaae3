// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercisesettingscontroller.h"

#include "document.h"
#include "kennzinfobox.h"
#include "notenskalaform.h"
#include "settings.h"
#include "shell.h"
#include "soundfile.h"
#include "soundplayer.h"
#include "ueboptform.h"
#include "ueboptfragenform.h"
#include "ueboptkorbform.h"
#include "ueboptkreuzverbindungform.h"
#include "uebungsrueckmeldungform.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList programSoundFolders(const Shell& shell) {
    return soundFolders(shell.state().programFolder,
                        shippedSoundFolder(QCoreApplication::applicationDirPath()));
}

// Where the file dialog for sounds starts: the first sound folder there is.
QString firstExisting(const QStringList& folders) {
    for (const QString& folder : folders) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return folders.value(0);
}

} // namespace

ExerciseSettingsController::ExerciseSettingsController(Shell& shell)
    : QObject(shell.dialogParent()), m_shell(shell) {
    QWidget* parent = shell.dialogParent();
    m_labelling = new TUebOptForm(parent);
    m_questions = new TUebOptFragenForm(m_labelling, parent);
    m_cluster = new TUebOptKorbForm(m_labelling, parent);
    m_crossMatchingForm = new TUebOptKreuzverbindungForm(m_labelling, parent);
    m_gradingScale = new TNotenskalaForm(shell, parent);
    const QStringList folders = programSoundFolders(shell);
    m_feedback = new TUebungsrueckmeldungForm(shell, firstExisting(folders), parent);
    m_figuresInfo = new TKennzInfoBox(parent);
    m_sounds = new SoundPlayer(shell, folders, this);

    CommandRegistry& commands = shell.commands();
    commands.onTriggered(u"Uebungseinstellungen1"_s, this, [this] { openSettingsCommand(); });
    commands.onTriggered(u"Notenskala1"_s, this, [this] { editScale(); });
    commands.onTriggered(u"Uebungsrueckmeldung1"_s, this, [this] { editFeedback(); });
    commands.onToggled(u"Tonausgabe1"_s, this, [this](bool on) {
        if (!on)
            m_sounds->stop();
    });
    shell.addParticipant(*this);
}

ExerciseSettingsController::~ExerciseSettingsController() = default;

bool ExerciseSettingsController::showSettingsDialog(DokTyp dokTyp, bool networkInitiation) {
    Settings& settings = m_shell.settings();
    switch (settingsGroupOf(dokTyp)) {
    case SettingsGroup::Labelling: {
        m_labelling->load(settings.UebOpt);
        // Every showing starts reduced.
        m_labelling->setExtended(false);
        m_labelling->setNetworkInitiation(networkInitiation);
        const bool started = m_labelling->exec() == QDialog::Accepted;
        m_labelling->store(settings.UebOpt);
        return started;
    }
    case SettingsGroup::Questions: {
        m_questions->setDokTyp(dokTyp);
        m_questions->load(settings.UebOptFragen);
        m_questions->setNetworkInitiation(networkInitiation);
        const bool started = m_questions->exec() == QDialog::Accepted;
        m_questions->store(settings.UebOptFragen);
        return started;
    }
    case SettingsGroup::Cluster: {
        m_cluster->load(settings.UebOptKorb);
        m_cluster->setNetworkInitiation(networkInitiation);
        const bool started = m_cluster->exec() == QDialog::Accepted;
        m_cluster->store(settings.UebOptKorb);
        return started;
    }
    case SettingsGroup::CrossMatching: {
        m_crossMatchingForm->load(m_crossMatching);
        m_crossMatchingForm->setNetworkInitiation(networkInitiation);
        const bool started = m_crossMatchingForm->exec() == QDialog::Accepted;
        m_crossMatchingForm->store(m_crossMatching);
        return started;
    }
    }
    return false;
}

bool ExerciseSettingsController::showBeforeEachExercise() const {
    return m_labelling->showBeforeEachExercise()->isChecked();
}

UebEinstellungen ExerciseSettingsController::snapshot(DokTyp dokTyp) const {
    return takeSnapshot(dokTyp, m_shell.settings(), m_crossMatching);
}

UebEinstellungen ExerciseSettingsController::networkSnapshot(DokTyp dokTyp) const {
    UebEinstellungen s = snapshot(dokTyp);
    if (settingsGroupOf(dokTyp) == SettingsGroup::Labelling &&
        m_labelling->initiatedRiFaRueckmeldung() == 1)
        s.RiFaRueckmeldung = FeedbackTiming::AtEnd;
    return s;
}

GradingTable ExerciseSettingsController::gradingTable() const {
    return gradingTableOf(m_shell.settings());
}

void ExerciseSettingsController::showFiguresHelp() {
    m_figuresInfo->exec();
}

void ExerciseSettingsController::openSettingsCommand() {
    if (m_shell.modus() == Modus::Exercise) {
        m_shell.dialogs().information(
            u"Die Übungseinstellungen können nicht während der Übung geändert werden."_s);
        return;
    }
    const DokTyp dokTyp = dokTypOf(m_shell.session().document().header);
    if (showSettingsDialog(dokTyp) && m_start)
        m_start();
}

void ExerciseSettingsController::editScale() {
    m_gradingScale->edit(m_shell.settings());
    m_gradingScale->exec();
}

void ExerciseSettingsController::editFeedback() {
    m_feedback->load(m_shell.settings().Uebungsrueckmeldung);
    if (m_feedback->exec() == QDialog::Accepted)
        m_feedback->store(m_shell.settings().Uebungsrueckmeldung);
}

} // namespace quorvel
