// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultfolders.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(ResultFolders, CheckedInOrderWithTrailingSeparatorAdded) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString base = dir.path() + u'/';
    for (const QString& name : {u"b"_s, u"p"_s, u"c"_s, u"g"_s})
        ASSERT_TRUE(QDir(dir.path()).mkdir(name));
    QFile plain(base + u"datei"_s);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    struct Case {
        const char* what;
        ResultFolderTexts texts; // best lists, protocols, chronicle, gallery
        std::optional<ResultFolder> invalid;
    };
    const Case cases[] = {
        {"all valid", {base + u"b"_s, base + u"p/"_s, base + u"c"_s, base + u"g"_s}, {}},
        {"empty best lists",
         {u""_s, base + u"p"_s, base + u"c"_s, base + u"g"_s},
         ResultFolder::BestLists},
        {"missing protocols before empty best lists",
         {u""_s, base + u"fehlt"_s, base + u"c"_s, base + u"g"_s},
         ResultFolder::Protocols},
        {"chronicle is checked first",
         {u""_s, u""_s, base + u"datei"_s, u""_s},
         ResultFolder::Chronicle},
        {"gallery last",
         {base + u"b"_s, base + u"p"_s, base + u"c"_s, u""_s},
         ResultFolder::Gallery},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResultFolderTexts texts = c.texts;
        EXPECT_EQ(checkResultFolders(texts), c.invalid);
        if (!c.invalid) {
            for (const QString& text : texts)
                EXPECT_TRUE(text.endsWith(u'/')) << text.toStdString();
            EXPECT_EQ(texts[int(ResultFolder::BestLists)], base + u"b/"_s);
            EXPECT_EQ(texts[int(ResultFolder::Protocols)], base + u"p/"_s);
        }
    }
}

TEST(ResultFolders, StoredUnderTheirSettings) {
    Settings settings = defaultSettings(u"/basis/"_s);
    EXPECT_EQ(resultFolders(settings),
              (ResultFolderTexts{u"/basis/bestenlisten/"_s, u"/basis/protokolle/"_s,
                                 u"/basis/chronik/"_s, u"/basis/bildergalerie/"_s}));
    storeResultFolders(settings, {u"/b/"_s, u"/p/"_s, u"/c/"_s, u"/g/"_s});
    EXPECT_EQ(settings.BestListOrdner, u"/b/"_s);
    EXPECT_EQ(settings.ProtOrdner, u"/p/"_s);
    EXPECT_EQ(settings.ChronikOrdner, u"/c/"_s);
    EXPECT_EQ(settings.BilderGalerieOrdner, u"/g/"_s);
}

TEST(ResultFolders, OnlyMissingDefaultFoldersAreCreated) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString base = dir.path() + u'/';
    ResultFolderTexts folders = resultFolders(defaultSettings(base));
    folders[int(ResultFolder::Protocols)] = base + u"anderswo/"_s;
    folders[int(ResultFolder::Chronicle)] = base + u"chronik"_s; // the default without its "/"
    createDefaultResultFolders(folders, base);
    EXPECT_TRUE(QFileInfo(base + u"bestenlisten"_s).isDir());
    EXPECT_TRUE(QFileInfo(base + u"chronik"_s).isDir());
    EXPECT_TRUE(QFileInfo(base + u"bildergalerie"_s).isDir());
    EXPECT_FALSE(QFileInfo::exists(base + u"anderswo"_s));
    EXPECT_FALSE(QFileInfo::exists(base + u"protokolle"_s));
    EXPECT_EQ(checkResultFolders(folders), ResultFolder::Protocols);
}

} // namespace
} // namespace quorvel
