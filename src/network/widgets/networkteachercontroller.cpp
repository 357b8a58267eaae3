// SPDX-License-Identifier: GPL-3.0-or-later
#include "networkteachercontroller.h"

#include "classpicture.h"
#include "document.h"
#include "exercisesettingscontroller.h"
#include "lessoncodefield.h"
#include "localidentity.h"
#include "mailslotwire.h"
#include "networksettings.h"
#include "programfolders.h"
#include "settings.h"
#include "shell.h"
#include "teachersetup.h"
#include "tkommverzform.h"
#include "tmasterprotform.h"
#include "ueboptform.h"
#include "ueboptfragenform.h"
#include "ueboptkorbform.h"
#include "ueboptkreuzverbindungform.h"

#include <QDir>
#include <QLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kMenu = u"Lehrersteuerung1"_s;

QString msgNoExercise() {
    return u"Es ist keine Netzwerk-Übung aktiv."_s;
}

ExerciseOptionsDialog* optionsDialogOf(const ExerciseSettingsController& settings, DokTyp dokTyp) {
    switch (settingsGroupOf(dokTyp)) {
    case SettingsGroup::Questions:
        return settings.questionsForm();
    case SettingsGroup::Cluster:
        return settings.clusterForm();
    case SettingsGroup::CrossMatching:
        return settings.crossMatchingForm();
    case SettingsGroup::Labelling:
        break;
    }
    return settings.labellingForm();
}

} // namespace

NetworkTeacherController::NetworkTeacherController(Shell& shell,
                                                   ExerciseSettingsController& exerciseSettings)
    : QObject(shell.dialogParent()), m_shell(shell), m_exerciseSettings(exerciseSettings),
      m_display(new TMasterProtForm(shell, m_teacher, shell.dialogParent())) {
    // Every settings dialog offers the lesson code while it initiates.
    for (ExerciseOptionsDialog* dialog :
         {static_cast<ExerciseOptionsDialog*>(exerciseSettings.labellingForm()),
          static_cast<ExerciseOptionsDialog*>(exerciseSettings.questionsForm()),
          static_cast<ExerciseOptionsDialog*>(exerciseSettings.clusterForm()),
          static_cast<ExerciseOptionsDialog*>(exerciseSettings.crossMatchingForm())}) {
        QWidget* panel = dialog->networkPanel();
        panel->layout()->addWidget(new LessonCodeField(panel));
    }

    m_display->endExercise = [this] { return end(); };
    m_display->showBestList = [this] { m_shell.commands().trigger(u"BestenlisteNetzwerkbung1"_s); };
    connect(&m_teacher, &NetworkTeacher::problem, this, &NetworkTeacherController::showProblem);

    CommandRegistry& commands = shell.commands();
    commands.onTriggered(u"Netzwerkuebunginitiieren1"_s, this, [this] { initiate(); });
    commands.onTriggered(u"LehrerNetzwerkUebungbeenden1"_s, this, [this] { end(); });
    commands.onTriggered(u"NetzwerkbungKontrollanzeige1"_s, this, [this] { showDisplay(); });
    commands.onTriggered(u"Kommunikationsverzeichnis1"_s, this, [this] { editCommunication(); });
    shell.addParticipant(*this);
}

NetworkTeacherController::~NetworkTeacherController() = default;

LessonCodeField* NetworkTeacherController::lessonCodeField(DokTyp dokTyp) const {
    return optionsDialogOf(m_exerciseSettings, dokTyp)
        ->networkPanel()
        ->findChild<LessonCodeField*>();
}

