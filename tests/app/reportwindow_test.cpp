// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentio.h"
#include "infobox.h"
#include "learningviewcontroller.h"
#include "mainmenu.h"
#include "shellfixture.h"
#include "themenlisteform.h"
#include "topicmenucontroller.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPrinter>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The two report windows of the learning view, each showing a little text.
class ReportWindowTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"themen"_s));
        writeDocument(u"themen/a.qvl"_s, u"Ahorn"_s);
        activate({path(u"themen/"_s)});
        window->menu().action(u"Themenlistedrucken1"_s)->trigger();
        window->learningView().infoBox()->showText(u"Die <b>Sonne</b>"_s, u"Arial"_s, window.get());
    }
    void TearDown() override {
        window->topics().listWindow()->close();
        window->learningView().infoBox()->close();
    }

    struct Shown {
        ReportWindow* window;
        QString printTitle;
        QString saveTitle;
        QString text; // a part of the plain text
    };
    std::vector<Shown> windows() {
        return {{window->topics().listWindow(), u"Themenliste"_s,
                 u"Themenliste in Datei speichern"_s, u"1: Ahorn"_s},
                {window->learningView().infoBox(), u"Infotext"_s, u"Infotext in Datei speichern"_s,
                 u"Die Sonne"_s}};
    }
};

} // namespace

TEST_F(ReportWindowTest, PrintGoesThroughThePrintDialogOfTheShell) {
    for (const Shown& shown : windows()) {
        SCOPED_TRACE(shown.printTitle.toStdString());
        prompter->dialogs.clear();
        prompter->print = nullptr;
        shown.window->print(); // cancelled
        EXPECT_EQ(prompter->dialogs, QStringList({shown.printTitle}));

        const QString pdf = path(shown.printTitle + u".pdf"_s);
        QString jobName;
        prompter->print = [&](QPrinter& printer) {
            jobName = printer.docName();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        shown.window->print();
        EXPECT_EQ(jobName, shown.printTitle);
        QFile printed(pdf);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        EXPECT_TRUE(printed.read(5).startsWith("%PDF"));
    }
}

TEST_F(ReportWindowTest, SavingAsRichTextSaysWhenItFails) {
    for (const Shown& shown : windows()) {
        SCOPED_TRACE(shown.printTitle.toStdString());
        prompter->dialogs.clear();
        prompter->asked.clear();
        const QString missing = path(u"fehlt/bericht.rtf"_s);
        prompter->files = {missing};
        shown.window->save();
        EXPECT_EQ(prompter->dialogs, QStringList({shown.saveTitle}));
        ASSERT_EQ(prompter->fileChoices.back().defaultSuffix, u"rtf"_s);
        ASSERT_EQ(prompter->asked.size(), 1u);
        EXPECT_EQ(prompter->asked[0].kind, MessageKind::Error);
        EXPECT_EQ(prompter->asked[0].text, msgCannotWrite(missing));

        const QString file = path(shown.printTitle + u".rtf"_s);
        EXPECT_TRUE(shown.window->saveTo(file));
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.readAll().startsWith("{\\rtf"));
        EXPECT_EQ(prompter->asked.size(), 1u) << "no message when it worked";
    }
}

TEST_F(ReportWindowTest, CopyGivesRichTextHtmlAndPlainText) {
    for (const Shown& shown : windows()) {
        SCOPED_TRACE(shown.printTitle.toStdString());
        QApplication::clipboard()->clear();
        shown.window->copyToClipboard();
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        ASSERT_NE(copied, nullptr);
        EXPECT_TRUE(copied->text().contains(shown.text)) << copied->text().toStdString();
        EXPECT_FALSE(copied->text().contains(u"<b>"_s));
        EXPECT_TRUE(copied->html().contains(shown.text.section(u' ', -1)));
        EXPECT_TRUE(copied->data(u"text/rtf"_s).startsWith("{\\rtf"));
        EXPECT_EQ(copied->data(u"application/rtf"_s), copied->data(u"text/rtf"_s));
    }
}
