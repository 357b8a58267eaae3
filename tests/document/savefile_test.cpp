// SPDX-License-Identifier: GPL-3.0-or-later
// Saving under hostile conditions: a full disk, devices, pipes, links.
#include "document.h"
#include "documentio.h"
#include "fullfilesystem.h"
#include "picturefile.h"
#include "savefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <thread>

namespace quorvel {
namespace {

const QByteArray kOld = "the previous content, which must survive";

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QImage picture() {
    QImage image(32, 24, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 8, y * 10, (x * y) % 256));
    return image;
}

Document document() {
    Document doc;
    doc.header.titel = QStringLiteral("Neu");
    doc.basePicture = picture();
    return doc;
}

// Every whole-file writer of the document core, each writing far more than
// the one free byte of a full disk.
struct Writer {
    const char* name;
    const char* file;
    std::function<IoResult(const QString& path)> save;
};

const std::vector<Writer>& writers() {
    static const std::vector<Writer> all{
        {"document", "alt.qvl",
         [](const QString& path) {
             Document doc = document();
             return writeDocumentFile(doc, path, true);
         }},
        {"PNG picture", "alt.png",
         [](const QString& path) { return savePictureFile(picture(), path); }},
        {"JPEG picture", "alt.jpg",
         [](const QString& path) { return savePictureFile(picture(), path); }},
        {"BMP picture", "alt.bmp",
         [](const QString& path) { return savePictureFile(picture(), path); }},
        {"bytes", "alt.txt",
         [](const QString& path) { return saveWholeFile(path, QByteArray(6000, 'x')); }},
    };
    return all;
}

// On a full disk every save fails with its message, the old file keeps every
// byte and no temporary file is left; with room again the same save succeeds.
TEST(HostileSaving, FullDiskKeepsThePreviousFile) {
    for (const Writer& writer : writers()) {
        SCOPED_TRACE(writer.name);
        const QString name = QString::fromLatin1(writer.file);
        FullFileSystem disk(name, kOld);
        if (!disk.skipReason().isEmpty())
            GTEST_SKIP() << disk.skipReason().toStdString();
        const QStringList before = disk.names();

        const IoResult failed = writer.save(disk.path(name));
        EXPECT_FALSE(failed.ok);
        EXPECT_FALSE(failed.detail.isEmpty());
        if (name != u"alt.txt") {
            EXPECT_EQ(failed.messages.size(), 1);
        }
        EXPECT_EQ(contents(disk.path(name)), kOld);
        EXPECT_EQ(disk.names(), before);

        disk.makeRoom();
        EXPECT_TRUE(writer.save(disk.path(name)).ok);
        EXPECT_NE(contents(disk.path(name)), kOld);
        EXPECT_EQ(disk.names(), QStringList{name});
    }
}

bool isCharacterDevice(const char* path) {
    struct stat info {};
    return ::lstat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

// A device is written in place, never renamed over: /dev/full refuses the
// bytes (a failure), /dev/null takes them, and both stay devices.
TEST(HostileSaving, DevicesAreWrittenInPlace) {
    for (const Writer& writer : writers()) {
        SCOPED_TRACE(writer.name);
        EXPECT_FALSE(writer.save(QStringLiteral("/dev/full")).ok);
        EXPECT_TRUE(writer.save(QStringLiteral("/dev/null")).ok);
    }
    EXPECT_TRUE(isCharacterDevice("/dev/full"));
    EXPECT_TRUE(isCharacterDevice("/dev/null"));
}

TEST(HostileSaving, NamedPipeIsWrittenWhenReadAndRefusedWithoutReader) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("rohr"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(saveWholeFile(pipe, kOld).ok);
    EXPECT_LT(timer.elapsed(), 5000) << "waited for a reader";

    QByteArray received;
    std::thread reader([&] {
        QFile in(pipe);
        if (in.open(QIODevice::ReadOnly))
            received = in.readAll();
    });
    // The reader opens the pipe at some moment: try until it is there.
    IoResult written;
    for (int attempt = 0; attempt < 500 && !written.ok; ++attempt) {
        written = saveWholeFile(pipe, kOld);
        if (!written.ok)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    reader.join();
    EXPECT_TRUE(written.ok) << written.detail.toStdString();
    EXPECT_EQ(received, kOld);
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// A replaced file keeps its permissions, a link keeps pointing at the file it
// names; a folder and an empty name are refused.
TEST(HostileSaving, LinksPermissionsFoldersAndEmptyNames) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("ziel.txt"));
    const QString link = dir.filePath(QStringLiteral("verweis.txt"));
    ASSERT_TRUE(saveWholeFile(target, kOld).ok);
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, link));

    ASSERT_TRUE(saveWholeFile(link, QByteArray("neu")).ok);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contents(target), "neu");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);

    EXPECT_FALSE(saveWholeFile(dir.path(), kOld).ok);
    EXPECT_FALSE(saveWholeFile(QString(), kOld).ok);
    EXPECT_FALSE(savePictureFile(picture(), QString()).ok);
}

} // namespace
} // namespace quorvel
