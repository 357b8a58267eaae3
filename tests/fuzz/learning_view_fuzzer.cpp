// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a document and composes and draws its learning
// view at 640 x 480, covered and uncovered, in the numbering mode and zoom
// that the input's last byte picks. Hangs and huge allocations are findings
// as much as crashes: run with -timeout and -rss_limit_mb.
#include "documentio.h"
#include "fuzzsetup.h"
#include "layoutset.h"
#include "numbering.h"
#include "randomgenerator.h"
#include "viewcomposer.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>
#include <memory>

using quorvel::fuzz::FuzzFonts;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    quorvel::fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFonts fonts;
    static const quorvel::LayoutSet layouts = quorvel::buildLayoutSet();
    if (size == 0)
        return 0;
    // The last byte picks how to show the document and is read as part of it
    // as well, so that plain document files serve as seeds.
    const uint8_t choice = data[size - 1];
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    auto document = std::make_unique<quorvel::Document>();
    quorvel::ReadOptions options{layouts};
    options.fonts = &fonts;
    if (!quorvel::readDocumentStream(buffer, *document, options).ok)
        return 0;

    quorvel::RandomGenerator random(choice);
    quorvel::coverAndNumber(*document, choice % 3, random);
    quorvel::ViewComposer composer(*document, layouts);
    composer.setViewArea(QSize(640, 480));
    composer.state().zoomLevel = (choice / 3) % 5;
    composer.rebuild();
    for (quorvel::ObjDataTyp& o : document->objects)
        o.AbfrageStatus = quorvel::AbfrageStatus::Uncovered;
    composer.redrawObjects();
    return 0;
}
