// SPDX-License-Identifier: GPL-3.0-or-later
// Prints through a real CUPS: a PDF queue of its own, on a cupsd started
// here when none runs, measured in the PDF the queue wrote. Where CUPS
// cannot be had the tests say why and are skipped.
#include "printerqueue.h"
#include "processrun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace quorvel {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::ProcessRun;
using test::runProcess;

const QString kPpd = u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_s;

ProcessRun run(const QString& program, const QStringList& arguments, int timeoutMs = 30000) {
    return runProcess(program, arguments, {}, timeoutMs);
}

QString findTool(const QString& name) {
    return QStandardPaths::findExecutable(name, {u"/usr/sbin"_s, u"/usr/bin"_s, u"/sbin"_s});
}

bool schedulerRunning() {
    // lpstat -r exits with 0 either way.
    return run(findTool(u"lpstat"_s), {u"-r"_s}, 5000).output.trimmed() ==
           u"scheduler is running"_s;
}

// The cupsd, the queue and the folder the queue writes its PDF files to.
class CupsEnvironment {
public:
    // Empty when ready; otherwise why CUPS cannot be used here.
    QString setUp() {
        for (const char16_t* tool :
             {u"cupsd", u"lpadmin", u"lpstat", u"cupsreject", u"cupsaccept", u"pdftoppm"})
            if (findTool(QString::fromUtf16(tool)).isEmpty())
                return u"%1 is not installed (packages cups, printer-driver-cups-pdf, "
                       u"poppler-utils)"_s.arg(QString::fromUtf16(tool));
        if (!QFile::exists(kPpd))
            return u"the cups-pdf driver is not installed (%1 is missing)"_s.arg(kPpd);
        if (geteuid() != 0)
            return u"adding a print queue needs root"_s;
        if (!schedulerRunning()) {
            m_cupsd = std::make_unique<QProcess>();
            m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
            m_cupsd->start(findTool(u"cupsd"_s), {u"-f"_s});
            m_cupsd->waitForStarted();
            const QDeadlineTimer deadline(15000);
            while (!schedulerRunning() && !deadline.hasExpired() &&
                   m_cupsd->state() == QProcess::Running)
                QThread::msleep(200);
            if (!schedulerRunning()) {
                m_cupsd->waitForFinished(100);
                return u"cupsd could not be started: "_s +
                       QString::fromLocal8Bit(m_cupsd->readAll()).trimmed();
            }
        }
        queue = u"quorvel-test-%1"_s.arg(QCoreApplication::applicationPid());
        // cups-pdf reads cups-pdf-<name>.conf for the device cups-pdf:/<name>;
        // below its spool folder it may write whatever a profile allows.
        outFolder = u"/var/spool/cups-pdf/"_s + queue;
        configFile = u"/etc/cups/cups-pdf-%1.conf"_s.arg(queue);
        if (!QDir().mkpath(outFolder))
            return u"cannot make "_s + outFolder;
        QFile::setPermissions(outFolder, QFileDevice::Permissions(0x7777));
        QFile conf(configFile);
        if (!conf.open(QIODevice::WriteOnly))
            return u"cannot write "_s + configFile;
        conf.write(u"Out %1\nAnonDirName %1\n"_s.arg(outFolder).toUtf8());
        conf.close();
        const ProcessRun added =
            run(findTool(u"lpadmin"_s),
                {u"-p"_s, queue, u"-E"_s, u"-v"_s, u"cups-pdf:/"_s + queue, u"-P"_s, kPpd});
        if (added.exitCode != 0) {
            queue.clear();
            return u"lpadmin could not add the queue: "_s + added.output.trimmed();
        }
        return {};
    }

    void tearDown() {
        if (!queue.isEmpty())
            run(findTool(u"lpadmin"_s), {u"-x"_s, queue});
        if (!configFile.isEmpty())
            QFile::remove(configFile);
        if (!outFolder.isEmpty())
            QDir(outFolder).removeRecursively();
        if (m_cupsd) {
            m_cupsd->terminate();
            if (!m_cupsd->waitForFinished(10000))
                m_cupsd->kill();
            m_cupsd->waitForFinished();
        }
    }

    // Waits for the next PDF the queue writes once its jobs are done.
    QString nextPdf() {
        const QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired()) {
            const bool pending =
                !run(findTool(u"lpstat"_s), {u"-o"_s, queue}, 5000).output.trimmed().isEmpty();
            if (!pending) {
                const QStringList pdfs = QDir(outFolder).entryList({u"*.pdf"_s}, QDir::Files);
                for (const QString& pdf : pdfs) {
                    if (!m_seen.contains(pdf)) {
                        m_seen << pdf;
                        return QDir(outFolder).filePath(pdf);
                    }
                }
            }
            QThread::msleep(250);
        }
        return {};
    }

    QString queue;
    QString outFolder;

    QString configFile;

private:
    std::unique_ptr<QProcess> m_cupsd;
    QStringList m_seen;
};

// What a printed page shows, in 0.1 mm: the paper and where the dark
// picture lies on it.
struct Measured {
    QSize paper;
    QRect picture;
};

