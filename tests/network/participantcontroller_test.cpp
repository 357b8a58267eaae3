// SPDX-License-Identifier: GPL-3.0-or-later
#include "capitalsdocument.h"
#include "document.h"
#include "exercisecontroller.h"
#include "mainmenu.h"
#include "networkparticipant.h"
#include "networkteacher.h"
#include "participantcontroller.h"
#include "shellfixture.h"
#include "tnetzuebungtnstartform.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

class ParticipantControllerTest : public test::ShellFixture {
protected:
    // The teacher publishes three capitals with a time limit of 77 s.
    void publish() {
        document = test::capitalsDocument();
        NetworkTeacher::Publication p;
        p.folder = path(u"kom"_s);
        QDir().mkpath(p.folder);
        p.channel = u"QVGUI1"_s;
        p.method = NetworkTeacher::Method::Folder;
        p.settings.NetzUebungMaster = u"localhost"_s;
        p.settings.ZeitLimitIndex = 1;
        p.settings.ZeitLimitWert = 77;
        p.state.fieldCount = 3;
        p.state.teacherNumbers = {1, 2, 3};
        p.scanIntervalMs = 20;
        ASSERT_TRUE(teacher.initiate(document, p));
        Settings& s = window->settings();
        s.NetzKomOrdner = p.folder + u"/"_s;
        s.NetzKomKanal = p.channel;
        s.NetzKomVerfahren = 0;
    }

    template <typename Done> bool runUntil(Done done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    Document document;
    NetworkTeacher teacher;
};

} // namespace

// The tool-bar button opens the start dialog; the exercise window runs the
// teacher's settings, every answer reaches the teacher, and closing the
// program reports the abort and leaves the exchange files to the teacher.
TEST_F(ParticipantControllerTest, JoinsRunsAndReportsTheAbortAtExit) {
    MainWindow& w = activate();
    publish();
    inDialog<TNetzUebungTnStartForm>([](TNetzUebungTnStartForm* form) {
        form->findChild<QLineEdit*>(u"TNameEdit"_s)->setText(u"Anna"_s);
        form->check();
        form->findChild<QPushButton*>(u"OKBtn"_s)->click();
    });
    QToolButton* button = w.networkParticipant().button();
    ASSERT_EQ(button->objectName(), u"NetzUebTeilnehmenBtn"_s);
    button->click();
    ASSERT_EQ(w.modus(), Modus::Exercise);
    const UebungsSitzung& run = w.exercise().run().session();
    EXPECT_EQ(run.SitzungsArt, SessionKind::NetworkParticipant);
    EXPECT_EQ(run.settings.ZeitlimitSek, 77);
    EXPECT_EQ(run.TeilnehmerName, u"Anna"_s);
    EXPECT_TRUE(button->isChecked());

    // A second joining during the run is refused.
    w.menu().trigger(u"Netzwerkuebung1"_s);
    ASSERT_FALSE(prompter->order.isEmpty());
    EXPECT_TRUE(prompter->order.back().startsWith(u"Um an einer Netzwerk-Übung teilnehmen"_s));

    ASSERT_TRUE(w.exercise().run().drop(0, 0).taken);
    const TeacherState* state = teacher.state();
    ASSERT_TRUE(runUntil([&] {
        return !state->participants().empty() &&
               state->participants().at(0).cells.at(13) == u"ok"_s;
    }));
    EXPECT_EQ(state->participants().at(0).cells.at(2), u"Anna"_s);

    prompter->answers = {Answer::Yes}; // give the run up
    EXPECT_TRUE(w.close());
    ASSERT_TRUE(runUntil([&] { return state->participants().at(0).cells.at(3) == u"abgebr."_s; }));
    EXPECT_TRUE(ExchangeFiles(path(u"kom"_s), u"QVGUI1"_s).available());
}
