// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlist.h"
#include "document.h"
#include "exerciseclock.h"
#include "exerciseresultcontroller.h"
#include "exerciserun.h"
#include "exercisesession.h"
#include "mainmenu.h"
#include "protocolfile.h"
#include "radiogroup.h"
#include "randomgenerator.h"
#include "shellfixture.h"
#include "tprotkomform.h"
#include "tuebfertigform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

// A run of three positions on the open document "staedte.qvl", ended with
// one failed attempt, and the controller of the main window.
class ExerciseResultTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        activate();
        const QString file = writeDocument(u"staedte.qvl"_s, u"Hauptstädte"_s);
        ASSERT_TRUE(window->session().readAsCurrent(file));
        document.file = file;
        document.header.titel = u"Hauptstädte"_s;
        for (const QString& cap : {u"Rom"_s, u"Oslo"_s, u"Paris"_s}) {
            ObjDataTyp o;
            o.Typ = codeOf(Typ::QueryLabel);
            o.Cap = cap;
            document.objects.push_back(o);
        }
        request.startTime = QDateTime(QDate(2026, 12, 11), QTime(8, 15));
        request.participantName = u"Jörg"_s;
        ASSERT_TRUE(run.start(request).started());
        run.drop(0, 1);
        for (int i = 0; i < 3; ++i)
            run.drop(i, i);
        ASSERT_FALSE(run.running());
    }

    ExerciseResultController& controller() { return window->exerciseResults(); }
    TUebProtokollForm& protocolWindow() { return *controller().protocolWindow(); }
    TUebFertigForm& resultWindow() { return *controller().resultWindow(); }

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
    QPushButton* button(QWidget* in, const QString& name) {
        auto* found = in->findChild<QPushButton*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    Document document;
    VirtualClock clock;
    RandomGenerator random{7};
    ExerciseRuleSet rules = buildExerciseRuleSet();
    ExerciseSession session{document, rules, clock, random};
    ExerciseRun& run = session.run();
    StartRequest request;
};

TEST_F(ExerciseResultTest, TheProtocolWindowKeepsTheLastProtocolUntilTheNextRunEnds) {
    controller().completeProtocol(session);
    const QString shown = protocolWindow().textView()->toPlainText();
    EXPECT_TRUE(shown.startsWith(u"Übungsprotokoll\n"_s)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(u"Teilnehmername:\tJörg"_s));
    EXPECT_EQ(protocolWindow().protocol(), run.protocol());
    EXPECT_TRUE(protocolWindow().windowFlags() & Qt::WindowStaysOnTopHint);

    // A new run replaces nothing until it ends.
    request.abortConfirmed = true;
    ASSERT_TRUE(run.start(request).started());
    bool seen = false;
    whileShown(&protocolWindow(), [&] {
        seen = protocolWindow().textView()->toPlainText() == shown;
        QTest::keyClick(&protocolWindow(), Qt::Key_Escape);
    });
    window->menu().trigger(u"ProtokollderletztenUebung1"_s);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(protocolWindow().isVisible()) << "Escape closes";
}

TEST_F(ExerciseResultTest, ACommentIsAppendedAndABlankOneAddsNothing) {
    controller().completeProtocol(session);
    const QString before = protocolWindow().protocol();
    const int blocks = protocolWindow().textView()->document()->blockCount();
    TProtKomForm* form = protocolWindow().commentForm();
    const auto comment = [&](const QString& text, const QString& close) {
        whileShown(form, [&] {
            EXPECT_TRUE(form->memo()->toPlainText().isEmpty()) << "the memo starts empty";
            form->memo()->setPlainText(text);
            button(form, close)->click();
        });
        button(&protocolWindow(), u"KommentarBtn"_s)->click();
    };
    comment(u"  \n "_s, u"OKBtn"_s);
    comment(u"Nicht gesendet"_s, u"AbbrechenBtn"_s);
    EXPECT_EQ(protocolWindow().protocol(), before);
    EXPECT_EQ(protocolWindow().textView()->document()->blockCount(), blocks);

    comment(u" Sehr sorgfältig. \n"_s, u"OKBtn"_s);
    EXPECT_EQ(protocolWindow().protocol(),
              before + u"\r\n<tit>Kommentar\r\nSehr sorgfältig.\r\n"_s);
    EXPECT_TRUE(
        protocolWindow().textView()->toPlainText().endsWith(u"\nKommentar\n\nSehr sorgfältig."_s));

    // What is saved is what the window shows.
    const QString saved = path(u"protokoll.rtf"_s);
    ASSERT_TRUE(protocolWindow().saveTo(saved));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), protocolRtf(protocolWindow().protocol()));
}