bool NetworkTeacherController::initiate() {
    // A run on screen is given up first, with the question the mode button asks.
    if (m_shell.modus() != Modus::LearningView) {
        m_shell.commands().trigger(u"Uebungabbrechen1"_s);
        if (m_shell.modus() != Modus::LearningView)
            return false;
    }
    if (teaching()) {
        showDisplay();
        return false;
    }
    Document& document = m_shell.session().document();
    if (document.header.DokTyp < 0 || document.header.DokTyp > 6)
        return false;
    const DokTyp dokTyp = dokTypOf(document.header);
    if (!m_exerciseSettings.showSettingsDialog(dokTyp, true))
        return false;

    const Settings& settings = m_shell.settings();
    const QString channel = settings.NetzKomKanal;
    if (!isPlainMailBoxName(channel)) {
        m_shell.dialogs().error(u"Der Kommunikationskanal \"%1\" ist ungültig: 1 bis 8 Zeichen, "
                                u"ohne \"/\", \"\\\" und \"..\"."_s.arg(channel));
        return false;
    }
    const QString folder = withTrailingSlash(settings.NetzKomOrdner);
    // The default folder below the program folder is made on first use, as
    // the other default folders are.
    if (folder == m_shell.state().programFolder + u"kom/"_s)
        QDir().mkpath(folder);

    const UebEinstellungen snapshot = m_exerciseSettings.networkSnapshot(dokTyp);
    const GradingTable grading = m_exerciseSettings.gradingTable();
    const std::vector<int> numbers = teacherNumbersOf(document);
    NetworkTeacher::Publication publication;
    publication.folder = folder;
    publication.channel = channel;
    publication.method = settings.NetzKomVerfahren == 1 ? NetworkTeacher::Method::Combined
                                                        : NetworkTeacher::Method::Folder;
    publication.settings = netzUebSettingsOf(hostName(), snapshot, grading);
    publication.state = teacherSetupOf(document, numbers, snapshot, grading);
    publication.lessonCode = lessonCodeField(dokTyp)->code();

    m_display->hide();
    const IoResult initiated = m_teacher.initiate(document, publication);
    for (const QString& message : initiated.messages)
        m_shell.dialogs().error(message);
    if (!initiated.ok)
        return false;
    if (!m_teacher.receiving()) {
        // Participants would join and report to nobody.
        m_teacher.end();
        m_shell.dialogs().error(
            u"Der Kommunikationskanal \"%1\" ist auf diesem Rechner schon "
            u"belegt. Die Netzwerk-Übung wurde nicht initiiert."_s.arg(channel));
        return false;
    }

    NetworkInformationInput information;
    information.document = &document;
    information.numbers = numbers;
    information.settings = snapshot;
    information.grading = grading;
    information.context = localProtocolContext();
    information.context.folder = folder;
    information.context.channel = channel;
    information.start = QDateTime::currentDateTime();
    m_display->startExercise(networkInformation(information));
    m_display->setLessonCode(publication.lessonCode);
    if (m_composedPage)
        m_display->setClassPicturePage(classPicturePage(document, m_composedPage()));
    updateCommands();
    m_display->showDisplay();
    return true;
}

bool NetworkTeacherController::end() {
    if (!teaching()) {
        m_teacher.end();
        m_shell.dialogs().information(msgNoExercise());
        return false;
    }
    if (m_shell.dialogs().ask(MessageKind::Confirmation,
                              u"Netzwerk-Übung beenden?\r\nÜbungsteilnehmer können die laufende "
                              u"Übung noch zu Ende bearbeiten, die Kontrollanzeige wird jedoch "
                              u"nicht mehr aktualisiert."_s,
                              MessageButtons::YesNo) != Answer::Yes)
        return false;
    m_teacher.end();
    m_display->refreshCaption();
    updateCommands();
    return true;
}

void NetworkTeacherController::showDisplay() {
    m_display->showDisplay();
}

void NetworkTeacherController::editCommunication() {
    if (teaching()) {
        m_shell.dialogs().information(u"Die Einstellungen zur Netzwerk-Kommunikation können nicht "
                                      u"während einer Netzwerk-Übung geändert werden."_s);
        return;
    }
    // Made on first use: it keeps the user dialogs in effect then.
    if (!m_communication)
        m_communication = new TKommVerzForm(m_shell.dialogs(), m_shell.dialogParent());
    Settings& settings = m_shell.settings();
    const NetworkCommunication chosen = m_communication->edit(
        {settings.NetzKomOrdner, settings.NetzKomKanal, settings.NetzKomVerfahren});
    settings.NetzKomOrdner = chosen.NetzKomOrdner;
    settings.NetzKomKanal = chosen.NetzKomKanal;
    settings.NetzKomVerfahren = chosen.NetzKomVerfahren;
}

void NetworkTeacherController::modusChanged(Modus) {
    updateCommands();
}

void NetworkTeacherController::stopForShutdown() {
    m_teacher.end();
    m_display->hide();
}

void NetworkTeacherController::updateCommands() {
    // The teacher keeps the menu while the exercise runs, whatever the mode.
    m_shell.commands().setAvailable(kMenu, m_shell.modus() == Modus::LearningView || teaching());
}

void NetworkTeacherController::showProblem(const QString& message) {
    // A folder full of unreadable message files must not pile up boxes: one
    // at a time, the rest is dropped while it is open.
    if (m_showingProblem)
        return;
    m_showingProblem = true;
    m_shell.dialogs().error(message);
    m_showingProblem = false;
}

} // namespace quorvel
