// SPDX-License-Identifier: GPL-3.0-or-later
#include "capitalsdocument.h"
#include "documentio.h"
#include "exerciseclock.h"
#include "exercisecontroller.h"
#include "exerciseresultcontroller.h"
#include "radiogroup.h"
#include "scriptedprompter.h"
#include "seriescontroller.h"
#include "seriesfolder.h"
#include "seriespackage.h"
#include "shellfixture.h"
#include "tuebprotokollform.h"
#include "tuebseriefertigform.h"
#include "tuebungsserieform.h"
#include "uebstatuspan.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::StringLiterals;

namespace {

class SeriesDialogTest : public test::ShellFixture {
protected:
    // Three documents in a folder of their own.
    QString folder() {
        QDir(dir.path()).mkdir(u"serie"_s);
        writeDocument(u"serie/c.qvl"_s, u"Drei"_s);
        writeDocument(u"serie/A.qvl"_s, u"Eins"_s);
        writeDocument(u"serie/b.qvl"_s, QString());
        return path(u"serie"_s);
    }
    static QString cell(const TUebungsserieForm& form, int row, int column) {
        return form.grid()->item(row, column)->text();
    }
};

} // namespace

TEST_F(SeriesDialogTest, GridFollowsClicksTypingAndDraggedPositions) {
    activate();
    TUebungsserieForm form(*window, window.get());
    form.folderEdit()->setText(folder());
    form.defaultWeightEdit()->setValue(2);
    ASSERT_TRUE(form.readFolder());
    ASSERT_EQ(form.grid()->rowCount(), 3);
    EXPECT_EQ(cell(form, 0, 2), u"Eins"_s);
    EXPECT_EQ(cell(form, 1, 2), u"(ohne Titel)"_s);
    EXPECT_EQ(cell(form, 0, 4), u"2"_s);
    EXPECT_EQ(cell(form, 0, 6), u"Freie Zuordnung"_s); // a labelling document

    form.clickCell(0, 6);
    EXPECT_EQ(cell(form, 0, 6), u"Texte/Bilder einzeln"_s);
    form.clickCell(1, 1);
    EXPECT_EQ(cell(form, 1, 1), u"nein"_s);
    form.grid()->item(2, 4)->setText(u"2,6"_s);
    form.grid()->item(2, 5)->setText(u"zehn"_s);
    form.moveRow(2, 0); // "c.qvl" first
    EXPECT_EQ(cell(form, 0, 0), u"1"_s);
    EXPECT_EQ(cell(form, 0, 2), u"Drei"_s);

    const SeriesPackage series = form.series();
    ASSERT_EQ(series.entries.size(), 3u);
    EXPECT_EQ(series.entries[0].Gewichtung, 3);
    EXPECT_EQ(series.entries[0].ZeitMin, 0);
    EXPECT_EQ(series.entries[1].AbfrageModus, 1);
    EXPECT_FALSE(series.entries[2].Aktiv);

    // Starting leaves out the inactive entry.
    form.startButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.startedSeries().entries.size(), 2u);
}

TEST_F(SeriesDialogTest, PackageAndRefusals) {
    activate();
    TUebungsserieForm form(*window, window.get());
    form.folderEdit()->setText(path(u"fehlt"_s));
    EXPECT_FALSE(form.readFolder());
    EXPECT_EQ(prompter->order.last(), msgInvalidSeriesFolder());

    form.folderEdit()->setText(folder());
    ASSERT_TRUE(form.readFolder());
    form.modeGroup()->setIndex(2);
    form.titleEdit()->setText(u"Probe"_s);
    const QString package = path(u"probe.qvusp"_s);
    prompter->files = {package};
    form.createPackage();
    ASSERT_EQ(prompter->fileChoices.size(), 1u);
    EXPECT_EQ(prompter->fileChoices[0].title, u"Übungs-Serien-Paket erstellen"_s);
    SeriesPackage read;
    ASSERT_TRUE(readSeriesPackage(package, read).ok);
    EXPECT_EQ(read.entries.size(), 3u);
    EXPECT_EQ(read.title, u"Probe"_s);
    EXPECT_EQ(read.mode, SeriesMode::OneTryWithoutFeedback);

    for (int row = 0; row < 3; ++row)
        form.clickCell(row, 1);
    const qsizetype asked = prompter->order.size();
    form.startButton()->click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    ASSERT_EQ(prompter->order.size(), asked + 1);
    EXPECT_EQ(prompter->order.last(), msgNoSeriesEntry());
}

