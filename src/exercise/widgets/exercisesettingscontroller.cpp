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
    m_uebOpt = new TUebOptForm(parent);
    m_fragen = new TUebOptFragenForm(m_uebOpt, parent);
    m_korb = new TUebOptKorbForm(m_uebOpt, parent);
    m_kreuz = new TUebOptKreuzverbindungForm(m_uebOpt, parent);
    m_notenskala = new TNotenskalaForm(shell, parent);
    const QStringList folders = programSoundFolders(shell);
    m_rueckmeldung = new TUebungsrueckmeldungForm(shell, firstExisting(folders), parent);
    m_kennzInfo = new TKennzInfoBox(parent);
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
        m_uebOpt->load(settings.UebOpt);
        // Every showing starts reduced.
        m_uebOpt->setExtended(false);
        m_uebOpt->setNetworkInitiation(networkInitiation);
        const bool started = m_uebOpt->exec() == QDialog::Accepted;
        m_uebOpt->store(settings.UebOpt);
        return started;
    }
    case SettingsGroup::Questions: {
        m_fragen->setDokTyp(dokTyp);
        m_fragen->load(settings.UebOptFragen);
        const bool started = m_fragen->exec() == QDialog::Accepted;
        m_fragen->store(settings.UebOptFragen);
        return started;
    }
    case SettingsGroup::Cluster: {
        m_korb->load(settings.UebOptKorb);
        const bool started = m_korb->exec() == QDialog::Accepted;
        m_korb->store(settings.UebOptKorb);
        return started;
    }
    case SettingsGroup::CrossMatching: {
        m_kreuz->load(m_crossMatching);
        const bool started = m_kreuz->exec() == QDialog::Accepted;
        m_kreuz->store(m_crossMatching);
        return started;
    }
    }
    return false;
}

bool ExerciseSettingsController::showBeforeEachExercise() const {
    return m_uebOpt->showBeforeEachExercise()->isChecked();
}

UebEinstellungen ExerciseSettingsController::snapshot(DokTyp dokTyp) const {
    return takeSnapshot(dokTyp, m_shell.settings(), m_crossMatching);
}

GradingTable ExerciseSettingsController::gradingTable() const {
    return gradingTableOf(m_shell.settings());
}

void ExerciseSettingsController::showFiguresHelp() {
    m_kennzInfo->exec();
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
    m_notenskala->edit(m_shell.settings());
    m_notenskala->exec();
}

void ExerciseSettingsController::editFeedback() {
    m_rueckmeldung->load(m_shell.settings().Uebungsrueckmeldung);
    if (m_rueckmeldung->exec() == QDialog::Accepted)
        m_rueckmeldung->store(m_shell.settings().Uebungsrueckmeldung);
}

} // namespace quorvel
