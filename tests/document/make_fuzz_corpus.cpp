// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the fuzz targets: the test fixtures' kinds of
// documents, small so that the fuzzer mutates them quickly; with --hostile
// also the documents that once froze the learning view, at a small scale
// (the learning view's fuzz target) or at the given one (1 = full size, for
// trying them in the program).
#include "docbuilder.h"
#include "hostiledocuments.h"
#include "passwordscramble.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {

bool save(const QDir& dir, const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromUtf8(name)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    const bool hostile = (argc == 3 || argc == 4) && qstrcmp(argv[2], "--hostile") == 0;
    const double scale = argc == 4 ? std::atof(argv[3]) : 0.02;
    if ((argc != 2 && !hostile) || !(scale > 0.0 && scale <= 1.0)) {
        std::fprintf(stderr, "usage: make_fuzz_corpus DIR [--hostile [SCALE]]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));

    DocBuilder labels;
    labels.basePicture = testPicture(4, 3);
    TestObject point;
    point.Typ = 2;
    point.capStored = "Info,\"mit Text\"";
    TestObject picture;
    picture.Typ = 6;
    picture.Bild = testPicture(2, 2, true);
    labels.objects = {TestObject(), point, picture};
    labels.passwordStored = quorvel::scramblePassword("pw");
    labels.logo = testPicture(2, 2);

    DocBuilder legacy = labels;
    legacy.magic = QStringLiteral("BXL-1.01");
    legacy.keys = DocBuilder::allKeys().mid(0, 33);

    DocBuilder table;
    table.DokTyp = 1;
    table.DokUnterTyp = 1;
    table.rows = 1;
    table.columns = 2;
    table.cells = {TestCell(QStringLiteral("a"), 2, testPicture(2, 2)),
                   TestCell(QStringLiteral("b"))};
    table.basePicture = testPicture(2, 2);

    DocBuilder cluster = table;
    cluster.DokTyp = 4;
    cluster.DokUnterTyp = 0;
    cluster.spaltenHtgd = {{1, 2}, {3, 4}};

    DocBuilder crossword;
    crossword.DokTyp = 6;
    crossword.magic = QStringLiteral("QVL-2.20");
    crossword.crosswordSettings = {1, 2, 3, 4, 5};
    crossword.grid[0] = QStringLiteral("#W1");
    crossword.basePicture = testPicture(2, 2);

    DocBuilder questions;
    questions.DokTyp = 3;
    TestObject q;
    q.Typ = 21;
    q.Untertyp = 1;
    q.AntwortAnz = 1;
    q.Bild = testPicture(2, 2);
    q.BildAntw = {testPicture(1, 1)};
    questions.objects = {q};
    questions.basePicture = testPicture(2, 2);

    bool ok = true;
    if (hostile) {
        for (const HostileDocument& doc : hostileDocuments(scale))
            ok = ok && save(dir, (QByteArray(doc.name) + ".qvl").constData(), doc.bytes);
        ok = ok && save(dir, "ordinary.qvl", ordinaryLabellingDocument());
    }
    ok = ok && save(dir, "labels.qvl", labels.build()) && save(dir, "legacy.qvl", legacy.build()) &&
         save(dir, "table.qvl", table.build()) && save(dir, "cluster.qvl", cluster.build()) &&
         save(dir, "crossword.qvl", crossword.build()) &&
         save(dir, "questions.qvl", questions.build());
    return ok ? 0 : 1;
}
