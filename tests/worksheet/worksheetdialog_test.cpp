// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentio.h"
#include "layoutset.h"
#include "learningviewcontroller.h"
#include "shellfixture.h"
#include "tarbblattdruckform.h"
#include "tarbeitsblattform.h"
#include "toolbar.h"
#include "toolcommands.h"
#include "typecodes.h"
#include "viewprintcontroller.h"
#include "worksheetcontroller.h"
#include "worksheetexport.h"
#include "worksheetpreview.h"
#include "worksheetsettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

template <typename W = QWidget> W* control(QWidget* form, const QString& name) {
    W* widget = form->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

void type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Which of the type-dependent controls each document type shows.
TEST(TArbeitsblattForm, ShowsThePanelsOfTheDocumentType) {
    const QStringList names = {u"Typ0Pan"_s,
                               u"Typ1Pan"_s,
                               u"Typ2Pan"_s,
                               u"Typ4Pan"_s,
                               u"KaestchengroesseCombo"_s,
                               u"TextvorgabeCheck"_s,
                               u"ObjekteCheck"_s,
                               u"ZeichnungenEinbindenCheck"_s,
                               u"ErstBuchstabeVorgabeCheck"_s};
    // One row per `DokTyp` 0 to 6: "1" where the control in `names` is shown.
    const char* expected[] = {
        "100011011", // labelling
        "010011100", // cloze text
        "001001000", // single questions
        "001000000", // multiple choice
        "010111000", // cluster
        "100000000", // cross matching
        "000001000", // crossword
    };
    Document document;
    WorksheetSettings settings;
    const LayoutSet layouts = buildLayoutSet();
    TArbeitsblattForm form;
    form.attach(document, settings, layouts);
    for (int dokTyp = 0; dokTyp < 7; ++dokTyp) {
        document.header.DokTyp = dokTyp;
        form.show();
        QString shown;
        for (const QString& name : names)
            shown += control(&form, name)->isVisible() ? u'1' : u'0';
        EXPECT_EQ(shown, QString::fromLatin1(expected[dokTyp])) << "DokTyp " << dokTyp;
        form.hide();
    }
}

TEST(TArbeitsblattForm, EveryChangeDrawsTheSheetAgainAndOrientationTurnsThePreview) {
    Document document;
    document.header.titel = u"Die Planeten"_s;
    WorksheetSettings settings;
    const LayoutSet layouts = buildLayoutSet();
    TArbeitsblattForm form;
    form.attach(document, settings, layouts);
    EXPECT_EQ(form.drawCount(), 0); // nothing is drawn while the dialog is hidden
    form.resize(1100, 700);
    form.show();
    EXPECT_EQ(form.drawCount(), 1);
    EXPECT_EQ(control<QLineEdit>(&form, u"TitelEdit"_s)->text(), u"Die Planeten"_s);
    EXPECT_EQ(control<QPlainTextEdit>(&form, u"AufgMemo"_s)->toPlainText(),
              u"Aufgabe: Fülle die freien Felder aus!"_s);
    EXPECT_EQ(control<QComboBox>(&form, u"KaestchengroesseCombo"_s)->currentText(), u"110 %"_s);
    EXPECT_EQ(control<QComboBox>(&form, u"SpaltenComboBox"_s)->currentText(), u"1"_s);
    EXPECT_EQ(form.page().size, QSize(1000, 1625));
    const QSize portrait = form.preview()->panelSize();
    EXPECT_NEAR(double(portrait.height()) / portrait.width(), 2600.0 / 1600.0, 0.01);

    control<QCheckBox>(&form, u"ABFachBox"_s)->click();
    EXPECT_TRUE(settings.subjectField);
    EXPECT_EQ(form.drawCount(), 2);
    control<QComboBox>(&form, u"SpaltenComboBox"_s)->setCurrentIndex(2);
    EXPECT_EQ(settings.columns, 3);
    EXPECT_EQ(form.drawCount(), 3);

    // The two "Basisbild anzeigen" boxes are one setting.
    control<QCheckBox>(&form, u"BasisbildCheck0"_s)->click();
    EXPECT_FALSE(settings.basePicture);
    EXPECT_FALSE(control<QCheckBox>(&form, u"BasisbildCheck"_s)->isChecked());

    auto* orientation = form.findChild<QGroupBox*>(u"OrientRadio"_s);
    orientation->findChildren<QRadioButton*>().at(1)->click();
    EXPECT_TRUE(settings.landscape);
    EXPECT_EQ(form.page().size, QSize(1625, 1000));
    // The drawing fitted the base picture anew and cleared the request.
    EXPECT_FALSE(settings.fitBasePicture);
    const QSize landscape = form.preview()->panelSize();
    EXPECT_NEAR(double(landscape.width()) / landscape.height(), 2600.0 / 1600.0, 0.01);
    EXPECT_EQ(form.preview()->bitmap().width(), landscape.width() - 2 * WorksheetPreview::kBorder);
}

TEST(WorksheetPreview, DraggingWithTheLeftButtonAndTheWheelScrollThePage) {
    WorksheetPreview preview;
    preview.resize(400, 300);
    WorksheetPage page;
    page.size = QSize(1000, 1625);
    preview.setPage(page);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QScrollBar* bar = preview.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 200);
    QWidget* panel = preview.widget();
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(100, 250));
    QTest::mouseMove(panel, QPoint(100, 150));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(100, 150));
    EXPECT_EQ(bar->value(), 100);

    const QPoint at(100, 100);
    QWheelEvent wheel(at, preview.viewport()->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                      {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(preview.viewport(), &wheel);
    EXPECT_GT(bar->value(), 100);
}

TEST(TArbblattDruckForm, LandscapeSwapsTheFieldsWhileOpenAndTheRatioRuleFollowsTheSheet) {
    TArbblattDruckForm form;
    form.setHost(
        {[] { return u"- Kein Drucker -"_s; }, [] {}, [](const ViewPrintFields&) { return true; }});
    QString shown;
    QTimer::singleShot(0, &form, [&] {
        shown =
            QStringList{form.leftEdit()->text(), form.topEdit()->text(), form.widthEdit()->text(),
                        form.heightEdit()->text(), form.orientationNote()->text()}
                .join(u' ');
        // Typing the width gives the height of the sheet's ratio (1625 : 1000).
        type(form.widthEdit(), u"20"_s);
        EXPECT_EQ(form.heightEdit()->text(), u"12,3"_s);
        type(form.widthEdit(), u"26,8"_s);
        form.reject();
    });
    form.execFor(QSize(1625, 1000));
    EXPECT_EQ(shown, u"1,4 2,2 26,8 16,5 Ausdruck erfolgt im Querformat"_s);
    // Swapped back: the portrait values as they start.
    EXPECT_EQ(form.leftEdit()->text(), u"2,2"_s);
    EXPECT_EQ(form.topEdit()->text(), u"1,4"_s);
    EXPECT_EQ(form.widthEdit()->text(), u"16,5"_s);
    EXPECT_EQ(form.heightEdit()->text(), u"26,8"_s);

    QTimer::singleShot(0, &form, [&] {
        shown = form.orientationNote()->text();
        // In portrait, typing the height gives the width: 1000 : 1625.
        type(form.heightEdit(), u"20"_s);
        EXPECT_EQ(form.widthEdit()->text(), u"12,3"_s);
        form.printButton()->click();
    });
    EXPECT_EQ(form.execFor(QSize(1000, 1625)), int(QDialog::Accepted));
    EXPECT_EQ(shown, u"Ausdruck erfolgt im Hochformat"_s);
    EXPECT_EQ(form.windowTitle(), u"Arbeitsblatt drucken"_s);
}

class WorksheetWindowTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        activate();
    }

    Document& document() { return window->session().document(); }

    // A document whose header carries stored worksheet settings and a task.
    QString writeSheetDocument(const QString& name, const QString& stored) {
        Document doc;
        doc.header.titel = u"Mond"_s;
        doc.header.Arbeitsblatt = stored;
        doc.header.ABAufgabe = u"Ordne zu!"_s;
        doc.basePicture = QImage(120, 84, QImage::Format_ARGB32);
        doc.basePicture.fill(Qt::white);
        const QString file = path(name);
        EXPECT_TRUE(writeDocumentFile(doc, file, true).ok);
        return file;
    }

    void openWorksheet(std::function<void(TArbeitsblattForm*)> interact) {
        inDialog<TArbeitsblattForm>(std::move(interact));
        window->commands().trigger(u"Arbeitsblatterstellen1"_s);
    }
};

