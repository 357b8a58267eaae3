// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardcontroller.h"
#include "learningviewcontroller.h"
#include "linkfieldcontroller.h"
#include "linkfielddialog.h"
#include "mainmenu.h"
#include "settings.h"
#include "shellfixture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Records the file URLs the program hands to the desktop instead of opening them.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

class LinkFieldsWidgetTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        activate();
        links = &window->linkFields();
        QDesktopServices::setUrlHandler(u"file"_s, &urls, "open");
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler(u"file"_s); }

    // A file at `name` below the test folder; executable when asked.
    QString makeFile(const QString& name, bool executable) {
        const QString file = path(name);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        write(name, "x");
        if (executable) {
            EXPECT_TRUE(QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeUser));
        }
        return file;
    }

    LinkFieldController* links = nullptr;
    UrlRecorder urls;
};

TEST_F(LinkFieldsWidgetTest, ButtonsShowTheSettingsAndEmptyFieldsOpenTheDialog) {
    for (int field = 0; field < 3; ++field) {
        EXPECT_EQ(links->button(field)->text(), u"V"_s + QString::number(field + 1));
        EXPECT_EQ(links->button(field)->toolTip(),
                  u"Programmverknüpfung "_s + QString::number(field + 1));
    }
    QToolButton* keyboard = window->board().button(u"TastaturBtn"_s);
    EXPECT_EQ(links->button(kKeyboardLinkField), keyboard);
    EXPECT_EQ(keyboard->toolTip(), u"Bildschirmtastatur"_s);

    // A path of blanks counts as empty: a left click opens the dialog.
    window->settings().Verknuepfung[1] = u"   "_s;
    bool opened = false;
    inDialog<LinkFieldDialog>([&opened](LinkFieldDialog* d) {
        opened = true;
        EXPECT_EQ(d->windowTitle(), u"Frei belegbare Verknüpfungsfelder für externe Programme"_s);
        d->reject();
    });
    links->button(1)->click();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(prompter->asked.empty());

    // A right click opens it even with a valid program set.
    window->settings().Verknuepfung[0] = makeFile(u"prog/werkzeug"_s, true);
    opened = false;
    inDialog<LinkFieldDialog>([&opened](LinkFieldDialog* d) {
        opened = true;
        d->reject();
    });
    Q_EMIT links->button(0)->customContextMenuRequested(QPoint(2, 2));
    EXPECT_TRUE(opened);
}

