// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentcontroller.h"
#include "documentio.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "reportmarkup.h"
#include "shellfixture.h"
#include "themenlisteform.h"
#include "titlebar.h"
#include "toolbar.h"
#include "topicmenucolumns.h"
#include "topicmenucontroller.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

class TopicMenuTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"themen"_s));
    }

    // `count` documents titled "Thema 001", "Thema 002", ... in the topic folder.
    void writeNumbered(int count) {
        for (int i = 1; i <= count; ++i) {
            const QString n = QString::number(i).rightJustified(3, u'0');
            writeDocument(u"themen/t"_s + n + u".qvl"_s, u"Thema "_s + n);
        }
    }

    MainWindow& activateInFolder() { return activate({path(u"themen/"_s)}); }

    TopicMenuController& topics() { return window->topics(); }
    QAction* item(const QString& name) { return window->menu().action(name); }
    bool enabled(const QString& name) { return item(name)->isEnabled(); }
    QStringList shownEntries() {
        QStringList names;
        for (int i = 0; i < int(topics().list().size()); ++i) {
            if (topics().entryAction(i)->isVisible())
                names << topics().entryAction(i)->objectName();
        }
        for (const QAction* a : topics().columns()->entries())
            names << a->objectName();
        return names;
    }
    void press(QWidget* target, int key, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &event);
    }
};

} // namespace

TEST_F(TopicMenuTest, FolderIsListedByTitleAndEntriesOpenTheirDocument) {
    writeDocument(u"themen/b.qvl"_s, u"Zebra"_s);
    writeDocument(u"themen/a.qvl"_s, u"Apfel"_s);
    writeDocument(u"themen/ohne.qvl"_s, u"   "_s);
    write(u"themen/fremd.qvl"_s, QByteArray("kein Dokument"));
    MainWindow& w = activateInFolder();

    ASSERT_EQ(topics().list().size(), 3u);
    EXPECT_EQ(shownEntries(),
              QStringList({u"MenueThemaItem0"_s, u"MenueThemaItem1"_s, u"MenueThemaItem2"_s}));
    EXPECT_EQ(topics().entryAction(0)->text(), u"&1:  ohne.qvl"_s);
    EXPECT_EQ(topics().entryAction(1)->text(), u"&2:  Apfel"_s);
    EXPECT_EQ(topics().entryAction(2)->text(), u"&3:  Zebra"_s);
    EXPECT_EQ(topics().currentIndex(), -1);
    EXPECT_FALSE(topics().columns()->isVisibleTo(&w));
    EXPECT_FALSE(enabled(u"Vorherige60Dokumente1"_s));
    EXPECT_FALSE(enabled(u"Naechste60Dokumente1"_s));
    EXPECT_EQ(item(u"Naechste60Dokumente1"_s)->text(), u"Nächste 60 Dokumente anzeigen (von 3)"_s);

    topics().entryAction(1)->trigger();
    EXPECT_EQ(w.documents().document().file, path(u"themen/a.qvl"_s));
    EXPECT_EQ(topics().currentIndex(), 1);
    EXPECT_TRUE(topics().entryAction(1)->isChecked());
    EXPECT_FALSE(topics().entryAction(0)->isChecked());
    EXPECT_EQ(w.titleBar().documentTitle(), u"(2) Apfel"_s);
    EXPECT_EQ(w.titleBar().titleHint(), u"Titel verbergen"_s);

    // The title toggles between the title and "?".
    topics().toggleTitle();
    EXPECT_EQ(w.titleBar().documentTitle(), u"?"_s);
    EXPECT_EQ(w.titleBar().titleHint(), u"Titel anzeigen"_s);
    topics().toggleTitle();
    EXPECT_EQ(w.titleBar().documentTitle(), u"(2) Apfel"_s);
    EXPECT_TRUE(prompter->asked.empty());
}

