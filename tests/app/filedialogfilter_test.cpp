// SPDX-License-Identifier: GPL-3.0-or-later
#include "filedialogfilter.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

TEST(FileDialogFilter, OpenDialogShowsTheProgramsFilterTexts) {
    EXPECT_EQ(qtNameFilters(openDocumentFilter()),
              QStringList({u"Quorvel-Dokument (*.qvl)"_s, u"RBK-Dokument (*.rbk)"_s,
                           u"Alle Dateien (*.*)"_s}));
    EXPECT_EQ(QString::fromUtf16(kDocumentExtension), u"qvl"_s);
}

TEST(FileDialogFilter, PatternsAreAddedWhenTheNameLacksThem) {
    EXPECT_EQ(qtNameFilters(u"Bilder|*.png;*.jpg|Alles|*|Rest"_s),
              QStringList({u"Bilder (*.png *.jpg)"_s, u"Alles (*)"_s}));
    EXPECT_EQ(qtNameFilters(u"Bilder (*.png)|*.png;*.bmp"_s),
              QStringList({u"Bilder (*.png) (*.png *.bmp)"_s}));
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}

TEST(FileDialogFilter, StarDotStarMeansEveryFile) {
    const struct {
        QString filter;
        QStringList patterns;
    } cases[] = {
        {u"Alle Dateien (*.*)"_s, {u"*"_s}},
        {u"Quorvel-Dokument (*.qvl)"_s, {u"*.qvl"_s}},
        {u"Bilder (*.png) (*.png *.bmp)"_s, {u"*.png"_s, u"*.bmp"_s}},
        {u"*.txt"_s, {u"*.txt"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameFilterPatterns(c.filter), c.patterns) << c.filter.toStdString();
}
