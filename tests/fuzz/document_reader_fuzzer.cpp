// Feeds arbitrary bytes to the document reader and the header-only reader.
#include "documentio.h"
#include "fontcatalog.h"
#include "layoutset.h"

#include <QBuffer>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

namespace {

// Fonts without a font database: the reader's font checks stay deterministic.
class FuzzFonts final : public quorvel::FontCatalog {
public:
    bool isInstalled(const QString& family) const override {
        return family == QStringLiteral("Arial");
    }
    double widthOfXAt1000(const QString& family) const override { return 600.0 + family.size(); }
};

} // namespace

// The layouts that run after reading measure their texts, which takes a GUI
// application's font database.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static QGuiApplication app(*argc, *argv);
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
