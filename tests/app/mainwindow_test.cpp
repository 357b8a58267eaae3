// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentcontroller.h"
#include "documentio.h"
#include "layoutset.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "menudefinition.h"
#include "quitdialog.h"
#include "shellfixture.h"
#include "titlebar.h"
#include "topicmenucontroller.h"
#include "windowdialogs.h"
#include "windowstatecontroller.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

using MainWindowTest = ShellFixture;

// Records what the shell tells its participants.
struct RecordingParticipant : ShellParticipant {
    int activations = 0;
    int aborts = 0;
    int relayouts = 0;
    QString seriesPackage;

    void shellActivated() override { ++activations; }
    void abortRun() override { ++aborts; }
    void relayout() override { ++relayouts; }
    bool openPackage(const QString& path) override {
        seriesPackage = path;
        return true;
    }
};

void expectEntriesBuilt(const MainMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Separator)
            continue;
        const QAction* action = menu.action(entry.name);
        ASSERT_NE(action, nullptr) << entry.name.toStdString();
        EXPECT_EQ(action->objectName(), entry.name);
        // The paging items carry the caption of the page shown, which starts with theirs.
        if (entry.name == u"Vorherige60Dokumente1" || entry.name == u"Naechste60Dokumente1")
            EXPECT_TRUE(action->text().startsWith(entry.caption)) << entry.name.toStdString();
        else
            EXPECT_EQ(action->text(), entry.caption) << entry.name.toStdString();
        EXPECT_EQ(action->shortcut(), QKeySequence(entry.shortcut)) << entry.name.toStdString();
        EXPECT_EQ(action->isCheckable(),
                  entry.kind == MenuEntry::Kind::Check || entry.kind == MenuEntry::Kind::Radio);
        expectEntriesBuilt(menu, entry.children);
    }
}

bool enabled(const MainWindow& window, const char16_t* name) {
    const QAction* action = window.menu().action(QString::fromUtf16(name));
    EXPECT_NE(action, nullptr) << QString::fromUtf16(name).toStdString();
    return action && action->isEnabled();
}

// The aspect of the page the view composes, and of a picture.
double shownAspect(const MainWindow& window) {
    return window.view().composer().pageAspect();
}

double aspectOf(const QImage& picture) {
    return double(picture.width()) / picture.height();
}

QString shownStartText() {
    QString text = MainWindow::startPanelText();
    text.replace(u"\r\n"_s, u"\n"_s);
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

} // namespace

TEST_F(MainWindowTest, StartsInTheEmptyLearningView) {
    MainWindow& w = start();
    const MainWindowState& z = w.state();
    EXPECT_EQ(z.modus, Modus::LearningView);
    const LearningViewState& shown = w.learningView().state();
    EXPECT_EQ(w.learningView().tool(), Tool::Pointer);
    EXPECT_EQ(shown.numberingMode, 1);
    EXPECT_EQ(shown.zoomFactor, 1.0);
    EXPECT_EQ(shown.zoomLevel, 0);
    EXPECT_EQ(shown.visibleArea, QRectF(0, 0, 1, 1));
    EXPECT_EQ(shown.currentQuestion, 0);
    EXPECT_EQ(z.programFolder, environment.baseFolder);
    EXPECT_EQ(w.windowTitle(), u"Quorvel"_s);
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_TRUE(w.documents().document().objects.empty());
    EXPECT_FALSE(w.view().composer().view().isNull());
    EXPECT_NEAR(shownAspect(w), aspectOf(w.documents().document().basePicture), 0.02);
    EXPECT_EQ(w.titleBar().modeButton()->text(), u"Lernansicht"_s);
    EXPECT_FALSE(w.cursors().pen.pixmap().isNull());
    EXPECT_FALSE(w.cursors().stamp.pixmap().isNull());
    EXPECT_EQ(w.quitDialog()->windowTitle(), u"Beenden"_s);
}

