// SPDX-License-Identifier: GPL-3.0-or-later
#include "areaselectiontool.h"
#include "boardcontroller.h"
#include "documentcontroller.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "shellfixture.h"
#include "tbestlistform.h"
#include "tdruckform.h"
#include "toolbar.h"
#include "viewcomposer.h"
#include "viewprintcontroller.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

void type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST(TDruckForm, RatioRuleFollowsTheFieldBeingTyped) {
    TDruckForm form;
    form.setRatio(pictureRatio({400, 200}));
    form.show();
    // The activation applies the rule once: 17,0 wide gives 8,5 high.
    EXPECT_EQ(form.heightEdit()->text(), u"8,5"_s);
    EXPECT_EQ(form.focusWidget(), form.printButton());

    type(form.widthEdit(), u"16,0"_s);
    EXPECT_EQ(form.heightEdit()->text(), u"8,0"_s);
    type(form.heightEdit(), u"5"_s);
    EXPECT_EQ(form.widthEdit()->text(), u"10,0"_s);
    EXPECT_EQ(form.heightEdit()->text(), u"5"_s);

    // Without the tick the fields are independent; ticking applies the rule.
    form.ratioBox()->setChecked(false);
    type(form.widthEdit(), u"12"_s);
    EXPECT_EQ(form.heightEdit()->text(), u"5"_s);
    form.ratioBox()->setChecked(true);
    EXPECT_EQ(form.heightEdit()->text(), u"6,0"_s);

    // Something unreadable typed leaves the other field as it was.
    type(form.widthEdit(), u"x"_s);
    EXPECT_EQ(form.heightEdit()->text(), u"6,0"_s);
}

TEST(TDruckForm, PrinterLineIsRefreshedOnOpeningAndAfterSetUp) {
    QString line = u"- Kein Drucker -"_s;
    int setUps = 0;
    std::optional<ViewPrintFields> printed;
    TDruckForm form;
    form.setHost({[&] { return line; },
                  [&] {
                      ++setUps;
                      line = u"Labor an ipp://drucker.schule/ipp/print"_s;
                  },
                  [&](const ViewPrintFields& fields) { return printed = fields, true; }});
    form.show();
    EXPECT_EQ(form.printerInfo()->text(), u"- Kein Drucker -"_s);
    form.setUpButton()->click();
    EXPECT_EQ(setUps, 1);
    EXPECT_EQ(form.printerInfo()->text(), u"Labor an ipp://drucker.schule/ipp/print"_s);

    form.copiesEdit()->setValue(3);
    form.printButton()->click();
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->copies, 3);
    EXPECT_EQ(printed->left, u"2,0"_s);
    EXPECT_FALSE(form.isVisible());
}

class ViewPrintTest : public ShellFixture {
protected:
    // Runs `interact` in the dialog once it is up; it must close it.
    void inForm(std::function<void(TDruckForm*)> interact) {
        QTimer::singleShot(0, window.get(), [interact = std::move(interact)] {
            auto* form = qobject_cast<TDruckForm*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            interact(form);
            if (form->isVisible()) {
                ADD_FAILURE() << "the print dialog stayed open";
                form->reject();
            }
        });
    }

    void openDocument() {
        activate();
        ASSERT_TRUE(window->documents().readAsCurrent(writeDocument(u"mond.qvl"_s, u"Mond"_s)));
    }

    // The printer setup chooses a PDF file instead of a printer.
    void printIntoPdf(const QString& file) {
        prompter->setUp = [file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            return true;
        };
        window->menu().action(u"Druckereinrichtung1"_s)->trigger();
    }

    static bool isPdf(const QString& file) {
        QFile pdf(file);
        return pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-" && pdf.size() > 500;
    }
};

TEST_F(ViewPrintTest, PrintsWithTheValuesItKeepsBetweenUses) {
    openDocument();
    const QString pdf = path(u"ansicht.pdf"_s);
    printIntoPdf(pdf);
    EXPECT_EQ(prompter->dialogs.last(), u"Druckereinrichtung"_s);

    // A width the printer cannot take is refused with a message; the dialog stays.
    inForm([&](TDruckForm* form) {
        EXPECT_EQ(form->printerInfo()->text(), u"PDF an ansicht.pdf"_s);
        type(form->leftEdit(), u"3,0"_s);
        type(form->widthEdit(), u"zehn"_s);
        form->printButton()->click();
        EXPECT_TRUE(form->isVisible());
        ASSERT_FALSE(prompter->asked.empty());
        EXPECT_TRUE(prompter->asked.back().text.contains(u"\"Breite\""_s));
        EXPECT_FALSE(QFile::exists(pdf));
        type(form->widthEdit(), u"10,0"_s);
        form->printButton()->click();
    });
    window->learningView().toolBar().button(u"DruckBtn"_s)->click();
    EXPECT_TRUE(isPdf(pdf));

    inForm([](TDruckForm* form) {
        EXPECT_EQ(form->leftEdit()->text(), u"3,0"_s);
        EXPECT_EQ(form->widthEdit()->text(), u"10,0"_s);
        form->reject();
    });
    window->menu().action(u"Drucken1"_s)->trigger();
}

TEST_F(ViewPrintTest, TheSelectedAreaSetsTheRatio) {
    openDocument();
    const QSize view = window->view().composer().view().size();
    ASSERT_FALSE(view.isEmpty());
    window->learningView().setTool(Tool::Area);
    window->board().areaSelection().setSelection(AreaSelection::fromCorners({10, 10}, {210, 110}));
    inForm([](TDruckForm* form) {
        EXPECT_DOUBLE_EQ(form->ratio(), 2.0);
        type(form->widthEdit(), u"16,0"_s);
        EXPECT_EQ(form->heightEdit()->text(), u"8,0"_s);
        form->reject();
    });
    window->menu().action(u"Drucken1"_s)->trigger();

    // Leaving the tool clears the selection: the whole view again.
    window->learningView().setTool(Tool::Pointer);
    inForm([&](TDruckForm* form) {
        EXPECT_DOUBLE_EQ(form->ratio(), double(view.width()) / view.height());
        form->reject();
    });
    window->menu().action(u"Drucken1"_s)->trigger();
}

TEST_F(ViewPrintTest, BestListPrintsItsGrid) {
    activate();
    const QString pdf = path(u"bestenliste.pdf"_s);
    prompter->print = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    TBestListForm form(*window, window.get());
    TBestListForm* list = &form;
    BestListDataTyp entry;
    entry.Name = u"Lena"_s;
    entry.Rechner = u"PC-07"_s;
    entry.Dauer = 61000;
    entry.Leistung = 0.9;
    list->setList(u"Bestenliste - Individual-Übung"_s, {entry}, {});
    for (QPushButton* button : list->findChildren<QPushButton*>())
        if (button->text() == u"Drucken..."_s)
            button->click();
    EXPECT_TRUE(isPdf(pdf));
    EXPECT_TRUE(prompter->asked.empty());
}

} // namespace
} // namespace quorvel::test
