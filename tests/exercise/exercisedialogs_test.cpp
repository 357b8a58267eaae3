// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentcontroller.h"
#include "exercisesettingscontroller.h"
#include "mainmenu.h"
#include "messagepanel.h"
#include "notenskalaform.h"
#include "radiogroup.h"
#include "settings.h"
#include "shellfixture.h"
#include "soundplayer.h"
#include "ueboptform.h"
#include "ueboptfragenform.h"
#include "ueboptkorbform.h"
#include "ueboptkreuzverbindungform.h"
#include "uebungsrueckmeldungform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <functional>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

class ExerciseDialogsTest : public ShellFixture {
protected:
    ExerciseSettingsController& controller() { return window->exerciseSettings(); }

    // Runs `interact` once the modal dialog `dialog` is up; it must close it.
    static void whileShown(QDialog* dialog, std::function<void()> interact) {
        QTimer::singleShot(0, dialog, [dialog, interact = std::move(interact)] {
            EXPECT_TRUE(dialog->isVisible());
            interact();
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
    }

    // Shows the settings dialog of `dokTyp`, lets `interact` work in it and
    // closes it with `button`.
    bool showSettings(DokTyp dokTyp, std::function<void(ExerciseOptionsDialog*)> interact,
                      bool start) {
        ExerciseOptionsDialog* dialog = nullptr;
        switch (settingsGroupOf(dokTyp)) {
        case SettingsGroup::Labelling:
            dialog = controller().labellingForm();
            break;
        case SettingsGroup::Questions:
            dialog = controller().questionsForm();
            break;
        case SettingsGroup::Cluster:
            dialog = controller().clusterForm();
            break;
        case SettingsGroup::CrossMatching:
            dialog = controller().crossMatchingForm();
            break;
        }
        whileShown(dialog, [dialog, interact, start] {
            interact(dialog);
            (start ? dialog->startButton() : dialog->closeButton())->click();
        });
        return controller().showSettingsDialog(dokTyp);
    }
};

TEST_F(ExerciseDialogsTest, SharedCheckBoxClearedInTheQuestionsDialogHoldsForLabelling) {
    activate();
    EXPECT_TRUE(controller().showBeforeEachExercise());
    EXPECT_FALSE(showSettings(
        DokTyp::SingleQuestions,
        [](ExerciseOptionsDialog* d) {
            EXPECT_TRUE(d->showBeforeEachExercise()->isChecked());
            d->showBeforeEachExercise()->click();
        },
        false));
    EXPECT_FALSE(controller().showBeforeEachExercise());
    // The labelling dialog and the cluster dialog open with it cleared.
    EXPECT_TRUE(showSettings(
        DokTyp::PictureLabelling,
        [](ExerciseOptionsDialog* d) { EXPECT_FALSE(d->showBeforeEachExercise()->isChecked()); },
        true));
    EXPECT_TRUE(showSettings(
        DokTyp::Cluster,
        [](ExerciseOptionsDialog* d) {
            EXPECT_FALSE(d->showBeforeEachExercise()->isChecked());
            d->showBeforeEachExercise()->click();
        },
        true));
    EXPECT_TRUE(controller().showBeforeEachExercise());
}

TEST_F(ExerciseDialogsTest, TypingATimeChoosesTheLimitEvenFromWithoutClock) {
    activate();
    window->settings().UebOpt.ZeitLimit = 2;
    showSettings(
        DokTyp::Cloze,
        [](ExerciseOptionsDialog* d) {
            auto* form = static_cast<TUebOptForm*>(d);
            EXPECT_EQ(form->zeitlimit()->index(), 2);
            form->zeitlimit()->seconds()->selectAll();
            QTest::keyClicks(form->zeitlimit()->seconds(), u"20"_s);
            EXPECT_EQ(form->zeitlimit()->index(), 1);
        },
        true);
    EXPECT_EQ(window->settings().UebOpt.ZeitLimit, 1);
    EXPECT_EQ(window->settings().UebOpt.ZLimitSek, u"20"_s);
    EXPECT_EQ(controller().snapshot(DokTyp::Cloze).ZeitlimitSek, 200);
}

TEST_F(ExerciseDialogsTest, CrossMatchingTimeIsNotStoredAcrossARestart) {
    activate();
    showSettings(
        DokTyp::CrossMatching,
        [](ExerciseOptionsDialog* d) {
            auto* form = static_cast<TUebOptKreuzverbindungForm*>(d);
            form->zeitlimit()->minutes()->selectAll();
            QTest::keyClicks(form->zeitlimit()->minutes(), u"7"_s);
        },
        true);
    // The cluster dialog's time is stored, for comparison.
    showSettings(
        DokTyp::Cluster,
        [](ExerciseOptionsDialog* d) { d->findChild<TimeLimitGroup*>()->button(2)->click(); },
        false);
    EXPECT_EQ(controller().snapshot(DokTyp::CrossMatching).Zeitlimit, TimeMode::Limit);
    EXPECT_EQ(controller().snapshot(DokTyp::CrossMatching).ZeitlimitSek, 420);
    ASSERT_TRUE(window->close());

    activate();
    const UebEinstellungen crossMatching = controller().snapshot(DokTyp::CrossMatching);
    EXPECT_EQ(crossMatching.Zeitlimit, TimeMode::ClockWithoutLimit);
    EXPECT_EQ(crossMatching.ZeitlimitSek, 180);
    EXPECT_EQ(controller().snapshot(DokTyp::Cluster).Zeitlimit, TimeMode::NoClock);
    showSettings(
        DokTyp::CrossMatching,
        [](ExerciseOptionsDialog* d) {
            auto* form = static_cast<TUebOptKreuzverbindungForm*>(d);
            EXPECT_EQ(form->zeitlimit()->index(), 0);
            EXPECT_EQ(form->zeitlimit()->minutes()->text(), u"3"_s);
        },
        false);
}

TEST_F(ExerciseDialogsTest, ExtendedGroupsAndTheTextInputPanel) {
    activate();
    TUebOptForm* form = controller().labellingForm();
    showSettings(
        DokTyp::PictureLabelling,
        [form](ExerciseOptionsDialog*) {
            // The reduced and extended heights, or what the fonts of the
            // platform need beyond them.
            const int reduced = form->height();
            EXPECT_GE(reduced, TUebOptForm::kReducedHeight);
            EXPECT_FALSE(form->zuordnungRichtig()->isVisible());
            form->extendButton()->click();
            EXPECT_GE(form->height(), TUebOptForm::kExtendedHeight);
            EXPECT_GT(form->height(), reduced);
            EXPECT_EQ(form->extendButton()->text(), u"Reduziert..."_s);
            EXPECT_TRUE(form->zuordnungRichtig()->isVisible());
            form->abfrageModus()->button(3)->click();
            EXPECT_TRUE(form->textInputPanel()->isVisible());
            EXPECT_FALSE(form->zuordnungRichtig()->isVisible());
            form->abfrageModus()->button(0)->click();
            EXPECT_FALSE(form->textInputPanel()->isVisible());
            form->extendButton()->click();
            EXPECT_EQ(form->height(), reduced);
            EXPECT_EQ(form->extendButton()->text(), u"Erweitert..."_s);
            form->extendButton()->click();
        },
        false);
    // Left extended, it opens reduced again.
    showSettings(
        DokTyp::PictureLabelling,
        [form](ExerciseOptionsDialog*) {
            EXPECT_FALSE(form->extended());
            EXPECT_FALSE(form->zuordnungRichtig()->isVisible());
        },
        false);
}

TEST_F(ExerciseDialogsTest, FeedbackAtTheEndForcesOneTryUntilTheNetworkDialogCloses) {
    activate();
    TUebOptForm* form = controller().labellingForm();
    const QString caption = form->windowTitle();
    whileShown(form, [form] {
        EXPECT_TRUE(form->networkPanel()->isVisible());
        form->setWindowTitle(u"Netzwerk-Übung initiieren"_s);
        form->riFaRueckmeldungGroup()->button(1)->click();
        EXPECT_EQ(form->zuordnungFalsch()->index(), 1);
        EXPECT_FALSE(form->zuordnungFalsch()->isEnabled());
        EXPECT_EQ(form->riFaRueckmeldung(), 1);
        form->startButton()->click();
    });
    EXPECT_TRUE(controller().showSettingsDialog(DokTyp::PictureLabelling, true));
    EXPECT_EQ(window->settings().UebOpt.ZuordnungFalsch, 1);
    EXPECT_FALSE(form->networkPanel()->isVisibleTo(form));
    EXPECT_EQ(form->windowTitle(), caption);
    // An individual exercise never gives its feedback at the end.
    EXPECT_EQ(form->riFaRueckmeldung(), 0);
    EXPECT_TRUE(form->zuordnungFalsch()->isEnabled());
}

TEST_F(ExerciseDialogsTest, SettingsCommandIsRefusedDuringAnExercise) {
    activate();
    window->setModus(Modus::Exercise);
    window->menu().trigger(u"Uebungseinstellungen1"_s);
    ASSERT_EQ(prompter->order.size(), 1);
    EXPECT_EQ(prompter->order.front(),
              u"Die Übungseinstellungen können nicht während der Übung geändert werden."_s);
    EXPECT_FALSE(controller().labellingForm()->isVisible());

    // In the learning view the menu opens the dialog of the document's type.
    window->setModus(Modus::LearningView);
    window->documents().document().header.DokTyp = codeOf(DokTyp::MultipleChoice);
    // "Übung starten" runs the real start at once: the dialog is not shown a
    // second time, and the start answers for this document without queries.
    int shown = 0;
    TUebOptFragenForm* fragen = controller().questionsForm();
    controller().labellingForm()->showBeforeEachExercise()->setChecked(true);
    whileShown(fragen, [fragen, &shown] {
        ++shown;
        EXPECT_EQ(fragen->zuordnungstexte()->button(0)->text(), u" Wie vorgegeben geordnet "_s);
        fragen->startButton()->click();
        // Should it come up again, it is counted and closed.
        QTimer::singleShot(0, fragen, [fragen, &shown] {
            if (fragen->isVisible()) {
                ++shown;
                fragen->reject();
            }
        });
    });
    window->menu().trigger(u"Uebungseinstellungen1"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(prompter->order.last(), u"Dieses Dokument enthält keine Abfrageobjekte."_s);
}

// The scale dialog.

class ScaleDialogTest : public ExerciseDialogsTest {
protected:
    TNotenskalaForm* form() { return controller().gradingScaleForm(); }
};

TEST_F(ScaleDialogTest, OkShowsTheFirstFailureAndStaysOpenUntilAllIsValid) {
    activate();
    TNotenskalaForm* scale = form();
    whileShown(scale, [scale] {
        EXPECT_EQ(scale->quoteEdit(1)->text(), u"85,0"_s);
        EXPECT_EQ(scale->quoteEditP(15)->text(), u"95,0"_s);
        scale->quoteEdit(2)->setText(u"90,0"_s);
        scale->quoteEditP(15)->setText(u"10"_s);
        scale->okButton()->click();
        EXPECT_TRUE(scale->isVisible());
        scale->quoteEdit(2)->setText(u"72,5"_s);
        scale->okButton()->click();
        EXPECT_TRUE(scale->isVisible());
        scale->quoteEditP(15)->setText(u"97,5"_s);
        scale->okButton()->click();
    });
    window->menu().trigger(u"Notenskala1"_s);
    const QString range = u"Alle Werte müssen im Bereich von 0 bis 100% liegen.\r\n"_s;
    EXPECT_EQ(prompter->order,
              QStringList({range + u"Der Wert für Note 1 darf nicht kleiner sein als der Wert "
                                   u"für Note 2."_s,
                           range + u"Der Wert für 15 Punkte darf nicht kleiner sein als der "
                                   u"Wert für 14 Punkte."_s}));
    EXPECT_EQ(prompter->asked.front().kind, MessageKind::Error);
    EXPECT_EQ(window->settings().NoteMinQuote[1], 0.725);
    EXPECT_EQ(window->settings().PunkteMinQuote[14], 0.975);
}

TEST_F(ScaleDialogTest, CancelDiscardsAndTheFifthThresholdFollowsTheScale) {
    activate();
    TNotenskalaForm* scale = form();
    whileShown(scale, [scale] {
        RadioGroup* scales = scale->bewertSkalaGroup();
        scales->button(1)->click();
        EXPECT_EQ(scale->quoteEdit(5)->text(), u"0,0"_s);
        EXPECT_EQ(scale->gradeLabel(6)->text(), QString());
        scales->button(0)->click();
        EXPECT_EQ(scale->quoteEdit(5)->text(), u"25,0"_s);
        EXPECT_EQ(scale->gradeLabel(6)->text(), u"Note 6 - ungenügend"_s);
        scales->button(3)->click();
        EXPECT_EQ(scale->gradeLabel(1)->text(), u"Note 5 - sehr gut"_s);
        scales->button(4)->click();
        EXPECT_FALSE(scale->pointRowShown(13));
        EXPECT_TRUE(scale->pointRowShown(12));
        scales->button(1)->click();
        scale->reject();
    });
    window->menu().trigger(u"Notenskala1"_s);
    EXPECT_EQ(window->settings().BewertSkala, 0);
    EXPECT_EQ(window->settings().NoteMinQuote[4], 0.25);

    // Accepted with scale 1, the fifth threshold is 0 and is stored so.
    whileShown(scale, [scale] {
        EXPECT_EQ(scale->quoteEdit(5)->text(), u"25,0"_s);
        scale->bewertSkalaGroup()->button(1)->click();
        scale->okButton()->click();
    });
    window->menu().trigger(u"Notenskala1"_s);
    EXPECT_EQ(window->settings().BewertSkala, 1);
    EXPECT_EQ(window->settings().NoteMinQuote[4], 0.0);
    EXPECT_EQ(grade(0.3, controller().gradingTable()), 5);
}

// Feedback and sounds.

TEST_F(ExerciseDialogsTest, FeedbackDialogBrowsesForSoundsAndStoresOnOk) {
    activate();
    TUebungsrueckmeldungForm* feedback = controller().feedbackForm();
    const QString chosen = path(u"gong.wav"_s);
    prompter->files = {chosen};
    whileShown(feedback, [feedback] {
        EXPECT_EQ(feedback->falschTonDatei()->text(), u"falsch1.wav"_s);
        feedback->browseButton(1)->click();
        feedback->richtigText()->setText(u"Super!"_s);
        feedback->mcText(2)->setText(u"Fehlt:"_s);
        feedback->accept();
    });
    window->menu().trigger(u"Uebungsrueckmeldung1"_s);
    ASSERT_EQ(prompter->fileChoices.size(), 1u);
    const FileChoice& offered = prompter->fileChoices.front();
    EXPECT_EQ(offered.title, u"Ton-Datei auswählen"_s);
    EXPECT_EQ(offered.filter, u"WAV-Tondatei (*.wav)|*.wav|Alle Dateien (*.*)|*.*"_s);
    EXPECT_EQ(offered.fileName, u"falsch1.wav"_s);
    EXPECT_FALSE(offered.folder.isEmpty());
    const UebungsrueckmeldungSettings& stored = window->settings().Uebungsrueckmeldung;
    EXPECT_EQ(stored.FalschTonDatei, chosen);
    EXPECT_EQ(stored.RichtigText, u"Super!"_s);
    EXPECT_EQ(stored.MCFehlendText, u"Fehlt:"_s);
    EXPECT_EQ(stored.RichtigTonDatei, u"richtig1.wav"_s);
}

TEST_F(ExerciseDialogsTest, SoundsAreFoundOrReportedAndNotPlayedWhenSwitchedOff) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"basis/sound"_s));
    QFile own(path(u"basis/sound/richtig1.wav"_s));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    activate();
    SoundPlayer& sounds = controller().sounds();
    sounds.playRight(u"richtig1.wav"_s);
    EXPECT_EQ(sounds.lastPlayed(), own.fileName());
    sounds.playWrong(u"fehlt"_s);
    EXPECT_EQ(prompter->order, QStringList{u"Sounddatei \"fehlt\" nicht gefunden."_s});

