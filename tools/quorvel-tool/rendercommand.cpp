// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendercommand.h"

#include "document.h"
#include "documentio.h"
#include "numbering.h"
#include "picturefile.h"
#include "randomgenerator.h"
#include "viewcomposer.h"

#include <QRegularExpression>

namespace quorvel {

namespace {

// The largest view area the tool composes: twice a large screen each way.
constexpr int kMaxSide = 8192;

} // namespace

std::optional<QSize> parseRenderSize(const QString& value, QString& error) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(value);
    if (match.hasMatch()) {
        const int w = match.captured(1).toInt();
        const int h = match.captured(2).toInt();
        if (w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide)
            return QSize(w, h);
    }
    error = QStringLiteral("--size expects WxH with sides from 1 to %1, got \"%2\"")
                .arg(kMaxSide)
                .arg(value);
    return std::nullopt;
}

std::optional<int> parseRenderInt(const QString& value, int min, int max, const QString& option,
                                  QString& error) {
    bool ok = false;
    const int figure = value.toInt(&ok);
    if (ok && figure >= min && figure <= max)
        return figure;
    error = QStringLiteral("%1 expects a number from %2 to %3, got \"%4\"")
                .arg(option)
                .arg(min)
                .arg(max)
                .arg(value);
    return std::nullopt;
}

std::optional<std::array<bool, 4>> parseRenderLayers(const QString& value, QString& error) {
    std::array<bool, 4> layers{false, false, false, false};
    if (value.trimmed().isEmpty())
        return layers;
    for (const QString& part : value.split(u',')) {
        bool ok = false;
        const int layer = part.trimmed().toInt(&ok);
        if (!ok || layer < 0 || layer > 3) {
            error = QStringLiteral("--layers expects layer numbers 0 to 3 separated by commas, "
                                   "got \"%1\"")
                        .arg(value);
            return std::nullopt;
        }
        layers[size_t(layer)] = true;
    }
    return layers;
}

bool composeCommandView(const ViewLayouts& layouts, const QString& documentPath,
                        const RenderOptions& options, QImage& view, CommandOutcome& failed) {
    Document document;
    if (!readCommandDocument(layouts, documentPath, document, failed))
        return false;

    RandomGenerator random;
    coverAndNumber(document, options.numbering, random);
    if (options.uncover) {
        for (ObjDataTyp& object : document.objects)
            object.AbfrageStatus = AbfrageStatus::Uncovered;
    }

    ViewComposer composer(document, layouts);
    composer.state().zoomLevel = options.zoomLevel;
    composer.state().layers = options.layers;
    if (options.question)
        composer.state().currentQuestion = *options.question;
    composer.setViewArea(options.size);
    composer.rebuild();
    if (composer.outOfMemory()) {
        failed = {kExitFailure, {}, {msgViewOutOfMemory()}};
        return false;
    }
    view = composer.view();
    return true;
}

CommandOutcome renderCommand(const ViewLayouts& layouts, const QString& documentPath,
                             const QString& outputPath, const RenderOptions& options) {
    QImage view;
    CommandOutcome failed;
    if (!composeCommandView(layouts, documentPath, options, view, failed))
        return failed;
    // A rendering is looked at, not kept: written quickly, it no longer costs
    // more than reading the document's own pictures.
    const IoResult saved = savePictureFile(view, outputPath, kQuickPngLevel);
    if (!saved.ok)
        return {kExitFailure, {}, saved.messages};
    return {};
}

} // namespace quorvel
