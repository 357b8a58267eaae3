// SPDX-License-Identifier: GPL-3.0-or-later
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "shellfixture.h"
#include "viewexportcontroller.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImageReader>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

using ViewExportTest = ShellFixture;

TEST_F(ViewExportTest, ViewIsSavedUnderKnownExtensionsOnly) {
    const QString file = writeDocument(u"a.qvl"_s, u"A"_s);
    MainWindow& w = activate({file});
    ViewExportController& exporter = w.viewExport();
    const QImage shown = w.view().composer().view();
    ASSERT_FALSE(shown.isNull());

    const struct {
        const char16_t* name;
        QByteArray format; // empty: refused
    } cases[] = {
        {u"a.png", "png"},
        {u"b.JPG", "jpeg"},
        {u"c.bmp", "bmp"},
        {u"d.gif", ""},
    };
    for (const auto& c : cases) {
        const QString target = path(QString::fromUtf16(c.name));
        prompter->asked.clear();
        EXPECT_EQ(exporter.exportTo(target), !c.format.isEmpty());
        if (c.format.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(target));
            ASSERT_EQ(prompter->asked.size(), 1u);
            EXPECT_EQ(prompter->asked[0].text,
                      u"Speichern fehlgeschlagen wegen ungültiger Dateinamenserweiterung."_s);
            continue;
        }
        EXPECT_TRUE(prompter->asked.empty());
        QImageReader reader(target);
        EXPECT_EQ(reader.format(), c.format);
        EXPECT_EQ(reader.size(), shown.size());
    }

    // The menu item goes through the save dialog (here a script).
    prompter->files = {path(u"menue.png"_s)};
    w.menu().action(u"Exportieren1"_s)->trigger();
    EXPECT_TRUE(QFileInfo::exists(path(u"menue.png"_s)));
    EXPECT_EQ(prompter->dialogs, QStringList({u"Ansicht in Bilddatei speichern"_s}));
}

TEST_F(ViewExportTest, CopyPutsTheViewPictureOnTheClipboard) {
    const QString file = writeDocument(u"a.qvl"_s, u"A"_s);
    MainWindow& w = activate({file});
    QApplication::clipboard()->clear();
    w.menu().action(u"InZwischenablagekopieren1"_s)->trigger();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), w.view().composer().view().size());
    EXPECT_EQ(copied.pixelColor(copied.width() / 2, copied.height() / 2), QColor(30, 120, 200));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
