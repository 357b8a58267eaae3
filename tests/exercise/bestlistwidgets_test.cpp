// SPDX-License-Identifier: GPL-3.0-or-later
#include "bestlistcontroller.h"
#include "documentcontroller.h"
#include "documentio.h"
#include "resultfolders.h"
#include "settings.h"
#include "shellfixture.h"
#include "tbestlistform.h"
#include "tbestlistverzform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

class BestListWidgetsTest : public ShellFixture {
protected:
    BestListController& controller() { return window->bestLists(); }

    // Runs `interact` in the modal dialog of type D once it is up; it must close it.
    template <typename D> void inDialog(std::function<void(D*)> interact) {
        QTimer::singleShot(0, window.get(), [interact = std::move(interact)] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            interact(dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
    }

    void openDocument() {
        activate();
        ASSERT_TRUE(window->documents().readAsCurrent(writeDocument(u"mond.qvl"_s, u"Mond"_s)));
        // The default best-list folder does not exist yet: entering creates it.
        ASSERT_FALSE(QFileInfo::exists(window->settings().BestListOrdner));
    }

    QString listPath() const { return window->settings().BestListOrdner + u"mond.hsc"_s; }

    QList<BestListDataTyp> readList() const {
        QList<BestListDataTyp> entries;
        EXPECT_TRUE(readBestList(listPath(), BestListKind::Individual, entries));
        return entries;
    }

    static UebungsSitzung completeRun() {
        UebungsSitzung run;
        run.SitzungsArt = SessionKind::Individual;
        run.AbfrageAnz = run.AbfrageAnzGesamt = 6;
        run.EndeGrund = EndReason::Completed;
        run.TeilnehmerName = u"  Lena "_s;
        run.StartZeit = QDateTime(QDate(2026, 12, 10), QTime(9, 30));
        run.Gesamtleistung = 5.0 / 6.0;
        return run;
    }
};

TEST_F(BestListWidgetsTest, OnlyCompleteEndedIndividualRunsAreEntered) {
    openDocument();
    struct Case {
        const char* what;
        std::function<void(UebungsSitzung&)> change;
        BestListEntry outcome;
    };
    const Case cases[] = {
        {"complete", [](UebungsSitzung&) {}, BestListEntry::Entered},
        {"timed out", [](UebungsSitzung& r) { r.EndeGrund = EndReason::TimeOut; },
         BestListEntry::Entered},
        {"partial repetition", [](UebungsSitzung& r) { r.AbfrageAnz = 4; },
         BestListEntry::NotEligible},
        {"aborted", [](UebungsSitzung& r) { r.EndeGrund = EndReason::Aborted; },
         BestListEntry::NotEligible},
        {"still running", [](UebungsSitzung& r) { r.EndeGrund = EndReason::Running; },
         BestListEntry::NotEligible},
        {"network participant",
         [](UebungsSitzung& r) { r.SitzungsArt = SessionKind::NetworkParticipant; },
         BestListEntry::NotEligible},
        {"series part", [](UebungsSitzung& r) { r.SitzungsArt = SessionKind::SeriesPart; },
         BestListEntry::NotEligible},
    };
    int entered = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UebungsSitzung run = completeRun();
        c.change(run);
        EXPECT_EQ(controller().canEnter(run), c.outcome == BestListEntry::Entered);
        EXPECT_EQ(controller().enterResult(run, 61500), c.outcome);
        entered += c.outcome == BestListEntry::Entered;
        EXPECT_EQ(readList().size(), entered);
    }
    const QList<BestListDataTyp> entries = readList();
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries[0].Name, u"Lena"_s);
    EXPECT_EQ(entries[0].Dauer, 61500);
    EXPECT_DOUBLE_EQ(entries[0].Leistung, 5.0 / 6.0);
    EXPECT_EQ(bestListDateTime(entries[0].Beginn), completeRun().StartZeit);
    EXPECT_TRUE(prompter->asked.empty());