TEST_F(LinkFieldsWidgetTest, OkChecksInOrderAndTakesOverTrimmedFields) {
    const QString program = makeFile(u"prog/rechner"_s, true);
    inDialog<LinkFieldDialog>([&](LinkFieldDialog* d) {
        EXPECT_EQ(d->captionEdit(kKeyboardLinkField), nullptr) << "the keyboard has no caption";
        d->pathEdit(0)->setText(u"  "_s + program + u"  "_s);
        d->captionEdit(0)->setText(u"Rechner"_s);
        d->hintEdit(0)->setText(u"Taschenrechner"_s);
        d->pathEdit(1)->setText(path(u"fehlt/eins"_s));
        d->pathEdit(kKeyboardLinkField)->setText(path(u"fehlt/tastatur"_s));

        // V2 first, and only V2; the dialog stays with the focus in its field.
        d->okButton()->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(prompter->order,
                  QStringList{u"Die für Verknüpfungsfeld V2 angegebene Datei ist ungültig."_s});
        EXPECT_EQ(prompter->asked.back().kind, MessageKind::Error);
        EXPECT_EQ(d->focusWidget(), d->pathEdit(1));

        d->clearButton(1)->click();
        EXPECT_TRUE(d->pathEdit(1)->text().isEmpty());
        EXPECT_EQ(d->captionEdit(1)->text(), u"V2"_s);
        EXPECT_EQ(d->hintEdit(1)->text(), u"Programmverknüpfung 2"_s);
        d->okButton()->click();
        EXPECT_EQ(prompter->order.back(),
                  u"Die für Verknüpfungsfeld für Bildschirmtastatur angegebene Datei ist "
                  u"ungültig."_s);
        EXPECT_TRUE(d->isVisible());

        // "Durchsuchen..." puts the chosen file into the field.
        prompter->files.push_back(program);
        d->browseButton(kKeyboardLinkField)->click();
        EXPECT_EQ(prompter->dialogs.back(),
                  u"Datei für Verknüpfungsfeld für Bildschirmtastatur auswählen"_s);
        EXPECT_EQ(prompter->fileChoices.back().filter, linkFieldFilter());
        EXPECT_EQ(d->pathEdit(kKeyboardLinkField)->text(), program);
        d->hintEdit(kKeyboardLinkField)->setText(u"Tasten"_s);
        d->okButton()->click();
        EXPECT_FALSE(d->isVisible());
    });
    window->menu().trigger(u"Verknuepfungsfelder1"_s);

    const Settings& s = window->settings();
    EXPECT_EQ(s.Verknuepfung[0], program) << "trimmed";
    EXPECT_EQ(s.VerknuepfungName[0], u"Rechner"_s);
    EXPECT_EQ(s.VerknuepfungHint[0], u"Taschenrechner"_s);
    EXPECT_TRUE(s.Verknuepfung[1].isEmpty());
    EXPECT_EQ(s.VerknuepfungT, program);
    EXPECT_EQ(s.VerknuepfungHintT, u"Tasten"_s);
    EXPECT_EQ(links->button(0)->text(), u"Rechner"_s);
    EXPECT_EQ(links->button(0)->toolTip(), u"Taschenrechner"_s);
    EXPECT_EQ(window->board().button(u"TastaturBtn"_s)->toolTip(), u"Tasten"_s);

    // "Abbrechen" takes nothing over.
    inDialog<LinkFieldDialog>([](LinkFieldDialog* d) {
        d->pathEdit(0)->clear();
        d->reject();
    });
    links->editLinkFields();
    EXPECT_EQ(window->settings().Verknuepfung[0], program);
}

TEST_F(LinkFieldsWidgetTest, ProgramStartsWithoutAShellAndFilesGoToTheDesktop) {
    // The recording program under a name a shell would take apart.
    const QString folder = path(u"Meine Programme/\"Zitat\" 'x' $(touch eingeschleust); &"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + u"/Auf zeichnen"_s;
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVEL_LINK_RECORDER), program));
    const QString record = path(u"aufgezeichnet.txt"_s);
    qputenv("QUORVEL_LINK_RECORD", QFile::encodeName(record));

    // Preset as a central file would: taken as it is.
    window->settings().Verknuepfung[2] = program;
    links->button(2)->click();
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(record) && waited.elapsed() < 10000)
        QTest::qWait(20);
    qunsetenv("QUORVEL_LINK_RECORD");
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly)) << "the program did not run";
    const QStringList lines =
        QString::fromUtf8(recorded.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines, (QStringList{folder, program})) << "its folder, its path, no arguments";
    EXPECT_FALSE(QFile::exists(path(u"eingeschleust"_s)));
    EXPECT_FALSE(QFile::exists(folder + u"/eingeschleust"_s));
    EXPECT_TRUE(prompter->asked.empty());
    EXPECT_TRUE(urls.opened.isEmpty());

    // A file that is no program opens with the desktop's handler.
    const QString sheet = makeFile(u"Blatt mit \"Anführung\".txt"_s, false);
    window->settings().Verknuepfung[0] = sheet;
    links->button(0)->click();
    EXPECT_EQ(urls.opened, QList<QUrl>{QUrl::fromLocalFile(sheet)});

    // A path that no longer exists: the message, and nothing else happens.
    ASSERT_TRUE(QFile::remove(sheet));
    links->button(0)->click();
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked.back().kind, MessageKind::Error);
    EXPECT_EQ(prompter->asked.back().text,
              u"Die Datei \""_s + sheet + u"\" kann nicht geöffnet werden."_s);
    EXPECT_EQ(urls.opened.size(), 1);
}

} // namespace

#include "linkfields_widget_test.moc"