TEST_F(TopicMenuTest, NextAndPreviousStepThroughTheListAndStopAtItsEnds) {
    writeDocument(u"themen/a.qvl"_s, u"A"_s);
    writeDocument(u"themen/b.qvl"_s, u"B"_s);
    MainWindow& w = activateInFolder();

    w.titleBar().nextButton()->click(); // no current entry: the first
    EXPECT_EQ(topics().currentIndex(), 0);
    item(u"NaechstesDokumentderListe1"_s)->trigger();
    EXPECT_EQ(topics().currentIndex(), 1);
    EXPECT_EQ(w.documents().document().previousFile, path(u"themen/a.qvl"_s));

    // On the last entry nothing is read again (the previous path stays).
    w.documents().document().previousFile = u"unverändert"_s;
    item(u"NaechstesDokumentderListe1"_s)->trigger();
    EXPECT_EQ(topics().currentIndex(), 1);
    EXPECT_EQ(w.documents().document().previousFile, u"unverändert"_s);

    // A cancelled save question keeps the document and its radio mark.
    w.documents().document().modified = true;
    prompter->answers = {Answer::Cancel};
    item(u"VorherigesDokumentderListe1"_s)->trigger();
    EXPECT_EQ(topics().currentIndex(), 1);
    EXPECT_EQ(w.documents().document().file, path(u"themen/b.qvl"_s));
    topics().entryAction(0)->trigger();
    prompter->answers = {Answer::Cancel};
    EXPECT_TRUE(topics().entryAction(1)->isChecked());
    EXPECT_FALSE(topics().entryAction(0)->isChecked());

    prompter->answers = {Answer::No};
    w.titleBar().previousButton()->click();
    EXPECT_EQ(topics().currentIndex(), 0);

    // Outside the learning view the buttons are gone and the commands do nothing.
    w.setModus(Modus::Exercise);
    EXPECT_FALSE(w.titleBar().nextButton()->isVisibleTo(&w));
    topics().nextDocument();
    EXPECT_EQ(topics().currentIndex(), 0);
}