TEST_F(MainWindowTest, MenuBarIsBuiltFromTheDefinition) {
    MainWindow& w = activate();
    QStringList topLevel;
    for (const QAction* action : w.menuBar()->actions())
        topLevel << action->text();
    QStringList expected;
    for (const MenuEntry& menu : mainMenu())
        expected << menu.caption;
    EXPECT_EQ(topLevel, expected);
    expectEntriesBuilt(w.menu(), mainMenu());
}

TEST_F(MainWindowTest, EnablingFollowsAvailabilityAndMode) {
    MainWindow& w = activate();
    for (const char16_t* name :
         {u"Oeffnen1", u"Schliessen1", u"Beenden1", u"Vollbild1", u"Fenster1", u"Minimieren1",
          u"Info1", u"Tonausgabe1", u"WerkzeugleisteLinks1", u"Themenauswahl1", u"Lernansicht1",
          u"UebungStart1", u"Uebungabbrechen1", u"Drucken1", u"Druckereinrichtung1",
          u"Dokumenteigenschaften1", u"Schriftart1", u"Verknuepfungsfelder1", u"Notizbox1"})
        EXPECT_TRUE(enabled(w, name)) << QString::fromUtf16(name).toStdString();
    // Present but not usable: the save commands, authoring and later parts.
    for (const char16_t* name : {u"Speichern1", u"Speichernunter1", u"Autorenfunktion1"})
        EXPECT_FALSE(enabled(w, name)) << QString::fromUtf16(name).toStdString();
    EXPECT_TRUE(w.menu().action(u"Dokumenteigenschaften1"_s)->isVisible());

    EXPECT_TRUE(enabled(w, u"Notenskala1"));

    for (const Modus modus : {Modus::Exercise, Modus::SlidingPuzzle}) {
        w.setModus(modus);
        for (const char16_t* name : {u"Oeffnen1", u"Schliessen1", u"Themenauswahl1",
                                     u"Lernansicht1", u"Notenskala1", u"Schriftart1"})
            EXPECT_FALSE(enabled(w, name)) << QString::fromUtf16(name).toStdString();
        for (const char16_t* name :
             {u"Beenden1", u"Vollbild1", u"Tonausgabe1", u"Info1", u"Uebungabbrechen1"})
            EXPECT_TRUE(enabled(w, name)) << QString::fromUtf16(name).toStdString();
        EXPECT_EQ(w.titleBar().modeButton()->text(), u"Übung abbrechen"_s);
    }
    w.setModus(Modus::LearningView);
    EXPECT_TRUE(enabled(w, u"Oeffnen1"));
    EXPECT_TRUE(enabled(w, u"Notenskala1"));
    EXPECT_TRUE(enabled(w, u"Schriftart1"));
    EXPECT_EQ(w.titleBar().modeButton()->text(), u"Lernansicht"_s);
}

TEST_F(MainWindowTest, ModeButtonAbortsOnlyARun) {
    MainWindow& w = activate();
    RecordingParticipant run;
    w.addParticipant(run);
    w.titleBar().modeButton()->click();
    EXPECT_EQ(run.aborts, 0);
    EXPECT_TRUE(w.titleBar().modeButton()->isChecked());
    w.setModus(Modus::Exercise);
    w.titleBar().modeButton()->click();
    EXPECT_EQ(run.aborts, 1);
    window.reset(); // before the participant goes
}

TEST_F(MainWindowTest, StartPanelWithoutDocument) {
    MainWindow& w = activate();
    const QLabel* panel = w.view().startPanel();
    EXPECT_TRUE(panel->isVisibleTo(&w));
    EXPECT_EQ(panel->text(), shownStartText());
    EXPECT_EQ(panel->pos(), QPoint(50, 50));
    EXPECT_TRUE(prompter->asked.empty());
    EXPECT_EQ(w.state().topicFolder, environment.baseFolder);
    EXPECT_EQ(w.state().currentFolder, environment.baseFolder);
}

