// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkresolver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

void createFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        folder.document = m_dir.filePath(QStringLiteral("dok"));
        folder.topic = m_dir.filePath(QStringLiteral("thema")) + u'/';
        folder.basis = m_dir.filePath(QStringLiteral("basis"));
        QDir().mkpath(folder.document);
        QDir().mkpath(folder.topic);
        QDir().mkpath(folder.basis);
    }
    QString path(const QString& rel) const { return m_dir.filePath(rel); }

    QTemporaryDir m_dir;
    LinkFolders folder;
};

} // namespace

TEST_F(LinkTest, WebAddressesStayAsWritten) {
    for (const QString& target :
         {QStringLiteral("http://example.org/a b"), QStringLiteral("HTTPS://example.org"),
          QStringLiteral("Http://x")})
        EXPECT_EQ(resolveLinkTarget(target, folder), target);
}

TEST_F(LinkTest, FirstExistingFolderWinsInOrder) {
    const QString name = QStringLiteral("bild.png");
    EXPECT_EQ(resolveLinkTarget(name, folder), name) << "nowhere: as written";
    createFile(path(QStringLiteral("basis/bild.png")));
    EXPECT_EQ(resolveLinkTarget(name, folder), path(QStringLiteral("basis/bild.png")));
    createFile(path(QStringLiteral("thema/bild.png")));
    EXPECT_EQ(resolveLinkTarget(name, folder), path(QStringLiteral("thema/bild.png")));
    createFile(path(QStringLiteral("dok/bild.png")));
    EXPECT_EQ(resolveLinkTarget(name, folder), path(QStringLiteral("dok/bild.png")));

    const QString absolute = path(QStringLiteral("basis/bild.png"));
    EXPECT_EQ(resolveLinkTarget(u'"' + absolute + u'"', folder), absolute)
        << "an existing target itself comes first, quotes removed";
    EXPECT_EQ(resolveLinkTarget(QStringLiteral("\"fehlt.txt\""), folder),
              QStringLiteral("\"fehlt.txt\""));
}

TEST_F(LinkTest, BackslashesOfOldDocumentsAreSeparators) {
    createFile(path(QStringLiteral("thema/unter/a.qvl")));
    EXPECT_EQ(resolveLinkTarget(QStringLiteral("unter\\a.qvl"), folder),
              path(QStringLiteral("thema/unter/a.qvl")));
}

TEST_F(LinkTest, RelativeFolderLinkSwitchesTheTopicFolder) {
    QDir().mkpath(path(QStringLiteral("thema/Planeten")));
    for (const QString& target : {QStringLiteral("Planeten\\"), QStringLiteral("Planeten/")}) {
        const DocumentLinkTarget z = documentLinkTarget(target, folder);
        EXPECT_EQ(z.kind, DocumentLinkTarget::Kind::ChangeFolder) << target.toStdString();
        EXPECT_EQ(QDir(z.path).canonicalPath(),
                  QDir(path(QStringLiteral("thema/Planeten"))).canonicalPath());
        EXPECT_TRUE(z.path.endsWith(u'/'));
    }
    EXPECT_EQ(documentLinkTarget(QStringLiteral("Monde\\"), folder).kind,
              DocumentLinkTarget::Kind::FolderMissing);
    const QString absolute = path(QStringLiteral("basis")) + u'/';
    EXPECT_EQ(documentLinkTarget(absolute, folder).path, absolute);
}

TEST_F(LinkTest, DocumentLinksOpenOrReportTheMissingFile) {
    createFile(path(QStringLiteral("dok/mars.qvl")));
    const DocumentLinkTarget da = documentLinkTarget(QStringLiteral("mars.qvl"), folder);
    EXPECT_EQ(da.kind, DocumentLinkTarget::Kind::OpenDocument);
    EXPECT_EQ(da.path, path(QStringLiteral("dok/mars.qvl")));

    const DocumentLinkTarget missing = documentLinkTarget(QStringLiteral("venus.qvl"), folder);
    EXPECT_EQ(missing.kind, DocumentLinkTarget::Kind::FileMissing);
    EXPECT_EQ(missing.message, QStringLiteral("Die Datei \"venus.qvl\" existiert nicht."));
    EXPECT_EQ(linkCannotOpenMessage(QStringLiteral("x")),
              QStringLiteral("Die Datei oder Internet-Adresse \"x\" kann nicht geöffnet werden."));

    EXPECT_TRUE(isDocumentTarget(QStringLiteral("A.QVL")));
    EXPECT_FALSE(isDocumentTarget(QStringLiteral("a.png")));
}