TEST_F(WorksheetWindowTest, ToolBarButtonOpensTheDialogOnTheOpenDocument) {
    ASSERT_TRUE(window->session().readAsCurrent(writeDocument(u"erde.qvl"_s, u"Erde"_s)));
    QString title;
    inDialog<TArbeitsblattForm>([&](TArbeitsblattForm* form) {
        title = form->windowTitle() + u'/' + control<QLineEdit>(form, u"TitelEdit"_s)->text();
        form->accept();
    });
    window->learningView().toolBar().button(u"ABBtn"_s)->click();
    EXPECT_EQ(title, u"Arbeitsblatt/Erde"_s);
    EXPECT_EQ(window->learningView().toolBar().button(u"ABBtn"_s)->toolTip(),
              u"Arbeitsblatt erstellen"_s);
}

TEST_F(WorksheetWindowTest, ReadingAppliesStoredSettingsAndSavingWritesThoseInEffect) {
    const QString stored = u"150 %|0|3|1|1|0.0|0.0|100.0|0|1|"_s;
    ASSERT_TRUE(window->session().readAsCurrent(writeSheetDocument(u"a.qvl"_s, stored)));
    EXPECT_EQ(window->worksheet().settings().boxSizeIndex, 10);
    EXPECT_TRUE(window->worksheet().settings().landscape);

    // A document without the field keeps them; written, it stores them.
    ASSERT_TRUE(window->session().readAsCurrent(writeDocument(u"b.qvl"_s, u"B"_s)));
    EXPECT_EQ(window->worksheet().settings().boxSizeIndex, 10);
    openWorksheet([](TArbeitsblattForm* form) {
        control<QComboBox>(form, u"KaestchengroesseCombo"_s)->setCurrentIndex(0);
        control<QPlainTextEdit>(form, u"AufgMemo"_s)->setPlainText(u"Neue Aufgabe"_s);
        form->accept();
    });
    EXPECT_FALSE(document().modified);
    const QString copy = path(u"kopie.qvl"_s);
    ASSERT_TRUE(writeDocumentFile(document(), copy, false).ok);
    Document reread;
    const LayoutSet layouts = buildLayoutSet();
    ASSERT_TRUE(readDocumentFile(reread, copy, ReadOptions(layouts)).ok);
    EXPECT_EQ(reread.header.Arbeitsblatt, u"50 %|0|3|1|1|0.0|0.0|100.0|0|1|"_s);
    EXPECT_EQ(reread.header.ABAufgabe, u"Neue Aufgabe"_s);
}