TEST_F(MainWindowTest, CommandLineDocumentIsOpened) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"themen"_s));
    const QString file = writeDocument(u"themen/karte.qvl"_s, u"Die Karte"_s);
    MainWindow& w = activate({file});
    EXPECT_TRUE(prompter->asked.empty());
    EXPECT_TRUE(w.documents().isOpen());
    EXPECT_EQ(w.documents().document().file, file);
    EXPECT_EQ(w.windowTitle(), u"Quorvel - karte.qvl"_s);
    EXPECT_EQ(w.titleBar().documentTitle(), u"(1) Die Karte"_s); // its number in the folder
    EXPECT_EQ(w.state().commandLineDocument, file);
    EXPECT_EQ(w.state().topicFolder, path(u"themen/"_s));
    EXPECT_EQ(w.state().currentFolder, path(u"themen/"_s));
    EXPECT_FALSE(w.view().startPanel()->isVisibleTo(&w));
    EXPECT_FALSE(w.view().composer().view().isNull());
    EXPECT_NEAR(shownAspect(w), 120.0 / 84.0, 0.02);
    const QImage& shown = w.view().composer().view();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(30, 120, 200));
}

TEST_F(MainWindowTest, UnreadableCommandLineFileLeavesTheStartState) {
    write(u"kaputt.qvl"_s, QByteArray("\x08\0\0\0QVL-2.21\x05\0\0\0|HD-v", 21));
    const QString file = path(u"kaputt.qvl"_s);
    Document probe;
    const LayoutSet layouts = buildLayoutSet();
    const QStringList expected = readDocumentFile(probe, file, ReadOptions{layouts}).messages;
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(expected.back(), msgCannotRead(file));

    MainWindow& w = activate({file});
    QStringList shown;
    for (const auto& question : prompter->asked) {
        EXPECT_EQ(question.kind, MessageKind::Error);
        EXPECT_EQ(question.buttons, MessageButtons::Ok);
        shown << question.text;
    }
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_EQ(w.windowTitle(), u"Quorvel"_s);
    EXPECT_EQ(w.titleBar().documentTitle(), QString());
    EXPECT_TRUE(w.view().startPanel()->isVisibleTo(&w));
    EXPECT_TRUE(w.documents().document().objects.empty());
    EXPECT_NEAR(shownAspect(w), aspectOf(w.documents().document().basePicture), 0.02);
}

TEST_F(MainWindowTest, MissingCommandLineFileSaysSo) {
    const QString file = path(u"fehlt.qvl"_s);
    MainWindow& w = activate({file});
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].text, msgFileMissing(file));
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_TRUE(w.view().startPanel()->isVisibleTo(&w));
}

TEST_F(MainWindowTest, CommandLineFolderBecomesTheTopicFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"klasse7"_s));
    writeDocument(u"klasse7/a.qvl"_s, u"A"_s);
    RecordingParticipant part;
    start({path(u"klasse7"_s)}).addParticipant(part);
    window->activateFirstTime();
    EXPECT_FALSE(window->documents().isOpen());
    EXPECT_TRUE(prompter->asked.empty());
    EXPECT_EQ(window->state().topicFolder, path(u"klasse7/"_s));
    EXPECT_EQ(window->state().currentFolder, path(u"klasse7/"_s));
    EXPECT_EQ(part.activations, 1);
    EXPECT_EQ(window->topics().list().size(), 1u) << "the folder is listed";
    window.reset();
}

TEST_F(MainWindowTest, SeriesPackageIsRecognisedInAnyCase) {
    write(u"serie.QVUSP"_s, "kein Dokument");
    MainWindow& w = activate({path(u"serie.QVUSP"_s)});
    // Read as a series package, not as a document: the package's own refusal.
    EXPECT_EQ(prompter->order, QStringList{msgInvalidFormat()});
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_TRUE(w.state().commandLineDocument.isEmpty());

    RecordingParticipant series;
    start({path(u"serie.QVUSP"_s)}).addParticipant(series);
    window->activateFirstTime();
    EXPECT_EQ(series.seriesPackage, path(u"serie.QVUSP"_s));
    window.reset();
}