    // A document without a file has no list to enter.
    window->session().showNewDocument(QImage(40, 30, QImage::Format_RGB32), u"Tafel"_s);
    EXPECT_EQ(controller().enterResult(completeRun(), 1000), BestListEntry::NotEligible);
}

TEST_F(BestListWidgetsTest, AutomaticEntryFollowsTheOptionAndAFailedButtonOpensTheFolders) {
    openDocument();
    window->settings().ErgebBestListEintragen = false;
    EXPECT_EQ(controller().enterAutomatically(completeRun(), 1000), BestListEntry::NotEligible);
    EXPECT_FALSE(QFile::exists(listPath()));
    window->settings().ErgebBestListEintragen = true;
    EXPECT_EQ(controller().enterAutomatically(completeRun(), 1000), BestListEntry::Entered);
    EXPECT_EQ(readList().size(), 1);

    // No folder at all is no list in the working folder.
    window->settings().BestListOrdner.clear();
    EXPECT_EQ(controller().enterResult(completeRun(), 1000), BestListEntry::Failed);
    EXPECT_EQ(prompter->order, QStringList{msgInvalidResultFolder(ResultFolder::BestLists)});
    EXPECT_FALSE(QFile::exists(u"mond.hsc"_s));
    prompter->asked.clear();

    // The folder is gone: five attempts fail, the message names the settings,
    // and the folder dialog opens.
    window->settings().BestListOrdner = path(u"fehlt/"_s);
    bool folderDialogShown = false;
    inDialog<TBestListVerzForm>([&](TBestListVerzForm* form) {
        folderDialogShown = true;
        EXPECT_EQ(form->edit(ResultFolder::BestLists)->text(), path(u"fehlt/"_s));
        form->cancelButton()->click();
    });
    EXPECT_EQ(controller().enterFromButton(completeRun(), 1000), BestListEntry::Failed);
    EXPECT_TRUE(folderDialogShown);
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].kind, MessageKind::Error);
    EXPECT_TRUE(
        prompter->asked[0].text.contains(u"Die Bestenliste konnte nicht gespeichert werden."_s));
}

TEST_F(BestListWidgetsTest, FolderDialogChecksCompletesAndStores) {
    activate();
    for (const QString& name : {u"b"_s, u"p"_s, u"c"_s, u"g"_s})
        ASSERT_TRUE(QDir(dir.path()).mkdir(name));
    const Settings before = window->settings();

    inDialog<TBestListVerzForm>([&](TBestListVerzForm* form) {
        EXPECT_EQ(form->windowTitle(), u"Dateiordner"_s);
        EXPECT_EQ(form->edit(ResultFolder::Protocols)->text(), before.ProtOrdner);
        form->edit(ResultFolder::Chronicle)->setText(path(u"c"_s));
        form->edit(ResultFolder::Protocols)->setText(path(u"fehlt"_s));
        form->edit(ResultFolder::BestLists)->clear();
        form->okButton()->click();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->edit(ResultFolder::Chronicle)->text(), path(u"c/"_s));
        EXPECT_EQ(prompter->order.last(), msgInvalidResultFolder(ResultFolder::Protocols));
        EXPECT_EQ(form->focusWidget(), form->edit(ResultFolder::Protocols));

        prompter->folders = {path(u"p"_s)};
        form->browseButton(ResultFolder::Protocols)->click();
        EXPECT_EQ(prompter->dialogs.last(), u"Ordner für Protokolle festlegen"_s);
        EXPECT_EQ(form->edit(ResultFolder::Protocols)->text(), path(u"p/"_s));
        form->okButton()->click();
        EXPECT_EQ(prompter->order.last(), msgInvalidResultFolder(ResultFolder::BestLists));
        EXPECT_EQ(window->settings(), before); // nothing stored while one is invalid

        form->edit(ResultFolder::BestLists)->setText(path(u"b"_s));
        form->edit(ResultFolder::Gallery)->setText(path(u"g/"_s));
        form->okButton()->click();
    });
    EXPECT_TRUE(window->commands().isEnabled(u"Dateiordner1"_s));
    window->commands().trigger(u"Dateiordner1"_s);
    EXPECT_EQ(resultFolders(window->settings()),
              (ResultFolderTexts{path(u"b/"_s), path(u"p/"_s), path(u"c/"_s), path(u"g/"_s)}));
    EXPECT_EQ(prompter->order.size(), 2);
}