TEST_F(TopicMenuTest, PageKeysStepThroughTheListWhereverTheFocusIs) {
    writeDocument(u"themen/a.qvl"_s, u"A"_s);
    writeDocument(u"themen/b.qvl"_s, u"B"_s);
    MainWindow& w = activateInFolder();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QCheckBox* layer = w.learningView().toolBar().layer(2);
    layer->setFocus();
    QTest::keyClick(layer, Qt::Key_PageDown);
    EXPECT_EQ(topics().currentIndex(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(topics().currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ(topics().currentIndex(), 0);
}

TEST_F(TopicMenuTest, EmptyFolderOpensNothing) {
    MainWindow& w = activateInFolder();
    item(u"NaechstesDokumentderListe1"_s)->trigger();
    item(u"VorherigesDokumentderListe1"_s)->trigger();
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_TRUE(prompter->asked.empty());
    EXPECT_TRUE(shownEntries().isEmpty());
}

TEST_F(TopicMenuTest, LongListsBreakIntoTwoColumnsThatTheKeyboardWorks) {
    writeNumbered(26);
    MainWindow& w = activateInFolder();
    TopicMenuColumns* columns = topics().columns();
    ASSERT_EQ(columns->entries().size(), 26);
    EXPECT_EQ(columns->columnBreak(), 8); // 26 div 2 - 5
    EXPECT_FALSE(topics().entryAction(0)->isVisible());
    EXPECT_EQ(columns->columnOf(8), 1);
    EXPECT_EQ(columns->rowOf(8), 0);
    EXPECT_EQ(columns->entryRect(8).top(), columns->entryRect(0).top());
    EXPECT_GT(columns->entryRect(8).left(), columns->entryRect(0).left());

    columns->setCurrent(1);
    press(columns, Qt::Key_Right);
    EXPECT_EQ(columns->current(), 9);
    press(columns, Qt::Key_Left);
    EXPECT_EQ(columns->current(), 1);
    press(columns, Qt::Key_Up);
    press(columns, Qt::Key_Up); // at the top the key goes back to the menu
    EXPECT_EQ(columns->current(), -1);
    columns->setCurrent(7);
    press(columns, Qt::Key_Down); // the end of the first column
    EXPECT_EQ(columns->current(), -1);
    columns->setCurrent(10);
    press(columns, Qt::Key_Return);
    EXPECT_EQ(w.documents().document().file, path(u"themen/t011.qvl"_s));
    EXPECT_EQ(topics().currentIndex(), 10);
    EXPECT_TRUE(topics().entryAction(10)->isChecked());

    // The digit of one of the first nine entries opens it.
    press(columns, Qt::Key_3, u"3"_s);
    EXPECT_EQ(topics().currentIndex(), 2);
}

TEST_F(TopicMenuTest, PagesOfSixtyNeverStartPastTheLastSixty) {
    writeNumbered(61);
    MainWindow& w = activateInFolder();
    w.show(); // the menu bar reopens the menu only when it is shown
    EXPECT_EQ(topics().columns()->entries().size(), 60);
    EXPECT_EQ(topics().columns()->entries().front()->objectName(), u"MenueThemaItem0"_s);
    EXPECT_FALSE(enabled(u"Vorherige60Dokumente1"_s));
    EXPECT_TRUE(enabled(u"Naechste60Dokumente1"_s));
    EXPECT_EQ(item(u"Naechste60Dokumente1"_s)->text(), u"Nächste 60 Dokumente anzeigen (von 61)"_s);

    item(u"Naechste60Dokumente1"_s)->trigger();
    EXPECT_EQ(topics().pageStart(), 1);
    EXPECT_EQ(topics().columns()->entries().front()->objectName(), u"MenueThemaItem1"_s);
    EXPECT_EQ(topics().columns()->entries().back()->objectName(), u"MenueThemaItem60"_s);
    EXPECT_TRUE(enabled(u"Vorherige60Dokumente1"_s));
    EXPECT_FALSE(enabled(u"Naechste60Dokumente1"_s));
    EXPECT_EQ(item(u"Vorherige60Dokumente1"_s)->text(), u"Vorherige 60 Dokumente anzeigen"_s);

    // The menu opens again at the new page.
    QApplication::processEvents();
    EXPECT_TRUE(topics().menu()->isVisible());
    topics().menu()->close();

    // Opening the last entry shows the page that holds it.
    item(u"Vorherige60Dokumente1"_s)->trigger();
    topics().menu()->close();
    EXPECT_EQ(topics().pageStart(), 0);
    topics().openEntry(60);
    EXPECT_EQ(topics().currentIndex(), 60);
    EXPECT_EQ(topics().pageStart(), 1);
}

TEST_F(TopicMenuTest, FolderCommandsTellHowManyDocumentsWereRead) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"andere"_s));
    writeDocument(u"andere/x.qvl"_s, u"X"_s);
    writeDocument(u"andere/y.qvl"_s, u"Y"_s);
    const QString first = writeDocument(u"themen/a.qvl"_s, u"A"_s);
    MainWindow& w = activate({first});
    ASSERT_TRUE(w.documents().isOpen());

    const QString message =
        u"2 Themendokument(e) eingelesen.\r\nWählen Sie das gewünschte Dokument im Menü \"Themenauswahl\"."_s;
    prompter->folders = {path(u"andere"_s)};
    item(u"Ordnerwaehlen1"_s)->trigger();
    EXPECT_EQ(prompter->dialogs, QStringList({u"Aktuellen Ordner wählen"_s}));
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_EQ(w.state().currentFolder, path(u"andere/"_s));
    EXPECT_EQ(topics().list().size(), 2u);
    EXPECT_EQ(prompter->order, QStringList({message}));

    writeDocument(u"andere/z.qvl"_s, u"Z"_s);
    item(u"AktuellenOrdnerneueinlesen1"_s)->trigger();
    EXPECT_EQ(topics().list().size(), 3u);
    EXPECT_EQ(prompter->order.last(), QString(message).replace(0, 1, u"3"_s));

    // "Startseite" goes back to the document of the command line.
    item(u"Startseite1"_s)->trigger();
    EXPECT_EQ(w.documents().document().file, first);
    EXPECT_EQ(topics().currentIndex(), 0);

    // "Zuvor angezeigtes Dokument" after stepping on.
    item(u"Ordnerwaehlen1"_s)->trigger(); // cancelled: nothing changes
    EXPECT_EQ(w.documents().document().file, first);
}