namespace {

// A series of two capitals documents run in the main window.
class SeriesRunTest : public test::ShellFixture {
protected:
    void SetUp() override {
        test::ShellFixture::SetUp();
        activate();
        window->settings().UebNameEingabe = false;
        QDir(dir.path()).mkdir(u"serie"_s);
        for (const QString& name : {u"a.qvl"_s, u"b.qvl"_s}) {
            Document d = test::capitalsDocument();
            d.header.titel = name.left(1).toUpper();
            ASSERT_TRUE(writeDocumentFile(d, path(u"serie/"_s + name), false).ok);
        }
        ASSERT_TRUE(readSeriesFolder(path(u"serie"_s), 1, 0, series.entries).ok);
        series.entries[1].Gewichtung = 3;
        window->exercise().setClock(&clock);
    }
    SeriesController& controller() { return window->series(); }
    ExerciseRun& run() { return window->exercise().run(); }
    // Solves the running part, one wrong drop first when `mistake`.
    void solve(bool mistake) {
        if (mistake)
            run().drop(0, 1);
        for (int i = 0; i < 3; ++i)
            run().drop(i, i);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // Runs `interact` in the summary window once it is up; the end of a part
    // comes through the event loop, so the window is looked for until then.
    void inSummary(std::function<void(TUebSerieFertigForm*)> interact) {
        auto* poll = new QTimer(window.get());
        QObject::connect(
            poll, &QTimer::timeout, window.get(), [poll, interact = std::move(interact)] {
                if (auto* summary =
                        qobject_cast<TUebSerieFertigForm*>(QApplication::activeModalWidget())) {
                    poll->stop();
                    poll->deleteLater();
                    interact(summary);
                }
            });
        poll->start(10);
    }

    SeriesPackage series;
    VirtualClock clock;
};

} // namespace

TEST_F(SeriesRunTest, PartsFollowOneAnotherAndEndInTheSummary) {
    ASSERT_TRUE(controller().run(series, QString()));
    EXPECT_EQ(window->modus(), Modus::Exercise);
    EXPECT_EQ(run().session().SitzungsArt, SessionKind::SeriesPart);
    EXPECT_EQ(window->session().document().header.titel, u"A"_s);

    solve(false);
    EXPECT_TRUE(prompter->order.contains(u"Teilübung Nr. 1 von 2 ist beendet.\r\nMit Klick auf OK "
                                         u"startet die nächste Teilübung."_s));
    ASSERT_EQ(window->modus(), Modus::Exercise);
    EXPECT_EQ(window->session().document().header.titel, u"B"_s);
    EXPECT_TRUE(controller().running());

    QString performance;
    inSummary([&](TUebSerieFertigForm* summary) {
        performance = summary->performanceValue()->text();
        summary->closeButton()->click();
    });
    solve(true); // 3 right, 1 wrong: 75 %
    EXPECT_TRUE(prompter->order.contains(u"Teilübung Nr. 2 von 2 ist beendet."_s));
    EXPECT_EQ(performance, u"81.3 %"_s); // (1 x 100 % + 3 x 75 %) / 4
    EXPECT_FALSE(controller().running());
    EXPECT_EQ(window->modus(), Modus::LearningView);
    EXPECT_TRUE(window->exerciseResults().protocolWindow()->protocol().startsWith(
        u"<tit>Gesamtprotokoll der Übungsserie"_s));
}

TEST_F(SeriesRunTest, AbortingAPartEndsTheSeries) {
    ASSERT_TRUE(controller().run(series, QString()));
    prompter->answers = {Answer::Yes};
    ASSERT_TRUE(window->exercise().abortExercise());
    EXPECT_FALSE(controller().running());
    EXPECT_EQ(window->modus(), Modus::LearningView);
    EXPECT_EQ(window->exercise().statusPanel()->seriesPanel()->isVisibleTo(window.get()), false);
}