// A damaged list is left exactly as it is: the read error, no folder dialog
// (another folder would not mend the file); the list window then shows an
// empty list, its time header whole, and saving it fails with the file-write
// message.
TEST_F(BestListWidgetsTest, DamagedListStaysAsItIsAndTheWindowSavesWithTheWriteMessage) {
    openDocument();
    ASSERT_EQ(controller().enterResult(completeRun(), 1000), BestListEntry::Entered);
    QFile damaged(listPath());
    ASSERT_TRUE(damaged.open(QIODevice::Append));
    ASSERT_EQ(damaged.write("\x7f\xff\xff\x7fXY", 6), 6);
    damaged.close();
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    const QByteArray before = damaged.readAll();
    damaged.close();

    bool modalShown = false;
    QTimer::singleShot(0, window.get(), [&modalShown] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            modalShown = true;
            dialog->reject();
        }
    });
    EXPECT_EQ(controller().enterFromButton(completeRun(), 2000), BestListEntry::Unreadable);
    QApplication::processEvents();
    EXPECT_FALSE(modalShown);
    EXPECT_EQ(controller().folderForm(), nullptr);
    EXPECT_EQ(prompter->order, QStringList{msgCannotRead(listPath())});
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    EXPECT_EQ(damaged.readAll(), before);
    damaged.close();

    prompter->files = {path(u"fehlt/liste.txt"_s), path(u"liste.txt"_s)};
    QString shownText;
    inDialog<TBestListForm>([&](TBestListForm* form) {
        EXPECT_EQ(form->grid()->rowCount(), 1);
        const QString header = u"Zeit (Min:Sek)"_s;
        EXPECT_GT(form->grid()->columnWidth(4),
                  form->grid()->horizontalHeader()->fontMetrics().horizontalAdvance(header));
        QPushButton* save = nullptr;
        for (QPushButton* button : form->findChildren<QPushButton*>()) {
            if (button->text() == u"Speichern..."_s)
                save = button;
        }
        ASSERT_NE(save, nullptr);
        save->click();
        save->click();
        shownText = form->text();
        form->reject();
    });
    prompter->order.clear();
    window->commands().trigger(u"BestenlisteIndividualUebung1"_s);
    // The read error of the damaged list, then the failed save.
    ASSERT_EQ(prompter->order.size(), 2);
    EXPECT_TRUE(prompter->order[0].startsWith(msgCannotRead(listPath())));
    EXPECT_EQ(prompter->order[1], msgCannotWrite(path(u"fehlt/liste.txt"_s)));
    QFile saved(path(u"liste.txt"_s));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), shownText);
}

TEST_F(BestListWidgetsTest, NetworkListAndTheRefusalDuringAParticipation) {
    activate();
    inDialog<TBestListForm>([](TBestListForm* form) {
        EXPECT_EQ(form->windowTitle(), u"Bestenliste - Netzwerk-Übung"_s);
        EXPECT_EQ(form->grid()->rowCount(), 1);
        form->reject();
    });
    window->commands().trigger(u"BestenlisteNetzwerkUebung1"_s);
    EXPECT_EQ(prompter->order,
              QStringList{
                  u"Die Bestenliste zur aktuellen Netzwerk-Übung enthält noch keine Einträge."_s});

    controller().setNetworkParticipation(true);
    window->commands().trigger(u"BestenlisteIndividualUebung1"_s);
    EXPECT_EQ(
        prompter->order.last(),
        u"Während der Netzwerk-Übung ist die Bestenliste der Individual-Übung nicht einsehbar."_s);
}

} // namespace
} // namespace quorvel::test
