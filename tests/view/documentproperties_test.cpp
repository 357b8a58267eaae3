// SPDX-License-Identifier: GPL-3.0-or-later
#include "document.h"
#include "documentproperties.h"
#include "typecodes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

TEST(DocumentPropertiesTest, NewDocumentShowsNoFileAndTheFirstTypeName) {
    Document document;
    document.reset();
    const DocumentProperties p = documentProperties(document, kGerman);
    EXPECT_TRUE(p.fileName.isEmpty());
    EXPECT_TRUE(p.folder.isEmpty());
    EXPECT_TRUE(p.sizeText.isEmpty());
    EXPECT_TRUE(p.modifiedText.isEmpty());
    EXPECT_EQ(p.typeName, u"Freie Text-Bild-/Bild-Text-Zuordnung"_s);
    EXPECT_EQ(p.numberingIndex, 0);
    EXPECT_EQ(p.orderIndex, 0);
    EXPECT_EQ(p.targetPointIndex, 0);
    EXPECT_EQ(p.passwordText, u"Passwort nicht gesetzt"_s);
    EXPECT_TRUE(p.logo.isNull());
}

TEST(DocumentPropertiesTest, EveryKindShowsItsFacts) {
    struct Case {
        DokTyp dokTyp;
        int subtype;
        const char16_t* typeName;
        int numArt;
        int geordnetArt;
        int zielpunktgroesse;
        int targetIndex;
        const char16_t* password;
    };
    const Case cases[] = {
        {DokTyp::PictureLabelling, 0, u"Freie Text-Bild-/Bild-Text-Zuordnung", 0, 0, 100, 0, u""},
        {DokTyp::Cloze, 0, u"Lückentext", 1, 1, 30, 7, u"geheim"},
        {DokTyp::Cloze, 1, u"Tabellarische Text-Bild-/Bild-Text-Zuordnung", 0, 1, 0, 10, u""},
        {DokTyp::Cloze, 4, u"C-Test mit Falschwörtern", 1, 0, 90, 1, u"x"},
        {DokTyp::SingleQuestions, 0, u"Einzelfragen", 0, 0, 50, 5, u""},
        {DokTyp::MultipleChoice, 0, u"Multiple-Choice-Fragen", 1, 0, 10, 9, u""},
        {DokTyp::Cluster, 0, u"Cluster-Übung", 0, 1, 100, 0, u"p"},
        {DokTyp::CrossMatching, 0, u"Über-Kreuz-Zuordnung", 0, 0, 35, 7, u""},
        {DokTyp::Crossword, 0, u"Kreuzworträtsel", 1, 1, 100, 0, u""},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.typeName);
        SCOPED_TRACE(name.toStdString());
        Document document;
        HeaderDataTyp& h = document.header;
        h.DokTyp = codeOf(c.dokTyp);
        h.DokUnterTyp = c.subtype;
        h.titel = u"Titel von "_s + name;
        h.autor = u"Frau Müller"_s;
        h.bemerkung = u"Zeile 1\r\nZeile 2"_s;
        h.NumArt = c.numArt;
        h.GeordnetArt = c.geordnetArt;
        h.Zielpunktgroesse = c.zielpunktgroesse;
        h.BilderPasswort = QString::fromUtf16(c.password);
        const DocumentProperties p = documentProperties(document, kGerman);
        EXPECT_EQ(p.typeName, name);
        EXPECT_EQ(p.titel, h.titel);
        EXPECT_EQ(p.autor, h.autor);
        EXPECT_EQ(p.bemerkung, h.bemerkung);
        EXPECT_EQ(p.numberingIndex, c.numArt);
        EXPECT_EQ(numberingChoices().at(p.numberingIndex),
                  c.numArt ? u"Buchstaben: A, B, C, ..."_s : u"Zahlen: 1, 2, 3, ..."_s);
        EXPECT_EQ(orderChoices().at(p.orderIndex),
                  c.geordnetArt ? u"alphabetisch"_s : u"von oben nach unten"_s);
        EXPECT_EQ(p.targetPointIndex, c.targetIndex);
        EXPECT_EQ(p.passwordSet, !h.BilderPasswort.isEmpty());
        EXPECT_EQ(p.passwordText,
                  p.passwordSet ? u"Passwort gesetzt"_s : u"Passwort nicht gesetzt"_s);
    }
    EXPECT_EQ(targetPointChoices().at(7), u"30%"_s);
    EXPECT_EQ(targetPointChoices().at(10), u"unsichtbar"_s);
}

TEST(DocumentPropertiesTest, ValuesOutsideTheListsSelectNothing) {
    Document document;
    document.header.DokTyp = 42;
    document.header.NumArt = 7;
    document.header.GeordnetArt = -1;
    document.header.Zielpunktgroesse = 250;
    document.header.logo.alignment = 3;
    const DocumentProperties p = documentProperties(document, kGerman);
    EXPECT_TRUE(p.typeName.isEmpty());
    EXPECT_EQ(p.numberingIndex, -1);
    EXPECT_EQ(p.orderIndex, -1);
    EXPECT_EQ(p.targetPointIndex, -1);
    EXPECT_EQ(targetPointIndex(-10), -1);
    EXPECT_EQ(p.logoAlignmentIndex, -1);
}

TEST(DocumentPropertiesTest, FileSizeDateLogoAndFooter) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"Erde und Mond.qvl"_s);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(1234567));
    }
    const QDateTime stamp(QDate(2026, 3, 4), QTime(13, 5));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    Document document;
    document.file = path;
    LogoData& logo = document.header.logo;
    logo.picture = QImage(40, 20, QImage::Format_ARGB32);
    logo.picture.fill(Qt::red);
    logo.size = 0.255;
    logo.alignment = 1;
    logo.footer = u"Grundschule am See"_s;
    logo.footerAlignment = 2;

    const DocumentProperties p = documentProperties(document, kGerman);
    EXPECT_EQ(p.fileName, u"Erde und Mond.qvl"_s);
    EXPECT_EQ(p.folder, dir.path() + u'/');
    EXPECT_EQ(p.sizeText, u"1.234.567 Bytes"_s);
    EXPECT_EQ(p.modifiedText, kGerman.toString(stamp, QLocale::ShortFormat));
    EXPECT_EQ(
        documentProperties(document, QLocale(QLocale::English, QLocale::UnitedStates)).sizeText,
        u"1,234,567 Bytes"_s);
    EXPECT_EQ(p.logo, logo.picture);
    EXPECT_EQ(p.logoSizeText, u"25,5"_s);
    EXPECT_EQ(alignmentChoices().at(p.logoAlignmentIndex), u"mittig"_s);
    EXPECT_EQ(alignmentChoices().at(p.footerAlignmentIndex), u"rechtsbündig"_s);
    EXPECT_EQ(p.footer, logo.footer);

    // A file that went away leaves size and date empty but keeps its name.
    ASSERT_TRUE(QFile::remove(path));
    const DocumentProperties gone = documentProperties(document, kGerman);
    EXPECT_EQ(gone.fileName, u"Erde und Mond.qvl"_s);
    EXPECT_TRUE(gone.sizeText.isEmpty());
    EXPECT_TRUE(gone.modifiedText.isEmpty());

    logo.picture = QImage(0, 0, QImage::Format_ARGB32);
    EXPECT_TRUE(documentProperties(document, kGerman).logo.isNull());
}

} // namespace