    window->menu().trigger(u"Tonausgabe1"_s);
    EXPECT_FALSE(window->settings().Sound);
    sounds.playWrong(u"fehlt"_s);
    EXPECT_EQ(prompter->order.size(), 1);
}

TEST(MessagePanelTest, EmptyTextHidesThePanel) {
    QWidget exercise;
    MessagePanel panel(&exercise);
    panel.setGeometry(0, 0, 300, 130); // as the exercise places it
    exercise.show();
    panel.showMessage(u"Richtig!"_s, Qt::darkGreen);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.font().pixelSize(), 40);
    EXPECT_EQ(panel.palette().color(QPalette::WindowText), QColor(Qt::darkGreen));
    panel.showMessage(QString(), Qt::red);
    EXPECT_FALSE(panel.isVisible());
}

// Over a narrow card column a long multiple-choice result wraps and shrinks
// until all of it shows.
TEST(MessagePanelTest, LongMessagesFitTheColumn) {
    MessagePanel panel;
    panel.setGeometry(0, 0, 150, 130);
    panel.showMessage(u"Richtig: 0 Falsch: 1 Fehlend: 1"_s, Qt::red);
    const QRect needed =
        QFontMetrics(panel.font())
            .boundingRect(panel.contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, panel.text());
    EXPECT_TRUE(panel.contentsRect().contains(needed))
        << needed.width() << " x " << needed.height() << " at " << panel.font().pixelSize();
    EXPECT_GE(panel.font().pixelSize(), 12);
}

} // namespace
} // namespace quorvel::test