TEST_F(TopicMenuTest, StartPageWithoutCommandLineDocumentCloses) {
    writeDocument(u"themen/a.qvl"_s, u"A"_s);
    writeDocument(u"themen/b.qvl"_s, u"B"_s);
    MainWindow& w = activateInFolder();
    topics().openEntry(0);
    topics().openEntry(1);
    item(u"ZuvorangezeigtesDokument1"_s)->trigger();
    EXPECT_EQ(w.documents().document().file, path(u"themen/a.qvl"_s));

    item(u"Startseite1"_s)->trigger();
    EXPECT_FALSE(w.documents().isOpen());
    EXPECT_EQ(w.state().topicFolder, w.state().currentFolder);
    EXPECT_EQ(topics().list().size(), 2u); // the current folder stays listed
    EXPECT_TRUE(w.view().startPanel()->isVisibleTo(&w));
}

TEST_F(TopicMenuTest, PreviouslyShownSurvivesAFailedOpenAndAClose) {
    writeDocument(u"themen/a.qvl"_s, u"A"_s);
    MainWindow& w = activateInFolder();
    topics().openEntry(0);
    const QString broken = path(u"themen/kaputt.qvl"_s);
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kein Dokument");
    file.close();

    prompter->answers = {Answer::Ok, Answer::Ok};
    EXPECT_FALSE(w.documents().readAsCurrent(broken));
    EXPECT_FALSE(w.documents().isOpen());
    item(u"ZuvorangezeigtesDokument1"_s)->trigger();
    EXPECT_EQ(w.documents().document().file, path(u"themen/a.qvl"_s));

    w.menu().action(u"Schliessen1"_s)->trigger();
    ASSERT_FALSE(w.documents().isOpen());
    item(u"ZuvorangezeigtesDokument1"_s)->trigger();
    EXPECT_EQ(w.documents().document().file, path(u"themen/a.qvl"_s));
}

TEST_F(TopicMenuTest, ListWindowShowsCopiesAndSavesTheList) {
    writeDocument(u"themen/a.qvl"_s, u"Übersicht"_s);
    writeDocument(u"themen/b.qvl"_s, u"Ahorn"_s);
    activateInFolder();
    item(u"Themenlistedrucken1"_s)->trigger();
    TThemenlisteForm* list = topics().listWindow();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->windowTitle(), u"Themenliste"_s);
    EXPECT_EQ(list->textView()->toPlainText(), u"Themenliste\n\n1: Ahorn\n2: Übersicht"_s);

    list->copyToClipboard();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->text().contains(u"2: Übersicht"_s));
    EXPECT_TRUE(copied->html().contains(u"Ahorn"_s));
    EXPECT_TRUE(copied->data(u"text/rtf"_s).startsWith("{\\rtf"));

    const QString file = path(u"liste.rtf"_s);
    ASSERT_TRUE(list->saveTo(file));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray rtf = saved.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf"));
    EXPECT_TRUE(rtf.contains("Ahorn"));

    EXPECT_FALSE(list->saveTo(path(u"fehlt/liste.rtf"_s)));
    EXPECT_EQ(prompter->order.last(), msgCannotWrite(path(u"fehlt/liste.rtf"_s)));
    list->close();
}
