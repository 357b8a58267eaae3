// SPDX-License-Identifier: GPL-3.0-or-later
#include "classfixture.h"
#include "documentio.h"
#include "exchangefiles.h"
#include "layoutset.h"
#include "mailslotwire.h"
#include "teachcommand.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

const LayoutSet& programLayouts() {
    static const LayoutSet set = buildLayoutSet();
    return set;
}

// Whether the picture has a pixel of `colour`.
bool hasColour(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

class TeachClassPicture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Document document = test::threeFieldDocument();
        documentPath = dir.filePath(QStringLiteral("seen.qvl"));
        ASSERT_TRUE(writeDocumentFile(document, documentPath, false).ok);
        options.folder = dir.path();
        options.channel = QStringLiteral("QVTCP1");
        options.method = 0;
    }

    QTemporaryDir dir;
    QString documentPath;
    TeachOptions options;
};

TEST_F(TeachClassPicture, WrittenWhenTheExerciseEnds) {
    // The class answers through message files, one batch per scan of the
    // teacher, so that every join is taken before the answers.
    std::vector<QStringList> joins, answers;
    test::answerAsAClass([&](const QStringList& lines) {
        (lines.constFirst() == QLatin1String("TN-INIT") ? joins : answers).push_back(lines);
    });
    std::vector<QStringList> ends;
    for (const char who : {'A', 'B', 'C', 'D'})
        ends.push_back(
            tnFertig(test::classId(who), NetStatus::Abgebrochen, QStringLiteral("01:00")));
    std::vector<std::vector<QStringList>> batches{joins, answers, ends};
    const ExchangeFiles files(dir.path(), options.channel);
    RandomGenerator random(3);
    std::size_t next = 0;
    QTimer feeder;
    QObject::connect(&feeder, &QTimer::timeout, &feeder, [&] {
        if (next >= batches.size() || !files.available() || !files.messageFiles().isEmpty())
            return;
        for (const QStringList& lines : batches[next])
            ASSERT_TRUE(files.writeMessageFile(QStringLiteral("u"), QStringLiteral("pc"),
                                               joinMessageLines(lines), random));
        ++next;
    });
    feeder.start(30);

    options.participants = 4;
    options.seconds = 30;
    options.classPicture = dir.filePath(QStringLiteral("klasse.png"));
    const CommandOutcome outcome = teachCommand(programLayouts(), documentPath, options);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.join(u'\n').toStdString();
    EXPECT_EQ(next, batches.size());

    const QImage picture(options.classPicture);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), 1280);
    EXPECT_TRUE(hasColour(picture, qRgb(0x2E, 0x9E, 0x3A))) << "field 1 solved at once by two";
    EXPECT_TRUE(hasColour(picture, qRgb(0xD3, 0x2F, 0x2F))) << "field 2 wrong and not solved";
}

TEST_F(TeachClassPicture, AnUnwritablePictureFailsWithTheFileWriteMessage) {
    options.seconds = 0;
    options.classPicture = dir.filePath(QStringLiteral("fehlt/klasse.png"));
    const CommandOutcome outcome = teachCommand(programLayouts(), documentPath, options);
    EXPECT_EQ(outcome.exitCode, kExitFailure);
    EXPECT_EQ(outcome.errors, QStringList{msgCannotWrite(options.classPicture)});
    EXPECT_TRUE(outcome.output.startsWith("Nr.\tRechner")) << "the grid all the same";
}

} // namespace