TEST_F(WorksheetWindowTest, ResetReloadsTheDocumentsSettingsAndTask) {
    const QString stored = u"150 %|0|3|1|1|0.0|0.0|100.0|0|0|"_s;
    ASSERT_TRUE(window->session().readAsCurrent(writeSheetDocument(u"a.qvl"_s, stored)));
    QStringList seen;
    openWorksheet([&](TArbeitsblattForm* form) {
        auto* boxSize = control<QComboBox>(form, u"KaestchengroesseCombo"_s);
        auto* task = control<QPlainTextEdit>(form, u"AufgMemo"_s);
        seen << boxSize->currentText() << task->toPlainText();
        boxSize->setCurrentIndex(0);
        form->findChild<QGroupBox*>(u"OrientRadio"_s)->findChildren<QRadioButton*>().at(1)->click();
        task->setPlainText(u"geändert"_s);
        const int drawn = form->drawCount();
        control<QPushButton>(form, u"ZuruecksetzenBtn"_s)->click();
        EXPECT_GT(form->drawCount(), drawn);
        seen << boxSize->currentText() << task->toPlainText();
        seen << (form->page().size.width() > form->page().size.height() ? u"quer"_s : u"hoch"_s);
        form->accept();
    });
    EXPECT_EQ(seen.join(u'/'), u"150 %/Ordne zu!/150 %/Ordne zu!/hoch"_s);
}

