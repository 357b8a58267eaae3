// SPDX-License-Identifier: GPL-3.0-or-later
#include "headerdata.h"
#include "worksheetstorage.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(WorksheetStorage, StartValuesAreStoredAsTenValuesEachClosedByABar) {
    EXPECT_EQ(worksheetSettingsText(WorksheetSettings()), u"110 %|1|0|1|1|0.0|0.0|100.0|0|0|"_s);
}

TEST(WorksheetStorage, EveryStoredValueComesBack) {
    WorksheetSettings changed;
    changed.boxSizeIndex = 15; // "200 %"
    changed.clozeMargins = false;
    changed.fontAdjust = -7;
    changed.basePicture = false;
    changed.otherObjects = false;
    changed.basePictureX = -2.5;
    changed.basePictureY = 12.3;
    changed.basePictureSize = 87.4;
    changed.fullWidth = true;
    changed.landscape = true;
    const QString text = worksheetSettingsText(changed);
    EXPECT_EQ(text, u"200 %|0|-7|0|0|-2.5|12.3|87.4|1|1|"_s);

    WorksheetSettings read;
    applyWorksheetSettingsText(text, read);
    EXPECT_EQ(worksheetSettingsText(read), text);
    EXPECT_EQ(read.boxSizeIndex, 15);
    EXPECT_TRUE(read.landscape);
    EXPECT_DOUBLE_EQ(read.basePictureSize, 87.4);
}

TEST(WorksheetStorage, ValuesAreWrittenWithOneDecimalAndNoNegativeZero) {
    WorksheetSettings s;
    s.basePictureX = -0.04;
    s.basePictureY = 0.25; // a tie goes to the even tenth
    s.basePictureSize = 99.96;
    EXPECT_EQ(worksheetSettingsText(s), u"110 %|1|0|1|1|0.0|0.2|100.0|0|0|"_s);
}

// What a stored text from a damaged or foreign document does: each row
// gives the text and the settings text that results from the start values.
TEST(WorksheetStorage, DamagedTextsGiveSettingsWithinTheDialogsRanges) {
    const struct {
        const char16_t* stored;
        const char16_t* result;
    } cases[] = {
        // Unreadable numbers count as 0, a decimal comma included.
        {u"90 %|x|y|z|?|a|b|c|d|e|", u"90 %|0|0|0|0|0.0|0.0|0.0|0|0|"},
        {u"110 %|1|0|1|1|2,5|0.0|12,5|0|0|", u"110 %|1|0|1|1|0.0|0.0|0.0|0|0|"},
        {u"110 %|1|0|1|1|nan|inf|-inf|0|0|", u"110 %|1|0|1|1|0.0|0.0|0.0|0|0|"},
        // A box size not in the list leaves it as it was.
        {u"115 %|1|0|1|1|0.0|0.0|100.0|0|0|", u"110 %|1|0|1|1|0.0|0.0|100.0|0|0|"},
        {u"|0|", u"110 %|0|0|1|1|0.0|0.0|100.0|0|0|"},
        // Out of range: kept within the dialog's limits.
        {u"50 %|7|99|1|1|-55.0|-40.0|1e9|3|1|", u"50 %|1|10|1|1|-20.0|-20.0|300.0|1|1|"},
        {u"50 %|1|-99|1|1|20.1|5000.0|-3.0|0|2|", u"50 %|1|-10|1|1|20.0|1000.0|0.0|0|0|"},
        // Values missing at the end (or without their bar) stay.
        {u"200 %|0|", u"200 %|0|0|1|1|0.0|0.0|100.0|0|0|"},
        {u"200 %|0|5", u"200 %|0|0|1|1|0.0|0.0|100.0|0|0|"},
        // More than ten values: the rest is ignored.
        {u"60 %|0|1|0|0|1.0|2.0|3.0|1|1|9|9|", u"60 %|0|1|0|0|1.0|2.0|3.0|1|1|"},
        // Blanks around a value are no fault.
        {u" 80 % | 0 | 2 |1|1|0.0|0.0|100.0|0|0|", u"80 %|0|2|1|1|0.0|0.0|100.0|0|0|"},
        {u"", u"110 %|1|0|1|1|0.0|0.0|100.0|0|0|"},
        {u"kein Trennzeichen", u"110 %|1|0|1|1|0.0|0.0|100.0|0|0|"},
    };
    for (const auto& c : cases) {
        WorksheetSettings s;
        applyWorksheetSettingsText(QString::fromUtf16(c.stored), s);
        EXPECT_EQ(worksheetSettingsText(s), QString::fromUtf16(c.result))
            << QString::fromUtf16(c.stored).toStdString();
    }
}

TEST(WorksheetStorage, ADocumentWithoutStoredSettingsLeavesThemButGivesItsTask) {
    WorksheetSettings s;
    HeaderDataTyp with;
    with.Arbeitsblatt = u"150 %|0|3|1|1|0.0|0.0|100.0|0|1|"_s;
    with.ABAufgabe = u"Ordne zu!"_s;
    takeDocumentWorksheetFields(with, s);
    EXPECT_EQ(s.boxSizeIndex, 10);
    EXPECT_TRUE(s.landscape);
    EXPECT_EQ(s.task, u"Ordne zu!"_s);

    const HeaderDataTyp without; // a new document: no settings, the default task
    takeDocumentWorksheetFields(without, s);
    EXPECT_EQ(worksheetSettingsText(s), with.Arbeitsblatt);
    EXPECT_EQ(s.task, u"Aufgabe: Fülle die freien Felder aus!"_s);

    // Writing puts the settings in effect and the task into the header.
    HeaderDataTyp written;
    s.task = u"Beschrifte!"_s;
    putWorksheetFields(s, written);
    EXPECT_EQ(written.Arbeitsblatt, with.Arbeitsblatt);
    EXPECT_EQ(written.ABAufgabe, u"Beschrifte!"_s);
}

TEST(WorksheetStorage, BoxSizesRunFromFiftyToTwoHundredPercent) {
    const QStringList texts = boxSizeTexts();
    ASSERT_EQ(texts.size(), 16);
    EXPECT_EQ(texts.front(), u"50 %"_s);
    EXPECT_EQ(texts.back(), u"200 %"_s);
    EXPECT_EQ(boxSizeText(6), u"110 %"_s);
    EXPECT_EQ(boxSizeText(-1), u"110 %"_s);
    EXPECT_EQ(boxSizeText(16), u"110 %"_s);
}

} // namespace
} // namespace quorvel::test