TEST_F(MainWindowTest, CentralTopicFolderWithoutArgument) {
    write(u"config.ini"_s, "[Start]\r\nThemenordner=/srv/themen\r\n");
    MainWindow& w = activate();
    EXPECT_EQ(w.state().topicFolder, u"/srv/themen/"_s);
    EXPECT_EQ(w.state().currentFolder, u"/srv/themen/"_s);
}

TEST_F(MainWindowTest, SettingsAreReadAtActivationAndWrittenAtShutdown) {
    write(u"benutzer.ini"_s, "[General]\nOpt-Sound=false\nOpt-WerkzeugPos=1\n");
    write(u"config.ini"_s, "[Optionen]\nOptionenDefZentral=1\nNamenseingabe=0\n"
                           "[Ordner]\nOrdnerDefZentral=0\nOrdnerProtokoll=/anders/\n");
    MainWindow& w = start();
    EXPECT_TRUE(w.menu().action(u"Tonausgabe1"_s)->isChecked()); // defaults before activation
    w.activateFirstTime();
    EXPECT_FALSE(w.menu().action(u"Tonausgabe1"_s)->isChecked());
    EXPECT_FALSE(w.menu().action(u"NamenseingabebeiUebungen1"_s)->isChecked());
    EXPECT_TRUE(w.menu().action(u"StatusinformationbeiUebungenanzeigen1"_s)->isChecked());
    EXPECT_TRUE(w.menu().action(u"WerkzeugleisteLinks1"_s)->isChecked());
    EXPECT_FALSE(w.menu().action(u"WerkzeugleisteRechts1"_s)->isChecked());

    w.menu().action(u"UebungsprotokolleautomatischSpeichern1"_s)->trigger();
    w.menu().action(u"WerkzeugleisteRechts1"_s)->trigger();
    w.documents().document().header.Schriftart = u"Verdana"_s; // the font of the last document
    EXPECT_TRUE(w.close());
    EXPECT_EQ(prompter->order, QStringList({u"<Beenden>"_s}));

    QSettings stored(path(u"benutzer.ini"_s), QSettings::IniFormat);
    EXPECT_EQ(stored.value(u"Opt-Sound"_s).toString(), u"false"_s);
    EXPECT_EQ(stored.value(u"Opt-UebNameEingabe"_s).toString(), u"false"_s); // from config.ini
    EXPECT_EQ(stored.value(u"Opt-AutoProtSpeichern"_s).toString(), u"true"_s);
    EXPECT_EQ(stored.value(u"Opt-WerkzeugPos"_s).toString(), u"0"_s);
    EXPECT_EQ(stored.value(u"Opt-ProtOrdner"_s).toString(),
              environment.baseFolder + u"protokolle/"_s);
    EXPECT_EQ(stored.value(u"Opt-Schriftart"_s).toString(), u"Verdana"_s);
}