TEST_F(ExerciseResultTest, SaveDialogStartsInTheProtocolFolderWithItsFilter) {
    window->settings().ProtOrdner = path(u"protokolle/"_s);
    protocolWindow().save(); // cancelled
    ASSERT_EQ(prompter->fileChoices.size(), 1u);
    const FileChoice& choice = prompter->fileChoices[0];
    EXPECT_EQ(choice.title, u"Übungsprotokoll in Datei speichern"_s);
    EXPECT_EQ(choice.filter, u"Rich Text Dokument (*.rtf)|*.rtf|Alle Dateien (*.*)|*.*"_s);
    EXPECT_EQ(choice.defaultSuffix, u"rtf"_s);
    EXPECT_EQ(choice.folder, path(u"protokolle/"_s));
}

TEST_F(ExerciseResultTest, AutomaticSavingWritesTheProtocolOrSaysWhyNot) {
    window->settings().AutoProtSpeichern = true;
    window->settings().ProtOrdner = path(u"protokolle/"_s);
    controller().completeProtocol(session);
    const QStringList saved = QDir(path(u"protokolle"_s)).entryList(QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved[0].endsWith(u"-0.rtf"_s)) << saved[0].toStdString();
    EXPECT_TRUE(prompter->asked.empty());

    // A folder below a plain file cannot be written: the message, and the
    // protocol stays in the window.
    window->settings().ProtOrdner = path(u"staedte.qvl/protokolle/"_s);
    controller().completeProtocol(session);
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].kind, MessageKind::Error);
    EXPECT_TRUE(prompter->asked[0].text.endsWith(
        u"Das Übungsprotokoll konnte nicht automatisch gespeichert werden. Überprüfen Sie die "
        u"Einstellungen unter \"Optionen / Ordner für Protokolle und Bestenlisten\"."_s));
    EXPECT_EQ(protocolWindow().protocol(), run.protocol());
}

TEST_F(ExerciseResultTest, MailHandsTheSavedProtocolToTheMailDispatch) {
    controller().completeProtocol(session);
    EXPECT_TRUE(protocolWindow().mailButton()->isEnabled()) << "the program's mail dispatch";
    controller().setMailHandOver({});
    EXPECT_FALSE(protocolWindow().mailButton()->isEnabled()) << "no dispatch, no button";
    struct Sent {
        QString subject, body;
        QStringList attachments;
    };
    std::vector<Sent> sent;
    controller().setMailHandOver(
        [&](const QString& subject, const QString& body, const QStringList& attachments) {
            sent.push_back({subject, body, attachments});
        });
    ASSERT_TRUE(protocolWindow().mailButton()->isEnabled());

    window->settings().ProtOrdner = path(u"staedte.qvl/x/"_s);
    protocolWindow().mailButton()->click();
    EXPECT_TRUE(sent.empty());
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_TRUE(prompter->asked[0].text.contains(u"E-Mail-Versand zwischengespeichert"_s));

    window->settings().ProtOrdner = path(u"protokolle/"_s);
    protocolWindow().mailButton()->click();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].subject, u"Quorvel-Übungsprotokoll"_s);
    EXPECT_EQ(sent[0].body, u"Anbei Quorvel-Übungsprotokoll zu Themendokument: staedte.qvl\r\n"_s);
    ASSERT_EQ(sent[0].attachments.size(), 1);
    const QFileInfo attached(sent[0].attachments[0]);
    EXPECT_EQ(attached.absolutePath() + u'/', path(u"protokolle/"_s));
    EXPECT_TRUE(attached.fileName().startsWith(u"email-qvlprotokoll-"_s));
    EXPECT_TRUE(attached.isFile());

    // Right after start the window has no protocol: nothing goes.
    protocolWindow().setProtocol(QString(), QString(), false);
    prompter->asked.clear();
    protocolWindow().mailButton()->click();
    EXPECT_EQ(sent.size(), 1u);
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].text, msgNoProtocolToMail());
}

