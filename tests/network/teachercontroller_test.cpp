// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's commands in the main window: initiating through the settings
// dialog, the control display fed live, ending, and the program's exit.
#include "documentcontroller.h"
#include "documentio.h"
#include "exerciserun.h"
#include "exercisesettingscontroller.h"
#include "labellingdocument.h"
#include "lessoncodefield.h"
#include "mailslotwire.h"
#include "mainmenu.h"
#include "networkteachercontroller.h"
#include "participantcontroller.h"
#include "participantlink.h"
#include "randomgenerator.h"
#include "settings.h"
#include "shellfixture.h"
#include "tmasterprotform.h"
#include "ueboptform.h"
#include "ueboptfragenform.h"
#include "ueboptkorbform.h"
#include "ueboptkreuzverbindungform.h"

#include <QAction>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace quorvel;
using quorvel::test::ShellFixture;

namespace {

const QString kChannel = QStringLiteral("QVTC1");

class TeacherController : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        activate();
        const QString file = path(QStringLiteral("lage.qvl"));
        Document document = labellingDocument(3);
        document.header.titel = QStringLiteral("Lage");
        ASSERT_TRUE(writeDocumentFile(document, file, true).ok);
        ASSERT_TRUE(window->documents().readAsCurrent(file));
        Settings& settings = window->settings();
        settings.NetzKomKanal = kChannel;
        settings.NetzKomVerfahren = 0;
        // The default folder below the program folder, made on first use.
        settings.NetzKomOrdner = window->state().programFolder + QStringLiteral("kom/");
    }

    NetworkTeacherController& controller() { return window->networkTeacher(); }
    TMasterProtForm& display() { return *controller().display(); }
    ExchangeFiles files() const {
        return ExchangeFiles(window->settings().NetzKomOrdner, kChannel);
    }

    // Initiates from the menu; `inDialog` works in the settings dialog first.
    void initiate(std::function<void(TUebOptForm*)> inSettings = {}) {
        inDialog<TUebOptForm>([inSettings](TUebOptForm* form) {
            if (inSettings)
                inSettings(form);
            form->startButton()->click();
        });
        window->menu().trigger(QStringLiteral("Netzwerkuebunginitiieren1"));
    }

    // Waits until the teacher's folder scan has taken `rows` participants.
    bool waitForRows(int rows) {
        QDeadlineTimer deadline(5000);
        while (display().model().index(rows - 1, 2).data().toString().isEmpty()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }
};