TEST_F(MainWindowTest, CancelledShutdownKeepsTheWindowAndWritesNothing) {
    const QString file = writeDocument(u"a.qvl"_s, u"A"_s);
    MainWindow& w = activate({file});
    w.documents().document().modified = true;
    prompter->answers = {Answer::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(prompter->order, QStringList({msgSaveChanges(file)}));
    EXPECT_FALSE(QFileInfo::exists(path(u"benutzer.ini"_s)));

    prompter->quitAnswer = false;
    prompter->answers = {Answer::Yes}; // "Ja" writes nothing and goes on
    EXPECT_FALSE(w.close());
    EXPECT_EQ(prompter->order.back(), u"<Beenden>"_s);
    EXPECT_FALSE(QFileInfo::exists(path(u"benutzer.ini"_s)));
}

TEST_F(MainWindowTest, NeverActivatedWindowWritesNoSettings) {
    write(u"benutzer.ini"_s, "[General]\nOpt-Sound=false\n");
    EXPECT_TRUE(start().close());
    EXPECT_TRUE(prompter->order.isEmpty());
    QSettings stored(path(u"benutzer.ini"_s), QSettings::IniFormat);
    EXPECT_EQ(stored.allKeys(), QStringList({u"Opt-Sound"_s}));
}

TEST_F(MainWindowTest, BeendenClosesThroughTheShutdownQuestions) {
    MainWindow& w = activate();
    w.show();
    prompter->quitAnswer = false;
    w.menu().action(u"Beenden1"_s)->trigger();
    EXPECT_EQ(prompter->order, QStringList({u"<Beenden>"_s}));
    EXPECT_TRUE(w.isVisible());
    prompter->quitAnswer = true;
    w.menu().action(u"Beenden1"_s)->trigger();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, EmptyStateFollowsThePageRatioSettings) {
    {
        QSettings stored(path(u"benutzer.ini"_s), QSettings::IniFormat);
        stored.setValue(u"Dok-SeitRatioBreite"_s, 2);
        stored.setValue(u"Dok-SeitRatioHoehe"_s, 1);
    }
    EXPECT_NEAR(shownAspect(activate()), 2.0, 0.02) << "the start picture at program start";
    window.reset();

    const QString file = writeDocument(u"a.qvl"_s, u"A"_s);
    MainWindow& w = activate({file});
    Settings& settings = w.settings();
    const struct {
        int art, width, height;
        double aspect;
    } cases[] = {{1, 4, 3, 4.0 / 3.0}, {1, 2, 1, 2.0}, {0, 4, 3, 870.0 / 609.0}};
    for (const auto& c : cases) {
        settings.SeitRatioArt = c.art;
        settings.SeitRatioBreite = c.width;
        settings.SeitRatioHoehe = c.height;
        w.menu().action(u"Schliessen1"_s)->trigger();
        ASSERT_FALSE(w.documents().isOpen());
        EXPECT_NEAR(shownAspect(w), c.aspect, 0.02) << c.width << ":" << c.height;
        EXPECT_FALSE(w.documents().document().modified) << "closing again asks nothing";
        ASSERT_TRUE(w.documents().readAsCurrent(file));
    }
    EXPECT_TRUE(prompter->asked.empty());
}

TEST_F(MainWindowTest, SchliessenReturnsToTheStartState) {
    const QString file = writeDocument(u"a.qvl"_s, u"A"_s);
    MainWindow& w = activate({file});
    ASSERT_TRUE(w.documents().isOpen());

    w.documents().document().modified = true;
    prompter->answers = {Answer::Cancel};
    w.menu().action(u"Schliessen1"_s)->trigger();
    EXPECT_TRUE(w.documents().isOpen());

    prompter->answers = {Answer::No};
    w.menu().action(u"Schliessen1"_s)->trigger();
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_FALSE(w.documents().document().modified);
    EXPECT_TRUE(w.documents().document().file.isEmpty());
    EXPECT_EQ(w.documents().document().previousFile, file);
    EXPECT_EQ(w.windowTitle(), u"Quorvel"_s);
    EXPECT_TRUE(w.view().startPanel()->isVisibleTo(&w));
    EXPECT_NEAR(shownAspect(w), aspectOf(w.documents().document().basePicture), 0.02);
    // The view no longer shows the closed document's plain blue picture.
    const QImage& shown = w.view().composer().view();
    EXPECT_NE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(30, 120, 200));
}

