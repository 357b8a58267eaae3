// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(SoundFile, ExtensionIsReplacedByWav) {
    const std::pair<QString, QString> cases[] = {
        {u"richtig1.wav"_s, u"richtig1.wav"_s},
        {u"gong"_s, u"gong.wav"_s},
        {u"gong.mp3"_s, u"gong.wav"_s},
        {u"gong.alt.ogg"_s, u"gong.alt.wav"_s},
        {u"/home/lehrer/töne.neu/gong"_s, u"/home/lehrer/töne.neu/gong.wav"_s},
        {u"/home/lehrer/gong.WAV"_s, u"/home/lehrer/gong.wav"_s},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(withWavExtension(name), expected) << name.toStdString();
}

class SoundLookup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"basis/sound"_s));
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"share/sound"_s));
        folders = soundFolders(dir.filePath(u"basis/"_s), dir.filePath(u"share/sound/"_s));
    }

    QString touch(const QString& name) const {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    QTemporaryDir dir;
    QStringList folders;
};

TEST_F(SoundLookup, NameWithoutFolderIsLookedUpInTheSoundFoldersInOrder) {
    const QString shipped = touch(u"share/sound/richtig1.wav"_s);
    EXPECT_EQ(resolveSoundFile(u"richtig1.wav"_s, folders).path, shipped);
    // The base folder's own sound comes first.
    const QString own = touch(u"basis/sound/richtig1.wav"_s);
    EXPECT_EQ(resolveSoundFile(u"richtig1.wav"_s, folders).path, own);
}

TEST_F(SoundLookup, NameWithoutExtensionPlaysTheWavFile) {
    const QString gong = touch(u"share/sound/gong.wav"_s);
    touch(u"share/sound/gong"_s);
    const SoundFile found = resolveSoundFile(u"gong"_s, folders);
    EXPECT_EQ(found.path, gong);
    EXPECT_TRUE(found.error.isEmpty());
}

TEST_F(SoundLookup, NameWithFolderIsTakenAsItIs) {
    const QString elsewhere = touch(u"gong.wav"_s);
    touch(u"basis/sound/gong.wav"_s);
    EXPECT_EQ(resolveSoundFile(dir.filePath(u"gong.mp3"_s), folders).path, elsewhere);
    // Not looked for in the sound folders when it is not where it says.
    const QString missing = dir.filePath(u"anderswo/gong.wav"_s);
    EXPECT_EQ(resolveSoundFile(missing, folders).error,
              u"Sounddatei \""_s + missing + u"\" nicht gefunden."_s);
}

TEST_F(SoundLookup, MissingFileNamesTheSettingAsEntered) {
    touch(u"basis/sound/tusch.mp3"_s); // not the .wav it would play
    const SoundFile missing = resolveSoundFile(u"tusch.mp3"_s, folders);
    EXPECT_TRUE(missing.path.isEmpty());
    EXPECT_EQ(missing.error, u"Sounddatei \"tusch.mp3\" nicht gefunden."_s);
}

TEST(SoundFolders, ShippedFolderLiesBesideTheProgramsFolder) {
    EXPECT_EQ(shippedSoundFolder(u"/usr/bin"_s), u"/usr/share/quorvel/sound/"_s);
    EXPECT_EQ(soundFolders(u"/opt/q/"_s, u"/opt/q/sound/"_s), QStringList{u"/opt/q/sound/"_s});
}

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

qint64 durationOf(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return wavDurationMs(buffer);
}

TEST(WavDuration, ReadsTheShippedSoundsAsShort16BitPcm) {
    for (const char* name : {"richtig1.wav", "falsch1.wav"}) {
        QFile file(QStringLiteral(QUORVEL_SOUND_DIR "/") + QLatin1StringView(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 44) << name;
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 20), 1) << name; // PCM
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 34), 16) << name;
        const qint64 ms = durationOf(bytes);
        EXPECT_GT(ms, 200) << name;
        EXPECT_LT(ms, 1500) << name;
    }
}

TEST(WavDuration, SkipsOtherChunksAndTrustsOnlyWhatIsThere) {
    const QByteArray format =
        u"fmt "_s.toLatin1() + le32(16) + QByteArray::fromHex("01000100401f0000803e000002001000");
    // 8000 Hz mono 16 bit: 16000 bytes a second.
    const QByteArray list = "LIST" + le32(3) + QByteArray("abc") + '\0';
    const QByteArray data = "data" + le32(8000) + QByteArray(8000, '\0');
    EXPECT_EQ(durationOf("RIFF" + le32(0) + "WAVE" + format + list + data), 500);
    // A data chunk that claims more than the file holds.
    const QByteArray claims = "data" + le32(0xFFFFFFF0u) + QByteArray(1600, '\0');
    EXPECT_EQ(durationOf("RIFF" + le32(0) + "WAVE" + format + claims), 100);
}

TEST(WavDuration, NoWaveFileHasNoDuration) {
    EXPECT_EQ(durationOf(QByteArray()), -1);
    EXPECT_EQ(durationOf(QByteArray("RIFF\0\0\0\0AVI ", 12)), -1);
    // Data before any format: no byte rate to measure with.
    EXPECT_EQ(durationOf("RIFF" + le32(0) + "WAVE" + "data" + le32(4) + "abcd"), -1);
    EXPECT_EQ(durationOf("RIFF" + le32(0) + "WAVE" + "fmt " + le32(4) + "abcd"), -1);
}

} // namespace
} // namespace quorvel
