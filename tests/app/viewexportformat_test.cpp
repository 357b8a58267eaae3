// SPDX-License-Identifier: GPL-3.0-or-later
#include "topiclistreport.h"
#include "viewexportformat.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

TEST(ViewExportFormat, OnlyBitmapPngAndJpegNamesAreAccepted) {
    const struct {
        QString path;
        bool accepted;
    } cases[] = {
        {u"/tmp/bild.png"_s, true},
        {u"/tmp/BILD.JPG"_s, true},
        {u"/tmp/bild.bmp"_s, true},
        {u"/tmp/bild.Png"_s, true},
        {u"/tmp/bild.gif"_s, false},
        {u"/tmp/bild.jpeg"_s, false},
        {u"/tmp/bild"_s, false},
        {u"/tmp/bild.png.gif"_s, false},
        {u"/tmp/ordner.png/bild"_s, false}, // a dot in a folder name is no extension
        {u"/tmp/bild."_s, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isExportExtension(c.path), c.accepted) << c.path.toStdString();
}

TEST(TopicList, ReportHasTheTitleLineAndOneNumberedLinePerEntry) {
    const TopicList list = {
        {u"Äpfel & Birnen"_s, u"/t/a.qvl"_s, u"a.qvl"_s},
        {u"  "_s, u"/t/Leer.qvl"_s, u"leer.qvl"_s},
        {u"Zwei\r\nZeilen"_s, u"/t/z.qvl"_s, u"z.qvl"_s},
    };
    EXPECT_EQ(topicListReport(list),
              u"<TIT>Themenliste\r\n1: Äpfel & Birnen\r\n2: Leer.qvl\r\n3: Zwei  Zeilen\r\n"_s);
    EXPECT_EQ(topicListReport({}), u"<TIT>Themenliste\r\n"_s);
}