TEST_F(WorksheetWindowTest, SwitchingTheTitleOffAsksBeforeEmptyingIt) {
    ASSERT_TRUE(window->session().readAsCurrent(writeDocument(u"mond.qvl"_s, u"Mond"_s)));
    prompter->answers = {Answer::No, Answer::Yes};
    QStringList titles;
    openWorksheet([&](TArbeitsblattForm* form) {
        auto* check = control<QCheckBox>(form, u"TitelCheck"_s);
        auto* title = control<QLineEdit>(form, u"TitelEdit"_s);
        check->click(); // "Nein": the title stays
        titles << title->text();
        check->click(); // on again: the document's title
        check->click(); // "Ja": no title line
        titles << title->text();
        form->accept();
    });
    EXPECT_EQ(titles, QStringList({u"Mond"_s, QString()}));
    ASSERT_EQ(prompter->asked.size(), 2u);
    EXPECT_EQ(prompter->asked[0].text, u"Titelzeile ganz entfernen?"_s);
    EXPECT_EQ(prompter->asked[1].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(window->worksheet().settings().title.isEmpty());
    EXPECT_FALSE(window->worksheet().settings().useDocumentTitle);
}

TEST_F(WorksheetWindowTest, ExportRefusesOtherExtensionsAndWritesNothing) {
    ASSERT_TRUE(window->session().readAsCurrent(writeDocument(u"mond.qvl"_s, u"Mond"_s)));
    const QString png = path(u"blatt.png"_s);
    prompter->files = {png};
    openWorksheet([](TArbeitsblattForm* form) {
        control<QPushButton>(form, u"ExportBtn"_s)->click();
        form->accept();
    });
    EXPECT_TRUE(prompter->dialogs.contains(u"Arbeitsblatt exportieren"_s));
    ASSERT_EQ(prompter->asked.size(), 1u);
    EXPECT_EQ(prompter->asked[0].text,
              u"Speichern fehlgeschlagen wegen ungültiger Dateinamenserweiterung."_s);
    EXPECT_EQ(prompter->asked[0].kind, MessageKind::Error);
    EXPECT_FALSE(QFileInfo::exists(png));
}

TEST_F(WorksheetWindowTest, PrintsALandscapeSheetOnLandscapePaper) {
    ASSERT_TRUE(window->session().readAsCurrent(writeDocument(u"mond.qvl"_s, u"Mond"_s)));
    const QString pdf = path(u"blatt.pdf"_s);
    prompter->setUp = [pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    window->commands().trigger(u"Druckereinrichtung1"_s);
    QString line;
    openWorksheet([&](TArbeitsblattForm* form) {
        form->findChild<QGroupBox*>(u"OrientRadio"_s)->findChildren<QRadioButton*>().at(1)->click();
        QTimer::singleShot(0, form, [&line] {
            auto* print = qobject_cast<TArbblattDruckForm*>(QApplication::activeModalWidget());
            ASSERT_NE(print, nullptr);
            line = print->printerInfo()->text();
            print->printButton()->click();
        });
        control<QPushButton>(form, u"DruckBtn"_s)->click();
        form->accept();
    });
    EXPECT_EQ(line, u"PDF an blatt.pdf"_s);
    EXPECT_TRUE(prompter->asked.empty());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(content.startsWith(u"%PDF-"_s));
    const QRegularExpressionMatch box =
        QRegularExpression(u"/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]"_s).match(content);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble());
}

TEST_F(WorksheetWindowTest, CopyPutsSvgAndPictureOnTheClipboard) {
    ASSERT_TRUE(window->session().readAsCurrent(writeDocument(u"mond.qvl"_s, u"Mond"_s)));
    openWorksheet([](TArbeitsblattForm* form) {
        control<QPushButton>(form, u"ClipboardBtn"_s)->click();
        form->accept();
    });
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(u"image/svg+xml"_s).contains("<svg"));
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(picture.size(), QSize(1240, 2015));
}

TEST_F(WorksheetWindowTest, ACrossMatchingIsShuffledForTheSheetAndRestoredAfter) {
    const QString file = path(u"zuordnung.qvl"_s);
    const CommandOutcome built =
        buildCommand(QStringLiteral(QUORVEL_EXAMPLES_SOURCE) + u"/zuordnung.json"_s, file);
    ASSERT_EQ(built.exitCode, kExitOk) << built.errors.join(u' ').toStdString();
    ASSERT_TRUE(window->session().readAsCurrent(file));
    ASSERT_EQ(dokTypOf(document().header), DokTyp::CrossMatching);
    // Right-hand query cards (the numbered ones) in their own rows: the
    // point their line starts from is level with them.
    const auto cardsAtHome = [this] {
        int home = 0;
        int queries = 0;
        for (const ObjDataTyp& o : document().objects) {
            const bool query =
                typOf(o) == Typ::MatchingQueryText || typOf(o) == Typ::MatchingQueryPicture;
            if (query && o.FrageNummer > 0) {
                ++queries;
                home += o.Ky == o.Sy ? 1 : 0;
            }
        }
        return std::pair{home, queries};
    };
    ASSERT_GT(cardsAtHome().second, 1);
    std::pair<int, int> whileOpen;
    openWorksheet([&](TArbeitsblattForm* form) {
        whileOpen = cardsAtHome();
        form->accept();
    });
    EXPECT_EQ(whileOpen.first, 0);
    const auto after = cardsAtHome();
    EXPECT_EQ(after.first, after.second);
}

} // namespace
} // namespace quorvel::test
