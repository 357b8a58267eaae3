// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentcontroller.h"
#include "documentdialogscontroller.h"
#include "documentio.h"
#include "documentpropertiesdialog.h"
#include "learningviewcontroller.h"
#include "learningviewwidget.h"
#include "mainmenu.h"
#include "notesbox.h"
#include "settings.h"
#include "shellfixture.h"
#include "tschriftartform.h"
#include "typecodes.h"
#include "viewtestsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

using namespace quorvel;
using namespace quorvel::test;
using namespace Qt::Literals::StringLiterals;

namespace {

class DocumentDialogsTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        MainWindow& w = activate();
        w.resize(1000, 760);
        w.show();
    }

    Document& document() { return window->documents().document(); }

    template <typename W> static W* child(QWidget* dialog, const QString& name) {
        auto* found = dialog->findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
};

TEST_F(DocumentDialogsTest, PropertiesShowTheDocumentAndOkChangesNothing) {
    Document written;
    HeaderDataTyp& h = written.header;
    h.titel = u"Die Zellen"_s;
    h.autor = u"Herr Özdemir"_s;
    h.bemerkung = u"für Klasse 7"_s;
    h.DokTyp = codeOf(DokTyp::Cloze);
    h.DokUnterTyp = 2;
    h.lueckentext = u"Die *Zelle* lebt."_s;
    h.NumArt = 1;
    h.GeordnetArt = 1;
    h.Zielpunktgroesse = 35; // between two list entries: a write-back would round it
    h.BilderPasswort = u"geheim"_s;
    h.logo.picture = QImage(30, 20, QImage::Format_ARGB32);
    h.logo.picture.fill(Qt::darkGreen);
    h.logo.size = 0.3;
    h.logo.alignment = 0;
    h.logo.footer = u"Schule am Berg"_s;
    h.logo.footerAlignment = 1;
    written.basePicture = QImage(200, 140, QImage::Format_ARGB32);
    written.basePicture.fill(Qt::white);
    const QString file = path(u"zellen.qvl"_s);
    ASSERT_TRUE(writeDocumentFile(written, file, true).ok);
    ASSERT_TRUE(window->documents().readAsCurrent(file));
    const HeaderDataTyp before = document().header;
    ASSERT_FALSE(document().modified);

    inDialog<DocumentPropertiesDialog>([&](DocumentPropertiesDialog* d) {
        EXPECT_EQ(d->windowTitle(), u"Dokumenteigenschaften"_s);
        EXPECT_EQ(d->tabs()->tabText(0), u"  Allgemein  "_s);
        EXPECT_EQ(d->tabs()->tabText(1), u"  Arbeitsblatt  "_s);
        const auto text = [d](const char16_t* name) {
            QLineEdit* edit = child<QLineEdit>(d, QString::fromUtf16(name));
            EXPECT_TRUE(edit && edit->isReadOnly()) << "read-only";
            return edit ? edit->text() : QString();
        };
        EXPECT_EQ(text(u"DateiEdit"), u"zellen.qvl"_s);
        EXPECT_EQ(text(u"OrdnerEdit"), dir.path() + u'/');
        EXPECT_TRUE(text(u"GroesseEdit").endsWith(u" Bytes"_s));
        EXPECT_FALSE(text(u"GeaendertEdit").isEmpty());
        EXPECT_EQ(text(u"DokTypEdit"), u"C-Test"_s);
        EXPECT_EQ(text(u"TitelEdit"), u"Die Zellen"_s);
        EXPECT_EQ(text(u"AutorEdit"), u"Herr Özdemir"_s);
        EXPECT_EQ(child<QPlainTextEdit>(d, u"BemerkungMemo"_s)->toPlainText(), u"für Klasse 7"_s);
        const auto choice = [d](const char16_t* name) {
            QComboBox* box = child<QComboBox>(d, QString::fromUtf16(name));
            EXPECT_TRUE(box && !box->isEnabled()) << "disabled";
            return box ? box->currentText() : QString();
        };
        EXPECT_EQ(choice(u"NumArtBox"), u"Buchstaben: A, B, C, ..."_s);
        EXPECT_EQ(choice(u"GeordnetBox"), u"alphabetisch"_s);
        EXPECT_EQ(choice(u"ZielpunktBox"), u"30%"_s);
        EXPECT_EQ(child<QLabel>(d, u"PasswortLabel"_s)->text(), u"Passwort gesetzt"_s);
        for (const char16_t* name : {u"PasswortBtn", u"DokTypAnfuegenBtn", u"SeitenverhaeltnisBtn"})
            EXPECT_FALSE(child<QPushButton>(d, QString::fromUtf16(name))->isEnabled());

        QWidget* sheet = child<QWidget>(d, u"ArbeitsblattTab"_s);
        EXPECT_FALSE(sheet->isEnabled());
        EXPECT_FALSE(child<QLabel>(d, u"LogoImage"_s)->pixmap().isNull());
        EXPECT_EQ(text(u"LogoGroesseEdit"), QLocale().toString(30.0, 'f', 1));
        EXPECT_EQ(choice(u"LogoAusrichtungBox"), u"linksbündig"_s);
        EXPECT_EQ(choice(u"FusszeileAusrichtungBox"), u"mittig"_s);
        EXPECT_EQ(text(u"FusszeileEdit"), u"Schule am Berg"_s);
        child<QPushButton>(d, u"OKBtn"_s)->click();
    });
    window->menu().trigger(u"Dokumenteigenschaften1"_s);
    EXPECT_FALSE(document().modified);
    EXPECT_EQ(document().header.Zielpunktgroesse, 35);
    EXPECT_EQ(document().header.titel, before.titel);
    EXPECT_EQ(document().header.BilderPasswort, before.BilderPasswort);
    EXPECT_EQ(document().header.logo.footer, before.logo.footer);

    // Without a document: no file facts, the first type name, no logo.
    ASSERT_TRUE(window->documents().closeDocument());
    inDialog<DocumentPropertiesDialog>([](DocumentPropertiesDialog* d) {
        EXPECT_TRUE(child<QLineEdit>(d, u"DateiEdit"_s)->text().isEmpty());
        EXPECT_TRUE(child<QLineEdit>(d, u"GroesseEdit"_s)->text().isEmpty());
        EXPECT_EQ(child<QLineEdit>(d, u"DokTypEdit"_s)->text(),
                  u"Freie Text-Bild-/Bild-Text-Zuordnung"_s);
        EXPECT_TRUE(child<QLabel>(d, u"LogoImage"_s)->pixmap().isNull());
        EXPECT_EQ(child<QLabel>(d, u"PasswortLabel"_s)->text(), u"Passwort nicht gesetzt"_s);
        // Escape in the read-only remark closes the dialog.
        QTest::keyClick(child<QPlainTextEdit>(d, u"BemerkungMemo"_s), Qt::Key_Escape);
    });
    window->documentDialogs().showProperties();
}