// The choice between a complete and a partial repetition is open only after
// failed attempts of an individual run; otherwise it is the complete one.
TEST_F(ExerciseResultTest, RepetitionChoicesOnlyForAnIndividualRunWithFailedAttempts) {
    TUebFertigForm& form = resultWindow();
    for (const bool choice : {true, false, true}) {
        ExerciseResult result;
        result.repetitionChoice = choice;
        form.repetitionGroup()->setIndex(1); // left there by an earlier run
        form.setResult(result, false, false);
        EXPECT_EQ(form.repetitionGroup()->isEnabled(), choice);
        EXPECT_EQ(form.repetitionMode(), choice ? 1 : 0);
        EXPECT_EQ(form.repetitionGroup()->index(), choice ? 1 : 0);
    }
}

TEST_F(ExerciseResultTest, RepeatRestartsWithTheChosenModeAndAFailedStartShowsTheWindowAgain) {
    TUebFertigForm& form = resultWindow();
    std::vector<int> modes;
    const auto choosePartialAndRepeat = [&] {
        EXPECT_EQ(form.value(u"Richtig gelöst:"_s)->text(), u"3  von  3"_s);
        EXPECT_EQ(form.value(u"Bewertung:"_s)->text(), u"gut"_s);
        form.repetitionGroup()->button(1)->click();
        button(&form, u"WiederholenBtn"_s)->click();
    };
    whileShown(&form, choosePartialAndRepeat);
    const ResultChoice choice = controller().showExerciseResult(session, [&](int mode) {
        modes.push_back(mode);
        if (modes.size() == 1)
            whileShown(&form, choosePartialAndRepeat);
        return modes.size() == 2;
    });
    EXPECT_EQ(choice, ResultChoice::Repeated);
    EXPECT_EQ(modes, (std::vector<int>{1, 1}));

    whileShown(&form, [&] { button(&form, u"LernansichtBtn"_s)->click(); });
    EXPECT_EQ(controller().showExerciseResult(session, [](int) { return true; }),
              ResultChoice::Left);

    window->settings().UebErgebAnzeigen = false;
    EXPECT_EQ(controller().showExerciseResult(session, {}), ResultChoice::Left);
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].text, u"Die Übung ist beendet."_s);
}

TEST_F(ExerciseResultTest, AnAutomaticBestListEntryShowsItsLineAndHidesTheButton) {
    TUebFertigForm& form = resultWindow();
    window->settings().BestListOrdner = path(u"listen/"_s);
    ASSERT_TRUE(QDir().mkpath(path(u"listen"_s)));
    const auto leave = [&] { button(&form, u"LernansichtBtn"_s)->click(); };

    bool offered = false;
    whileShown(&form, [&] {
        offered = form.enterButton()->isVisible() && form.bestListLine()->text().isEmpty();
        form.enterButton()->click();
        EXPECT_FALSE(form.enterButton()->isVisible());
        leave();
    });
    controller().showExerciseResult(session, {});
    EXPECT_TRUE(offered);
    EXPECT_EQ(form.bestListLine()->text(), u"Das Ergebnis wurde in die Bestenliste eingetragen."_s);

    window->settings().ErgebBestListEintragen = true;
    bool hidden = false;
    whileShown(&form, [&] {
        hidden = !form.enterButton()->isVisible() && !form.bestListLine()->text().isEmpty();
        leave();
    });
    controller().showExerciseResult(session, {});
    EXPECT_TRUE(hidden);
    QList<BestListDataTyp> entries;
    ASSERT_TRUE(readBestList(path(u"listen/staedte.hsc"_s), BestListKind::Individual, entries).ok);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].Name, u"Jörg"_s);
    EXPECT_DOUBLE_EQ(entries[1].Leistung, 0.75);
}

} // namespace
} // namespace quorvel::test
