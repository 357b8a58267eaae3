// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "networkteacher.h"
#include "participantlink.h"
#include "scriptedprompter.h"
#include "tkommverzform.h"
#include "tnetzuebungtnstartform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

NetworkTeacher::Publication publication(const QString& folder, const QString& code) {
    NetworkTeacher::Publication p;
    p.folder = folder;
    p.channel = QStringLiteral("QVDLG1");
    p.method = NetworkTeacher::Method::Folder;
    p.lessonCode = code;
    return p;
}

template <typename T> T* child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

TEST(TNetzUebungTnStartForm, FollowsThePublicationAndChecksNameAndCode) {
    QTemporaryDir dir;
    test::ScriptedPrompter prompter;
    TNetzUebungTnStartForm form(prompter);
    const ExchangeFiles files(dir.path(), QStringLiteral("QVDLG1"));
    form.prepare(files);
    auto* ok = child<QPushButton>(form, "OKBtn");
    auto* status = child<QLabel>(form, "StatusLab");
    EXPECT_EQ(status->text(), QStringLiteral("Bitte warten..."));
    form.check();
    EXPECT_EQ(status->text(), QStringLiteral("Netzwerk-Übung nicht initiiert. Bitte warten..."));
    EXPECT_FALSE(ok->isEnabled());

    Document document;
    NetworkTeacher teacher;
    ASSERT_TRUE(teacher.initiate(document, publication(dir.path(), QStringLiteral("K7"))));
    form.check();
    EXPECT_EQ(status->text(), QStringLiteral("Netzwerk-Übung verfügbar: (kein Titel)"));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(form, "UnterrichtscodeEdit")->isEnabled());

    ok->click();
    ASSERT_EQ(prompter.order,
              QStringList{QStringLiteral("Bitte Name oder Rechnernummer eintragen!")});
    child<QLineEdit>(form, "TNameEdit")->setText(QStringLiteral("Anna"));
    child<QLineEdit>(form, "UnterrichtscodeEdit")->setText(QStringLiteral("K8"));
    ok->click();
    EXPECT_EQ(prompter.order.constLast(), msgWrongLessonCode());
    EXPECT_NE(form.result(), QDialog::Accepted);
    child<QLineEdit>(form, "UnterrichtscodeEdit")->setText(QStringLiteral("k7"));
    ok->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.lessonCode(), QStringLiteral("k7"));

    // Registration closed: participants who have not joined wait again.
    ASSERT_TRUE(teacher.setRegistrationOpen(false));
    form.check();
    EXPECT_FALSE(ok->isEnabled());
}

TEST(TKommVerzForm, OkChecksFolderChannelAndAccess) {
    QTemporaryDir dir;
    test::ScriptedPrompter prompter;
    TKommVerzForm form(prompter);
    const struct {
        QString folder;
        QString channel;
        bool combined;
        QString message; // empty: accepted
    } cases[] = {
        {dir.path(), QStringLiteral("KLASSE-7"), false, {}},
        {dir.path(), QStringLiteral("KLASSE-7"), true, {}},
        {dir.path() + QStringLiteral("/fehlt"), QStringLiteral("K"), true,
         QStringLiteral("Der angegebene Ordner ist ungültig.")},
        {QStringLiteral("/proc"), QStringLiteral("K"), false,
         msgNoFolderAccess(QStringLiteral("/proc/"))},
        {dir.path(), QStringLiteral(".."), true, QStringLiteral("ungültig")},
    };
    for (const auto& c : cases) {
        prompter.order.clear();
        NetworkCommunication result;
        QTimer::singleShot(0, &form, [&] {
            child<QLineEdit>(form, "VerzEdit1")->setText(c.folder);
            child<QLineEdit>(form, "KanalEdit1")->setText(c.channel);
            child<QRadioButton>(form, c.combined ? "KomRadioMailslot" : "KomRadioDatei")
                ->setChecked(true);
            const auto buttons = form.findChildren<QPushButton*>();
            for (QPushButton* button : buttons) {
                if (button->text() == QStringLiteral("OK"))
                    button->click();
            }
            if (form.isVisible())
                form.reject();
        });
        result = form.edit(NetworkCommunication{});
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompter.order.isEmpty()) << prompter.order.join(u'|').toStdString();
            EXPECT_EQ(result.NetzKomOrdner, c.folder + u'/');
            EXPECT_EQ(result.NetzKomVerfahren, c.combined ? 1 : 0);
        } else {
            ASSERT_EQ(prompter.order.size(), 1) << c.folder.toStdString();
            EXPECT_TRUE(prompter.order.at(0).contains(c.message))
                << prompter.order.at(0).toStdString();
        }
    }
    // The folder-only method's access test, asked by its button, says it passed.
    prompter.order.clear();
    QTimer::singleShot(0, &form, [&] {
        child<QLineEdit>(form, "VerzEdit1")->setText(dir.path());
        child<QRadioButton>(form, "KomRadioDatei")->setChecked(true);
        child<QPushButton>(form, "ZugriffTestBtn")->click();
        form.reject();
    });
    form.edit(NetworkCommunication{});
    EXPECT_EQ(prompter.order,
              QStringList{QStringLiteral("Test für Lese- und Schreibzugriff erfolgreich.")});
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << "the test file is gone";
}
