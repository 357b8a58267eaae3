#include "linkresolver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

void lege(const QString& pfad) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ordner.dokument = m_dir.filePath(QStringLiteral("dok"));
        ordner.thema = m_dir.filePath(QStringLiteral("thema")) + u'/';
        ordner.basis = m_dir.filePath(QStringLiteral("basis"));
        QDir().mkpath(ordner.dokument);
        QDir().mkpath(ordner.thema);
        QDir().mkpath(ordner.basis);
    }
    QString pfad(const QString& rel) const { return m_dir.filePath(rel); }

    QTemporaryDir m_dir;
    LinkFolders ordner;
};

} // namespace

TEST_F(LinkTest, WebAddressesStayAsWritten) {
    for (const QString& ziel : {QStringLiteral("http://example.org/a b"),
                                QStringLiteral("HTTPS://example.org"), QStringLiteral("Http://x")})
        EXPECT_EQ(resolveLinkTarget(ziel, ordner), ziel);
}

TEST_F(LinkTest, FirstExistingFolderWinsInOrder) {
    const QString name = QStringLiteral("bild.png");
    EXPECT_EQ(resolveLinkTarget(name, ordner), name) << "nowhere: as written";
    lege(pfad(QStringLiteral("basis/bild.png")));
    EXPECT_EQ(resolveLinkTarget(name, ordner), pfad(QStringLiteral("basis/bild.png")));
    lege(pfad(QStringLiteral("thema/bild.png")));
    EXPECT_EQ(resolveLinkTarget(name, ordner), pfad(QStringLiteral("thema/bild.png")));
    lege(pfad(QStringLiteral("dok/bild.png")));
    EXPECT_EQ(resolveLinkTarget(name, ordner), pfad(QStringLiteral("dok/bild.png")));

    const QString absolut = pfad(QStringLiteral("basis/bild.png"));
    EXPECT_EQ(resolveLinkTarget(u'"' + absolut + u'"', ordner), absolut)
        << "an existing target itself comes first, quotes removed";
    EXPECT_EQ(resolveLinkTarget(QStringLiteral("\"fehlt.txt\""), ordner),
              QStringLiteral("\"fehlt.txt\""));
}

TEST_F(LinkTest, BackslashesOfOldDocumentsAreSeparators) {
    lege(pfad(QStringLiteral("thema/unter/a.qvl")));
    EXPECT_EQ(resolveLinkTarget(QStringLiteral("unter\\a.qvl"), ordner),
              pfad(QStringLiteral("thema/unter/a.qvl")));
}

TEST_F(LinkTest, RelativeFolderLinkSwitchesTheTopicFolder) {
    QDir().mkpath(pfad(QStringLiteral("thema/Planeten")));
    for (const QString& ziel : {QStringLiteral("Planeten\\"), QStringLiteral("Planeten/")}) {
        const DocumentLinkTarget z = documentLinkTarget(ziel, ordner);
        EXPECT_EQ(z.kind, DocumentLinkTarget::Kind::ChangeFolder) << ziel.toStdString();
        EXPECT_EQ(QDir(z.pfad).canonicalPath(),
                  QDir(pfad(QStringLiteral("thema/Planeten"))).canonicalPath());
        EXPECT_TRUE(z.pfad.endsWith(u'/'));
    }
    EXPECT_EQ(documentLinkTarget(QStringLiteral("Monde\\"), ordner).kind,
              DocumentLinkTarget::Kind::FolderMissing);
    const QString absolut = pfad(QStringLiteral("basis")) + u'/';
    EXPECT_EQ(documentLinkTarget(absolut, ordner).pfad, absolut);
}

TEST_F(LinkTest, DocumentLinksOpenOrReportTheMissingFile) {
    lege(pfad(QStringLiteral("dok/mars.qvl")));
    const DocumentLinkTarget da = documentLinkTarget(QStringLiteral("mars.qvl"), ordner);
    EXPECT_EQ(da.kind, DocumentLinkTarget::Kind::OpenDocument);
    EXPECT_EQ(da.pfad, pfad(QStringLiteral("dok/mars.qvl")));

    const DocumentLinkTarget fehlt = documentLinkTarget(QStringLiteral("venus.qvl"), ordner);
    EXPECT_EQ(fehlt.kind, DocumentLinkTarget::Kind::FileMissing);
    EXPECT_EQ(fehlt.meldung, QStringLiteral("Die Datei \"venus.qvl\" existiert nicht."));
    EXPECT_EQ(linkCannotOpenMessage(QStringLiteral("x")),
              QStringLiteral("Die Datei oder Internet-Adresse \"x\" kann nicht geöffnet werden."));

    EXPECT_TRUE(isDocumentTarget(QStringLiteral("A.QVL")));
    EXPECT_FALSE(isDocumentTarget(QStringLiteral("a.png")));
}
