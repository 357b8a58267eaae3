// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the document reader and the header-only reader.
#include "documentio.h"
#include "fuzzsetup.h"
#include "layoutset.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

using quorvel::fuzz::FuzzFonts;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    quorvel::fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFonts fonts;
    // The program's layouts, so that what they make of hostile documents is
    // fuzzed along with the reader.
    static const quorvel::LayoutSet layouts = quorvel::buildLayoutSet();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        quorvel::Document document;
        quorvel::ReadOptions options{layouts};
        options.fonts = &fonts;
        quorvel::readDocumentStream(buffer, document, options);
    }
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        quorvel::DocumentSummary header;
        quorvel::readDocumentHeader(buffer, header);
    }
    return 0;
}