TEST_F(MainWindowTest, OpenDialogIsMadeOnceWithTheDocumentFilter) {
    MainWindow& w = activate();
    QFileDialog* dialog =
        w.windowDialogs().fileDialog(documentOpenChoice(w.state().currentFolder), false);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), u"Dokument öffnen"_s);
    EXPECT_EQ(dialog->nameFilters(),
              QStringList({u"Quorvel-Dokument (*.qvl)"_s, u"RBK-Dokument (*.rbk)"_s,
                           u"Alle Dateien (*.*)"_s}));
    EXPECT_EQ(dialog->defaultSuffix(), u"qvl"_s);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(w.windowDialogs().fileDialog(documentOpenChoice(path(u"a"_s)), false), dialog)
        << "made once";

    // What the dialog hands over is read as the current document.
    const QString file = writeDocument(u"b.qvl"_s, u"B"_s);
    EXPECT_TRUE(w.documents().readAsCurrent(file));
    EXPECT_EQ(w.windowTitle(), u"Quorvel - b.qvl"_s);

    // "Ö&ffnen..." asks the user's dialogs, in the current folder.
    const QString other = writeDocument(u"c.qvl"_s, u"C"_s);
    prompter->files = {other};
    w.menu().action(u"Oeffnen1"_s)->trigger();
    EXPECT_EQ(prompter->dialogs, QStringList({u"Dokument öffnen"_s}));
    ASSERT_EQ(prompter->fileChoices.size(), 1u);
    EXPECT_EQ(prompter->fileChoices[0].folder, environment.baseFolder);
    EXPECT_EQ(w.windowTitle(), u"Quorvel - c.qvl"_s);
    EXPECT_EQ(w.state().currentFolder, dir.path() + u'/');
}

TEST_F(MainWindowTest, WindowStates) {
    MainWindow& w = activate();
    w.show();
    RecordingParticipant layout;
    w.addParticipant(layout);
    w.menu().action(u"Vollbild1"_s)->trigger();
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w.isVisible());
    w.menu().action(u"Fenster1"_s)->trigger();
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(layout.relayouts, 2);

    w.windowStates().fixedSize();
    EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(w.frameGeometry().size(), QSize(1076, 780));

    w.menu().action(u"Minimieren1"_s)->trigger();
    EXPECT_TRUE(w.isMinimized());
    window.reset();
}

namespace {

void waitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Without a window manager nobody hands the keyboard back: the main window
// takes it, with the view, when a dialog closes and when a document opens,
// so that F7 and Alt+F7 work without a click.
TEST_F(MainWindowTest, KeyboardReturnsToTheViewAfterADialogAndAfterOpening) {
    MainWindow& w = activate();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QDialog dialog(&w);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.accept();
    waitFor([&w] { return QApplication::focusWidget() == &w.view(); });
    EXPECT_EQ(QApplication::activeWindow(), &w);
    EXPECT_EQ(QApplication::focusWidget(), &w.view());

    w.view().clearFocus();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    ASSERT_TRUE(w.documents().readAsCurrent(writeDocument(u"fokus.qvl"_s, u"Fokus"_s)));
    waitFor([&w] { return QApplication::focusWidget() == &w.view(); });
    EXPECT_EQ(QApplication::focusWidget(), &w.view());
}

} // namespace

namespace {

// The save dialog reads "a" "b" as two names; a typed quote is refused
// instead of the name coming back cut to its quoted part.
TEST_F(MainWindowTest, SaveDialogRefusesADoubleQuoteInTheName) {
    MainWindow& w = activate();
    const FileChoice choice{u"Dokument speichern unter"_s, u"Quorvel-Dokument (*.qvl)|*.qvl"_s,
                            u"qvl"_s, dir.path()};
    QFileDialog* dialog = w.windowDialogs().fileDialog(choice, true);
    const auto type = [dialog](const QString& name) {
        auto* edit = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        QMetaObject::invokeMethod(dialog, &QDialog::accept);
    };
    QString refused;
    QTimer::singleShot(0, dialog, [&] {
        type(u"tafel \"zwei\""_s);
        // The refusal's message box, then the dialog once more.
        QTimer::singleShot(0, &w, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            refused = box->text();
            box->accept();
            QTimer::singleShot(0, dialog, [&] { type(u"tafel zwei"_s); });
        });
    });
    const QString chosen = w.windowDialogs().chooseSaveFile(choice);
    EXPECT_EQ(refused, msgQuoteInFileName());
    EXPECT_EQ(QFileInfo(chosen).fileName(), u"tafel zwei.qvl"_s);
}

} // namespace