TEST_F(TeacherController, InitiateWithCodeShowsTheLiveDisplayAndRefusesWhatMustWait) {
    QString code;
    initiate([&code](TUebOptForm* form) {
        EXPECT_EQ(
            form->windowTitle(),
            QStringLiteral("Netzwerk-Übungseinstellungen für Text-Bild- / Bild-Text-Zuordnung "
                           "und Lückentext"));
        EXPECT_TRUE(form->networkPanel()->isVisible());
        auto* field = form->networkPanel()->findChild<LessonCodeField*>();
        ASSERT_NE(field, nullptr);
        field->makeButton()->click();
        code = field->code();
    });
    ASSERT_EQ(code.size(), 6);
    ASSERT_TRUE(controller().teaching());
    // The teacher's computer does not take part as well.
    EXPECT_FALSE(window->networkParticipant().join());
    EXPECT_EQ(prompter->order.last(),
              QStringLiteral("Die Netzwerk-Übung wurde auf diesem Rechner initiiert. Die Teilnahme "
                             "an der Netzwerk-Übung muss an einem anderen Rechner erfolgen."));
    EXPECT_TRUE(display().isVisible());
    EXPECT_EQ(display().windowTitle(),
              QStringLiteral("Netzwerk-Übung - Kontrollanzeige - Status: aktiv"));
    EXPECT_EQ(display().lessonCodeLabel()->text(), QStringLiteral("Unterrichtscode: ") + code);
    EXPECT_TRUE(files().available());
    EXPECT_EQ(display().model().columnCount(), 13 + 3);
    EXPECT_TRUE(display().information().contains(
        QStringLiteral("<tit>Lösungen\r\nHinweise: Die Nummern dienen zur Zuordnung")));
    EXPECT_TRUE(display().information().contains(QStringLiteral("\r\n1 - Position 1\r\n")))
        << "a trimmed solution line";
    EXPECT_TRUE(display().information().contains(
        QStringLiteral("Teilnehmername:\t(Initiator der Netzwerk-Übung)")));

    // The teacher runs no exercise of its own and keeps the communication.
    prompter->order.clear();
    window->menu().trigger(QStringLiteral("UebungStart1"));
    window->menu().trigger(QStringLiteral("Kommunikationsverzeichnis1"));
    ASSERT_EQ(prompter->order.size(), 2);
    EXPECT_EQ(prompter->order[0], msgNetworkInitiatedHere());
    EXPECT_TRUE(prompter->order[1].startsWith(
        QStringLiteral("Die Einstellungen zur Netzwerk-Kommunikation können nicht")));
    EXPECT_EQ(window->modus(), Modus::LearningView);

    // A participant with the code joins through the folder; one without is
    // dropped and counted in the status line.
    NetworkInvitation invitation;
    ASSERT_TRUE(readInvitation(files(), code.toLower(), invitation));
    RandomGenerator random(7);
    ParticipantLink pupil(files(), nullptr, invitation.settings.NetzUebungMaster, invitation.key,
                          newParticipantId(random), random);
    pupil.sendInit(QStringLiteral("Anna"), QStringLiteral("09:00:00"));
    EXPECT_TRUE(files().writeMessageFile(
        QStringLiteral("u"), QStringLiteral("pc-x"),
        joinMessageLines(tnInit(QString(kParticipantIdLength, u'Q'), QStringLiteral("Fremd"),
                                QStringLiteral("09:01:00"))),
        random));
    ASSERT_TRUE(waitForRows(1));
    EXPECT_EQ(display().model().index(0, 2).data().toString(), QStringLiteral("Anna"));
    QDeadlineTimer deadline(3000);
    auto* statusLine = display().findChild<QLabel*>(QStringLiteral("StatusLine"));
    while (statusLine->text().isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(statusLine->text(),
              QStringLiteral("1 Nachricht(en) ohne gültigen Unterrichtscode verworfen"));
    EXPECT_EQ(display().model().rowCount(), 1) << "the forged join added no row";
}

TEST_F(TeacherController, RegistrationSwitchAndEndKeepTheBestList) {
    initiate();
    ASSERT_TRUE(controller().teaching());
    display().registration()->click();
    EXPECT_FALSE(QFile::exists(files().markerPath()));
    display().registration()->click();
    EXPECT_TRUE(QFile::exists(files().markerPath()));
    controller().teacher().handleMessage(
        QStringLiteral("pc-1"), QStringLiteral("u"),
        joinMessageLines(tnInit(QString(kParticipantIdLength, u'A'), QStringLiteral("Ben"),
                                QStringLiteral("09:00:00"))));
    EXPECT_EQ(display().model().index(0, 1).data().toString(), QStringLiteral("pc-1"));
    ASSERT_TRUE(QFile(files().bestListPath()).open(QIODevice::WriteOnly));

    // "Nein" keeps it running; "Ja" ends it from the display's button.
    prompter->answers = {Answer::No, Answer::Yes};
    window->menu().trigger(QStringLiteral("LehrerNetzwerkUebungbeenden1"));
    EXPECT_TRUE(controller().teaching());
    display().findChild<QPushButton*>(QStringLiteral("NetzUebBeendenBtn"))->click();
    EXPECT_FALSE(controller().teaching());
    EXPECT_TRUE(
        prompter->order.constLast().startsWith(QStringLiteral("Netzwerk-Übung beenden?\r\n")));
    EXPECT_FALSE(display().isVisible());
    EXPECT_EQ(display().windowTitle(),
              QStringLiteral("Netzwerk-Übung - Kontrollanzeige - Status: beendet"));
    EXPECT_FALSE(QFile::exists(files().documentPath()));
    EXPECT_FALSE(QFile::exists(files().settingsPath()));
    EXPECT_FALSE(QFile::exists(files().markerPath()));
    EXPECT_TRUE(QFile::exists(files().bestListPath()));
    EXPECT_EQ(display().model().index(0, 2).data().toString(), QStringLiteral("Ben"))
        << "the display keeps its contents";

    // Without an exercise: the switch and the end only say so.
    window->menu().trigger(QStringLiteral("NetzwerkbungKontrollanzeige1"));
    EXPECT_TRUE(display().isVisible());
    prompter->order.clear();
    display().registration()->setChecked(false);
    display().registration()->click();
    window->menu().trigger(QStringLiteral("LehrerNetzwerkUebungbeenden1"));
    EXPECT_EQ(prompter->order,
              QStringList(2, QStringLiteral("Es ist keine Netzwerk-Übung aktiv.")));
    EXPECT_FALSE(QFile::exists(files().markerPath()));
}

TEST_F(TeacherController, ExitEndsTheExerciseOnlyWhenTheProgramCloses) {
    initiate();
    ASSERT_TRUE(controller().teaching());
    ASSERT_TRUE(QFile(files().bestListPath()).open(QIODevice::WriteOnly));
    window->show();
    prompter->quitAnswer = false;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(controller().teaching()) << "\"Nein, weiter arbeiten\" keeps the class going";
    EXPECT_TRUE(files().available());

    prompter->quitAnswer = true;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(controller().teaching());
    EXPECT_FALSE(QFile::exists(files().documentPath()));
    EXPECT_FALSE(QFile::exists(files().markerPath()));
    EXPECT_TRUE(QFile::exists(files().bestListPath()));
}

TEST_F(TeacherController, EveryDocumentTypeInitiatesThroughItsOwnDialog) {
    const struct {
        int dokTyp;
        const char* dialog;
    } cases[] = {{0, "UebOptForm"},
                 {2, "UebOptFragenForm"},
                 {4, "UebOptKorbForm"},
                 {5, "UebOptKreuzverbindungForm"},
                 {6, "UebOptForm"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialog);
        window->documents().document().header.DokTyp = c.dokTyp;
        QString caption;
        QString restored;
        inDialog<ExerciseOptionsDialog>([&](ExerciseOptionsDialog* dialog) {
            EXPECT_EQ(dialog->objectName(), QString::fromLatin1(c.dialog));
            caption = dialog->windowTitle();
            EXPECT_TRUE(dialog->networkPanel()->isVisible());
            dialog->closeButton()->click();
            restored = dialog->windowTitle();
        });
        window->menu().trigger(QStringLiteral("Netzwerkuebunginitiieren1"));
        EXPECT_TRUE(caption.startsWith(QStringLiteral("Netzwerk-Übungseinstellungen für ")));
        EXPECT_EQ(QStringLiteral("Netzwerk-") + restored, caption);
        EXPECT_FALSE(controller().teaching()) << "\"Schließen\" initiates nothing";
    }
    // A type the program does not know counts as cancelled: no dialog at all.
    window->documents().document().header.DokTyp = 9;
    EXPECT_FALSE(controller().initiate());
    EXPECT_FALSE(files().available());
}

TEST_F(TeacherController, TheMenuFollowsTheModeAndTheTeacherRole) {
    QAction* menu = window->menu().action(QStringLiteral("Lehrersteuerung1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isEnabled());
    window->setModus(Modus::Exercise);
    EXPECT_FALSE(menu->isEnabled());
    window->setModus(Modus::LearningView);
    initiate();
    ASSERT_TRUE(controller().teaching());
    window->setModus(Modus::SlidingPuzzle);
    EXPECT_TRUE(menu->isEnabled()) << "the teacher keeps the menu";
    window->setModus(Modus::LearningView);
}

} // namespace
