// SPDX-License-Identifier: GPL-3.0-or-later
#include "layoutcommand.h"

#include "cardplacement.h"
#include "document.h"
#include "documentio.h"
#include "documentjson.h"
#include "numbering.h"
#include "randomgenerator.h"
#include "viewcomposer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quorvel {

namespace {

// The numbering `render` uses unless told otherwise: ordered.
constexpr int kOrderedNumbering = 1;

QJsonValue cardToJson(const ObjDataTyp& object, QSize page) {
    const QRect card = rememberedCard(object, page);
    if (card.isEmpty())
        return QJsonValue::Null;
    return QJsonArray{card.left(), card.top(), card.left() + card.width(),
                      card.top() + card.height()};
}

} // namespace

CommandOutcome layoutCommand(const ViewLayouts& layouts, const QString& documentPath,
                             const LayoutOptions& options) {
    Document document;
    CommandOutcome failed;
    if (!readCommandDocument(layouts, documentPath, document, failed))
        return failed;
    if (options.build)
        layouts.generate(document);

    RandomGenerator random;
    coverAndNumber(document, kOrderedNumbering, random);
    ViewComposer composer(document, layouts);
    if (options.question)
        composer.state().currentQuestion = *options.question;
    composer.setViewArea(options.size);
    composer.rebuild();
    if (composer.outOfMemory())
        return {kExitFailure, {}, {msgViewOutOfMemory()}};

    const QSize page = composer.page().size();
    QJsonArray objects;
    for (size_t i = 0; i < document.objects.size(); ++i) {
        const ObjDataTyp& object = document.objects[i];
        QJsonObject json = objectToJson(object);
        json.insert(QStringLiteral("index"), int(i));
        json.insert(QStringLiteral("widthLimit"), object.WidthLimit);
        json.insert(QStringLiteral("heightLimit"), object.HeightLimit);
        json.insert(QStringLiteral("Partner"), object.Partner);
        json.insert(QStringLiteral("KartRect"), cardToJson(object, page));
        objects.append(json);
    }
    QJsonObject result;
    result.insert(QStringLiteral("page"), QJsonArray{page.width(), page.height()});
    result.insert(QStringLiteral("clozeFontSize"), document.clozeFontSize > 0
                                                       ? QJsonValue(document.clozeFontSize)
                                                       : QJsonValue(QJsonValue::Null));
    result.insert(QStringLiteral("AnzFrageNummern"), document.header.AnzFrageNummern);
    result.insert(QStringLiteral("currentQuestion"), composer.state().currentQuestion);
    result.insert(QStringLiteral("objects"), objects);
    return {kExitOk, QJsonDocument(result).toJson(QJsonDocument::Indented), {}};
}

} // namespace quorvel