TEST_F(DocumentDialogsTest, FontDialogSetsTheDocumentFontAndComposesTheView) {
    ASSERT_TRUE(window->documents().readAsCurrent(writeDocument(u"seite.qvl"_s, u"Seite"_s)));
    ObjDataTyp label = test::object(codeOf(Typ::FixedLabel), 0.5, 0.5, u"Wasserkreislauf"_s);
    label.Fsize = 40;
    document().objects.push_back(label);
    window->learningView().rebuild();
    const QImage before = window->view().composer().view();
    EXPECT_EQ(document().header.Schriftart, u"Arial"_s);

    QString serif;
    inDialog<TSchriftartForm>([&serif](TSchriftartForm* form) {
        EXPECT_EQ(form->windowTitle(), u"Schriftart"_s);
        // "Arial" counts as installed through its metric-compatible substitute.
        ASSERT_NE(form->list()->currentItem(), nullptr);
        EXPECT_EQ(form->chosen(), u"Arial"_s);
        const QList<QListWidgetItem*> found =
            form->list()->findItems(u"DejaVu Serif"_s, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << "fonts-dejavu is a dependency";
        form->list()->setCurrentItem(found.front());
        serif = form->chosen();
        EXPECT_EQ(form->preview()->text(), serif);
        EXPECT_EQ(form->preview()->font().family(), serif);
        form->accept();
    });
    window->menu().trigger(u"Schriftart1"_s);
    EXPECT_EQ(document().header.Schriftart, u"DejaVu Serif"_s);
    EXPECT_TRUE(document().modified);
    EXPECT_NE(window->view().composer().view(), before) << "composed in the new font";

    // "Abbrechen" changes nothing; a font that is not installed selects nothing.
    document().modified = false;
    document().header.Schriftart = u"Keine Solche Schrift"_s;
    inDialog<TSchriftartForm>([](TSchriftartForm* form) {
        EXPECT_TRUE(form->chosen().isEmpty());
        form->list()->setCurrentRow(0);
        form->reject();
    });
    window->documentDialogs().chooseFont();
    EXPECT_EQ(document().header.Schriftart, u"Keine Solche Schrift"_s);
    EXPECT_FALSE(document().modified);
}

TEST_F(DocumentDialogsTest, NotesBoxKeepsItsTextAsWritten) {
    NotesBox& box = window->notesBox();
    window->menu().trigger(u"Notizbox1"_s);
    ASSERT_TRUE(box.isVisible());
    EXPECT_FALSE(box.isModal());
    EXPECT_EQ(box.windowTitle(), u"Notizbox"_s);
    EXPECT_EQ(box.fontSizeBox()->currentText(), u"12"_s);
    EXPECT_EQ(box.widthBox()->currentText(), u"400"_s);
    EXPECT_EQ(box.heightBox()->currentText(), u"350"_s);
    EXPECT_EQ(box.textEdit()->document()->defaultFont().family(), window->settings().Schriftart);
    box.heightBox()->setCurrentText(u"600"_s);
    EXPECT_EQ(box.height(), 600);

    // Typed text with line breaks, tabs and umlauts; closing keeps it.
    box.textEdit()->setFocus();
    QTest::keyClicks(box.textEdit(), u"Hausaufgabe:\tS. 12"_s);
    QTest::keyClick(box.textEdit(), Qt::Key_Return);
    QTest::keyClicks(box.textEdit(), u"Übung {3} \\ fertig"_s);
    const QString typed = u"Hausaufgabe:\tS. 12\nÜbung {3} \\ fertig"_s;
    EXPECT_EQ(box.textEdit()->toPlainText(), typed);
    child<QPushButton>(&box, u"SchliessenBtn"_s)->click();
    EXPECT_FALSE(box.isVisible());
    window->menu().trigger(u"Notizbox1"_s);
    EXPECT_EQ(box.textEdit()->toPlainText(), typed);

    // Ctrl+C in the text copies the text, not the view.
    box.textEdit()->selectAll();
    QTest::keyClick(box.textEdit(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), typed);
    EXPECT_TRUE(QApplication::clipboard()->image().isNull());

    // Saved as rich text and read back: the same text.
    prompter->files.push_back(path(u"notiz.rtf"_s));
    child<QPushButton>(&box, u"SpeichernBtn"_s)->click();
    EXPECT_EQ(prompter->dialogs.back(), u"Notiz in Datei speichern"_s);
    prompter->answers = {Answer::Yes};
    prompter->files.push_back(path(u"notiz.rtf"_s));
    child<QPushButton>(&box, u"AusDateiBtn"_s)->click();
    EXPECT_EQ(prompter->order.back(),
              u"Der aktuelle Text wird durch den Inhalt der zu öffnenden Datei ersetzt.\r\n"
              u"Möchten Sie fortfahren?"_s);
    EXPECT_EQ(prompter->dialogs.back(), u"Text- oder RTF-Datei öffnen"_s);
    EXPECT_EQ(box.textEdit()->toPlainText(), typed);

    // Printed under the title "Notiz".
    QString jobName;
    prompter->print = [&](QPrinter& printer) {
        jobName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(u"notiz.pdf"_s));
        return true;
    };
    child<QPushButton>(&box, u"DruckenBtn"_s)->click();
    EXPECT_EQ(prompter->dialogs.back(), u"Notiz"_s);
    EXPECT_EQ(jobName, u"Notiz"_s);
    EXPECT_GT(QFileInfo(path(u"notiz.pdf"_s)).size(), 0);

    // "Löschen" asks; "Nein" keeps, "Ja" empties.
    prompter->answers = {Answer::No};
    child<QPushButton>(&box, u"LoeschenBtn"_s)->click();
    EXPECT_EQ(prompter->order.back(), u"Notiz wirklich löschen?"_s);
    EXPECT_EQ(box.textEdit()->toPlainText(), typed);
    prompter->answers = {Answer::Yes};
    child<QPushButton>(&box, u"LoeschenBtn"_s)->click();
    EXPECT_TRUE(box.textEdit()->toPlainText().isEmpty());

    // "aus Zwischenablage" pastes at the cursor.
    QApplication::clipboard()->setText(u"eingefügt"_s);
    child<QPushButton>(&box, u"AusZwischenablageBtn"_s)->click();
    EXPECT_EQ(box.textEdit()->toPlainText(), u"eingefügt"_s);

    // An empty box loads without asking; a plain Windows-1252 text file reads.
    box.textEdit()->clear();
    const qsizetype asked = prompter->order.size();
    write(u"alt.txt"_s, QByteArray("Gr\xfc\xdf"
                                   "e\r\n"));
    prompter->files.push_back(path(u"alt.txt"_s));
    child<QPushButton>(&box, u"AusDateiBtn"_s)->click();
    EXPECT_EQ(prompter->order.size(), asked);
    EXPECT_EQ(box.textEdit()->toPlainText(), u"Grüße\n"_s);

    // Nothing of it goes into the document or the settings.
    EXPECT_FALSE(document().modified);
    box.close();
}

} // namespace