// pdftoppm at 254 dpi: one pixel is 0.1 mm.
std::optional<Measured> measure(const QString& pdf, const QString& folder) {
    const QString prefix = QDir(folder).filePath(u"page"_s);
    const ProcessRun rendered =
        run(findTool(u"pdftoppm"_s),
            {u"-r"_s, u"254"_s, u"-gray"_s, u"-singlefile"_s, u"-png"_s, pdf, prefix});
    if (rendered.exitCode != 0) {
        ADD_FAILURE() << "pdftoppm: " << rendered.output.toStdString();
        return std::nullopt;
    }
    const QImage page(prefix + u".png"_s);
    if (page.isNull())
        return std::nullopt;
    QRect dark;
    for (int y = 0; y < page.height(); ++y) {
        const uchar* line = page.constScanLine(y);
        const bool grey8 = page.format() == QImage::Format_Grayscale8;
        for (int x = 0; x < page.width(); ++x) {
            const int grey = grey8 ? line[x] : qGray(page.pixel(x, y));
            if (grey < 128)
                dark |= QRect(x, y, 1, 1);
        }
    }
    return Measured{page.size(), dark};
}

class CupsPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_env = new CupsEnvironment;
        s_skipReason = s_env->setUp();
    }
    static void TearDownTestSuite() {
        s_env->tearDown();
        delete s_env;
        s_env = nullptr;
    }

    void SetUp() override {
        if (!s_skipReason.isEmpty())
            GTEST_SKIP() << "no CUPS to print on: " << s_skipReason.toStdString();
        ASSERT_TRUE(folder.isValid());
        // A 2:1 picture that is dark up to its edges, as a document without margin.
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(qRgb(32, 32, 32));
        ASSERT_TRUE(picture.save(folder.filePath(u"dunkel.png"_s)));
        QFile json(folder.filePath(u"dunkel.json"_s));
        ASSERT_TRUE(json.open(QIODevice::WriteOnly));
        json.write(R"({"header": {"RandErw": [0, 0, 0, 0]}, "basisbild": {"file": "dunkel.png"}})");
        json.close();
        document = folder.filePath(u"dunkel.qvl"_s);
        const ProcessRun built =
            run(QStringLiteral(QUORVEL_TOOL), {u"build"_s, json.fileName(), document});
        ASSERT_EQ(built.exitCode, 0) << built.output.toStdString();
    }

    ProcessRun print(const QStringList& options) {
        return run(QStringLiteral(QUORVEL_TOOL), QStringList{u"print"_s, document} + options);
    }

    static CupsEnvironment* s_env;
    static QString s_skipReason;
    QTemporaryDir folder;
    QString document;
};

CupsEnvironment* CupsPrintTest::s_env = nullptr;
QString CupsPrintTest::s_skipReason;

TEST_F(CupsPrintTest, ThePictureLandsWhereTheFieldsSayFromThePaperEdge) {
    const struct {
        const char* what;
        QStringList options;
        QRect expected; // 0.1 mm from the paper's corner
    } cases[] = {
        // The dialog's start values: 17,0 cm wide, the height by the ratio 2:1.
        {"defaults", {}, {200, 200, 1700, 850}},
        {"margins and size",
         {u"--left"_s, u"3,5"_s, u"--top"_s, u"5"_s, u"--width"_s, u"10.0"_s, u"--height"_s, u"3"_s,
          u"--no-ratio"_s},
         {350, 500, 1000, 300}},
        {"height by the ratio",
         {u"--left"_s, u"1"_s, u"--width"_s, u"16,0"_s},
         {100, 200, 1600, 800}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProcessRun printed = print(QStringList{u"--printer"_s, s_env->queue} + c.options);
        ASSERT_EQ(printed.exitCode, 0) << printed.output.toStdString();
        const QString pdf = s_env->nextPdf();
        ASSERT_FALSE(pdf.isEmpty())
            << "the queue wrote no PDF into " << s_env->outFolder.toStdString();
        const std::optional<Measured> page = measure(pdf, folder.path());
        ASSERT_TRUE(page);
        std::cout << "[ measured ] " << c.what << ": paper " << page->paper.width() << " x "
                  << page->paper.height() << ", picture at " << page->picture.x() << ", "
                  << page->picture.y() << " size " << page->picture.width() << " x "
                  << page->picture.height() << " (0.1 mm)" << std::endl;
        // A4, whole points as the PDF states it.
        EXPECT_NEAR(page->paper.width(), 2100, 2);
        EXPECT_NEAR(page->paper.height(), 2970, 2);
        // The rasteriser may take in one more pixel at an edge the picture
        // only touches: 0.1 mm.
        EXPECT_NEAR(page->picture.left(), c.expected.left(), 1);
        EXPECT_NEAR(page->picture.top(), c.expected.top(), 1);
        EXPECT_NEAR(page->picture.right(), c.expected.right(), 1);
        EXPECT_NEAR(page->picture.bottom(), c.expected.bottom(), 1);
    }
}

TEST_F(CupsPrintTest, QueuesAreNamedWithTheirPortAndRefusalsReported) {
    EXPECT_EQ(queueInfoLine(s_env->queue), s_env->queue + u" an cups-pdf:/"_s + s_env->queue);
    EXPECT_EQ(queueInfoLine(u"quorvel-gibt-es-nicht"_s), u"- Kein Drucker -"_s);

    const ProcessRun unknown = print({u"--printer"_s, u"quorvel-gibt-es-nicht"_s});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(
        unknown.output.contains(u"Der Drucker \"quorvel-gibt-es-nicht\" ist nicht eingerichtet."_s))
        << unknown.output.toStdString();

    // A queue that takes no jobs: the refusal is reported, not a success.
    ASSERT_EQ(run(findTool(u"cupsreject"_s), {s_env->queue}).exitCode, 0);
    const ProcessRun refused = print({u"--printer"_s, s_env->queue});
    run(findTool(u"cupsaccept"_s), {s_env->queue});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.output.contains(u"Der Drucker hat den Druckauftrag nicht angenommen: "_s))
        << refused.output.toStdString();
}

} // namespace
} // namespace quorvel
