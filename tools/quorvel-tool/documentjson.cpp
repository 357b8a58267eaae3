// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentjson.h"

#include "jsonreader.h"
#include "picturejson.h"

#include <QColor>
#include <QJsonArray>
#include <algorithm>
#include <limits>
#include <variant>

namespace quorvel {

namespace {

// One scalar field of a record with its JSON key. Dump and build walk the same
// tables, so the two directions cannot drift apart.
template <class Record> struct Field {
    const char* name;
    std::variant<int Record::*, ColourValue Record::*, double Record::*, QString Record::*> member;
};

const Field<HeaderDataTyp> kHeaderFields[] = {
    {"vers", &HeaderDataTyp::vers},
    {"titel", &HeaderDataTyp::titel},
    {"autor", &HeaderDataTyp::autor},
    {"bemerkung", &HeaderDataTyp::bemerkung},
    {"lueckentext", &HeaderDataTyp::lueckentext},
    {"fragentext", &HeaderDataTyp::fragentext},
    {"AnzFrageNummern", &HeaderDataTyp::AnzFrageNummern},
    {"DokTyp", &HeaderDataTyp::DokTyp},
    {"DokUnterTyp", &HeaderDataTyp::DokUnterTyp},
    {"NumArt", &HeaderDataTyp::NumArt},
    {"GeordnetArt", &HeaderDataTyp::GeordnetArt},
    {"HtgdCol", &HeaderDataTyp::HtgdCol},
    {"BasisbildDeck", &HeaderDataTyp::BasisbildDeck},
    {"MinLuecke", &HeaderDataTyp::MinLuecke},
    {"LueckenTabelleZeilen", &HeaderDataTyp::LueckenTabelleZeilen},
    {"LueckenTabelleSpalten", &HeaderDataTyp::LueckenTabelleSpalten},
    {"LueckenTabelleLinie", &HeaderDataTyp::LueckenTabelleLinie},
    {"LueckenTabelleLinieCol", &HeaderDataTyp::LueckenTabelleLinieCol},
    {"BilderPasswort", &HeaderDataTyp::BilderPasswort},
    {"Schriftart", &HeaderDataTyp::Schriftart},
    {"Arbeitsblatt", &HeaderDataTyp::Arbeitsblatt},
    {"ABAufgabe", &HeaderDataTyp::ABAufgabe},
    {"TextCol", &HeaderDataTyp::TextCol},
    {"FragBtnHtgdCol", &HeaderDataTyp::FragBtnHtgdCol},
    {"FragBtnTextCol", &HeaderDataTyp::FragBtnTextCol},
    {"LueckentextCol", &HeaderDataTyp::LueckentextCol},
    {"Zielpunktgroesse", &HeaderDataTyp::Zielpunktgroesse},
};

const Field<lueckentabellearrtyp> kCellFields[] = {
    {"Text", &lueckentabellearrtyp::Text},
    {"Art", &lueckentabellearrtyp::Art},
    {"BildKenn", &lueckentabellearrtyp::BildKenn},
    {"BildLink", &lueckentabellearrtyp::BildLink},
    {"Fsize", &lueckentabellearrtyp::Fsize},
    {"BildkarteAnpassen", &lueckentabellearrtyp::BildkarteAnpassen},
    {"BildLinkInUebung", &lueckentabellearrtyp::BildLinkInUebung},
};

const Field<CrosswordData> kCrosswordFields[] = {
    {"KGFeldHtgdCol", &CrosswordData::KGFeldHtgdCol},
    {"KGFeldRandCol", &CrosswordData::KGFeldRandCol},
    {"KGWortAnkerCol", &CrosswordData::KGWortAnkerCol},
    {"KGFeldschriftCol", &CrosswordData::KGFeldschriftCol},
    {"KGBeschreibungCol", &CrosswordData::KGBeschreibungCol},
    {"KGBeschreibungTitelCol", &CrosswordData::KGBeschreibungTitelCol},
};

const Field<LogoData> kLogoFields[] = {
    {"size", &LogoData::size},
    {"alignment", &LogoData::alignment},
    {"footer", &LogoData::footer},
    {"footerAlignment", &LogoData::footerAlignment},
};

const Field<ObjDataTyp> kObjectFields[] = {
    {"Sx", &ObjDataTyp::Sx},
    {"Sy", &ObjDataTyp::Sy},
    {"Kx", &ObjDataTyp::Kx},
    {"Ky", &ObjDataTyp::Ky},
    {"Cap", &ObjDataTyp::Cap},
    {"KAusr", &ObjDataTyp::KAusr},
    {"TAusr", &ObjDataTyp::TAusr},
    {"Ebene", &ObjDataTyp::Ebene},
    {"Typ", &ObjDataTyp::Typ},
    {"Sline", &ObjDataTyp::Sline},
    {"Fsize", &ObjDataTyp::Fsize},
    {"KAusrAkt", &ObjDataTyp::KAusrAkt},
    {"FrageNummer", &ObjDataTyp::FrageNummer},
    {"Stil", &ObjDataTyp::Stil},
    {"Farbe", &ObjDataTyp::Farbe},
    {"LinieFarbe", &ObjDataTyp::LinieFarbe},
    {"LinieDicke", &ObjDataTyp::LinieDicke},
    {"Untertyp", &ObjDataTyp::Untertyp},
    {"AntwortAnz", &ObjDataTyp::AntwortAnz},
    {"ZIndex", &ObjDataTyp::ZIndex},
    {"HFarbe", &ObjDataTyp::HFarbe},
    {"HDeck", &ObjDataTyp::HDeck},
    {"PktCap", &ObjDataTyp::PktCap},
    {"PktCap2", &ObjDataTyp::PktCap2},
    {"BildKenn", &ObjDataTyp::BildKenn},
    {"BildDeck", &ObjDataTyp::BildDeck},
    {"BildkarteAnpassen", &ObjDataTyp::BildkarteAnpassen},
    {"PunktInUebung", &ObjDataTyp::PunktInUebung},
};

QJsonValue scalarToJson(int value) {
    return value;
}
// Colours are unsigned: a system colour has the high bit set.
QJsonValue scalarToJson(ColourValue value) {
    return static_cast<qint64>(value);
}
QJsonValue scalarToJson(double value) {
    return value;
}
QJsonValue scalarToJson(const QString& value) {
    return value;
}

template <class Record, size_t N>
void putFields(QJsonObject& json, const Record& record, const Field<Record> (&fields)[N]) {
    for (const Field<Record>& field : fields) {
        std::visit(
            [&](auto member) {
                json.insert(QLatin1StringView(field.name), scalarToJson(record.*member));
            },
            field.member);
    }
}

template <class Record, size_t N>
void readFields(JsonObjectReader& reader, Record& record, const Field<Record> (&fields)[N]) {
    for (const Field<Record>& field : fields)
        std::visit([&](auto member) { reader.read(field.name, record.*member); }, field.member);
}

QString indexed(const QString& path, qsizetype index) {
    return path + QStringLiteral("[%1]").arg(index);
}

// The gap-table rows and columns a document uses; the counts may come from
// a hostile file.
int usedRows(const HeaderDataTyp& header) {
    return std::clamp(header.LueckenTabelleZeilen, 0, kGapTableMaxRows);
}

int usedColumns(const HeaderDataTyp& header) {
    return std::clamp(header.LueckenTabelleSpalten, 0, kGapTableMaxColumns);
}

int usedAnswerPictures(const ObjDataTyp& object) {
    return std::clamp(object.AntwortAnz, 0, kMaxAnswerPictures);
}

// --- document to JSON ------------------------------------------------------

QJsonArray rectToJson(const PageRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

QJsonArray stringsToJson(const QString* begin, const QString* end) {
    QJsonArray array;
    for (const QString* s = begin; s != end; ++s)
        array.append(*s);
    return array;
}

QJsonObject headerToJson(const HeaderDataTyp& header, const PictureExport& pictures) {
    QJsonObject json;
    putFields(json, header, kHeaderFields);
    json.insert(QStringLiteral("RandErw"), rectToJson(header.RandErw));
    json.insert(QStringLiteral("EinrueckRand"), rectToJson(header.EinrueckRand));

    QJsonArray rows;
    for (int r = 0; r < usedRows(header); ++r) {
        QJsonArray cells;
        for (int c = 0; c < usedColumns(header); ++c) {
            const lueckentabellearrtyp& cell = header.LueckenTabelle[r][c];
            QJsonObject cellJson;
            putFields(cellJson, cell, kCellFields);
            cellJson.insert(
                QStringLiteral("Bild"),
                pictures.toJson(cell.Bild, QStringLiteral("cell-r%1-c%2").arg(r).arg(c)));
            cells.append(cellJson);
        }
        rows.append(cells);
    }
    json.insert(QStringLiteral("LueckenTabelle"), rows);

    QJsonArray backgrounds;
    for (const ColumnBackground& background : header.LueckentabelleSpaltenHtgd)
        backgrounds.append(QJsonArray{scalarToJson(background.colour), background.opacity});
    json.insert(QStringLiteral("LueckentabelleSpaltenHtgd"), backgrounds);
    return json;
}

QJsonObject crosswordToJson(const CrosswordData& crossword) {
    QJsonObject json;
    QJsonArray grid;
    for (int x = 0; x < kCrosswordSide; ++x) {
        const QString* column = &crossword.cell(x, 0);
        grid.append(stringsToJson(column, column + kCrosswordSide));
    }
    json.insert(QStringLiteral("grid"), grid);
    json.insert(
        QStringLiteral("across"),
        stringsToJson(crossword.across.data(), crossword.across.data() + crossword.across.size()));
    json.insert(
        QStringLiteral("down"),
        stringsToJson(crossword.down.data(), crossword.down.data() + crossword.down.size()));
    putFields(json, crossword, kCrosswordFields);
    return json;
}

QJsonObject logoToJson(const LogoData& logo, const PictureExport& pictures) {
    QJsonObject json;
    putFields(json, logo, kLogoFields);
    json.insert(QStringLiteral("picture"), pictures.toJson(logo.picture, QStringLiteral("logo")));
    return json;
}

QJsonObject objectToJson(const ObjDataTyp& object, int index, const PictureExport& pictures) {
    QJsonObject json;
    putFields(json, object, kObjectFields);
    const QString prefix = QStringLiteral("obj%1-").arg(index);
    json.insert(QStringLiteral("Bild"),
                pictures.toJson(object.Bild, prefix + QStringLiteral("bild")));
    QJsonArray answers;
    for (int k = 0; k < usedAnswerPictures(object); ++k)
        answers.append(
            pictures.toJson(object.BildAntw[k], prefix + QStringLiteral("antw%1").arg(k)));
    json.insert(QStringLiteral("BildAntw"), answers);
    QJsonArray infoLink;
    for (qint32 value : object.MCInfoLinkData)
        infoLink.append(value);
    json.insert(QStringLiteral("MCInfoLinkData"), infoLink);
    return json;
}

// --- JSON to document ------------------------------------------------------

PageRect rectFromJson(const QJsonValue& value, const QString& path) {
    const QJsonArray array = jsonToArray(value, path, 4, true);
    return {jsonToReal(array[0], indexed(path, 0)), jsonToReal(array[1], indexed(path, 1)),
            jsonToReal(array[2], indexed(path, 2)), jsonToReal(array[3], indexed(path, 3))};
}

template <size_t N>
void stringsFromJson(const QJsonValue& value, const QString& path, std::array<QString, N>& target,
                     size_t offset = 0, qsizetype count = N) {
    const QJsonArray array = jsonToArray(value, path, count);
    for (qsizetype i = 0; i < array.size(); ++i)
        target[offset + static_cast<size_t>(i)] = jsonToString(array[i], indexed(path, i));
}

void checkRange(int value, int low, int high, const QString& path) {
    if (value < low || value > high)
        throwJsonError(path,
                       QStringLiteral("%1 is outside %2 to %3").arg(value).arg(low).arg(high));
}

void cellFromJson(const QJsonValue& value, const QString& path, PictureFiles& files,
                  lueckentabellearrtyp& cell) {
    JsonObjectReader reader(jsonToObject(value, path), path);
    readFields(reader, cell, kCellFields);
    cell.Bild = pictureFromJson(reader.take("Bild"), reader.pathOf("Bild"), files).image;
    reader.finish();
}

void headerFromJson(const QJsonValue& value, PictureFiles& files, HeaderDataTyp& header) {
    JsonObjectReader reader(jsonToObject(value, QStringLiteral("header")),
                            QStringLiteral("header"));
    readFields(reader, header, kHeaderFields);
    checkRange(header.LueckenTabelleZeilen, 0, kGapTableMaxRows,
               reader.pathOf("LueckenTabelleZeilen"));
    checkRange(header.LueckenTabelleSpalten, 0, kGapTableMaxColumns,
               reader.pathOf("LueckenTabelleSpalten"));

    if (const QJsonValue margin = reader.take("RandErw"); !margin.isUndefined())
        header.RandErw = rectFromJson(margin, reader.pathOf("RandErw"));
    // As in a file without the indent: the default of the document type.
    if (const QJsonValue margin = reader.take("EinrueckRand"); !margin.isUndefined())
        header.EinrueckRand = rectFromJson(margin, reader.pathOf("EinrueckRand"));
    else
        header.EinrueckRand = defaultEinrueckRand(dokTypOf(header));

    if (const QJsonValue table = reader.take("LueckenTabelle"); !table.isUndefined()) {
        const QString tablePath = reader.pathOf("LueckenTabelle");
        const QJsonArray rows = jsonToArray(table, tablePath, kGapTableMaxRows);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const QString rowPath = indexed(tablePath, r);
            const QJsonArray cells = jsonToArray(rows[r], rowPath, kGapTableMaxColumns);
            for (qsizetype c = 0; c < cells.size(); ++c)
                cellFromJson(cells[c], indexed(rowPath, c), files, header.LueckenTabelle[r][c]);
        }
    }

    if (const QJsonValue columns = reader.take("LueckentabelleSpaltenHtgd");
        !columns.isUndefined()) {
        const QString columnsPath = reader.pathOf("LueckentabelleSpaltenHtgd");
        const QJsonArray pairs = jsonToArray(columns, columnsPath, kGapTableMaxColumns);
        for (qsizetype c = 0; c < pairs.size(); ++c) {
            const QString pairPath = indexed(columnsPath, c);
            const QJsonArray pair = jsonToArray(pairs[c], pairPath, 2, true);
            header.LueckentabelleSpaltenHtgd[c] = {jsonToColour(pair[0], indexed(pairPath, 0)),
                                                   jsonToInt(pair[1], indexed(pairPath, 1))};
        }
    }
    reader.finish();
}

void crosswordFromJson(const QJsonValue& value, CrosswordData& crossword) {
    JsonObjectReader reader(jsonToObject(value, QStringLiteral("crossword")),
                            QStringLiteral("crossword"));
    if (const QJsonValue grid = reader.take("grid"); !grid.isUndefined()) {
        const QString gridPath = reader.pathOf("grid");
        const QJsonArray columns = jsonToArray(grid, gridPath, kCrosswordSide);
        for (qsizetype x = 0; x < columns.size(); ++x) {
            stringsFromJson(columns[x], indexed(gridPath, x), crossword.grid,
                            static_cast<size_t>(kCrosswordSide * x), kCrosswordSide);
        }
    }
    if (const QJsonValue across = reader.take("across"); !across.isUndefined())
        stringsFromJson(across, reader.pathOf("across"), crossword.across);
    if (const QJsonValue down = reader.take("down"); !down.isUndefined())
        stringsFromJson(down, reader.pathOf("down"), crossword.down);
    readFields(reader, crossword, kCrosswordFields);
    reader.finish();
}

void logoFromJson(const QJsonValue& value, PictureFiles& files, LogoData& logo) {
    JsonObjectReader reader(jsonToObject(value, QStringLiteral("logo")), QStringLiteral("logo"));
    readFields(reader, logo, kLogoFields);
    logo.picture = pictureFromJson(reader.take("picture"), reader.pathOf("picture"), files).image;
    reader.finish();
}

// What a file reader gives a point whose file lacks the point fields: its
// default title, white text on the point colour, an opaque background.
void applyPointDefaults(ObjDataTyp& object) {
    const TypProperties typ = typProperties(typOf(object));
    if (!typ.has(TypFlag::Point))
        return;
    object.PktCap = QString::fromUtf16(typ.pointTitle);
    object.HFarbe = typ.pointColour;
    object.Farbe = 0xFFFFFF;
    object.HDeck = 100;
}

ObjDataTyp objectFromJson(const QJsonValue& value, const QString& path, PictureFiles& files) {
    JsonObjectReader reader(jsonToObject(value, path), path);
    ObjDataTyp object;
    reader.read("Typ", object.Typ);
    applyPointDefaults(object);
    readFields(reader, object, kObjectFields);
    checkRange(object.AntwortAnz, 0, kMaxAnswerPictures, reader.pathOf("AntwortAnz"));

    object.Bild = pictureFromJson(reader.take("Bild"), reader.pathOf("Bild"), files).image;
    if (const QJsonValue answers = reader.take("BildAntw"); !answers.isUndefined()) {
        const QString answersPath = reader.pathOf("BildAntw");
        const QJsonArray array = jsonToArray(answers, answersPath, kMaxAnswerPictures);
        for (qsizetype k = 0; k < array.size(); ++k)
            object.BildAntw[k] = pictureFromJson(array[k], indexed(answersPath, k), files).image;
    }
    if (const QJsonValue infoLink = reader.take("MCInfoLinkData"); !infoLink.isUndefined()) {
        const QString infoLinkPath = reader.pathOf("MCInfoLinkData");
        const QJsonArray array = jsonToArray(infoLink, infoLinkPath, kMCInfoLinkDataCount, true);
        for (qsizetype i = 0; i < array.size(); ++i)
            object.MCInfoLinkData[i] = jsonToInt(array[i], indexed(infoLinkPath, i));
    }
    reader.finish();
    return object;
}

QImage basePictureFromJson(const QJsonValue& value, PictureFiles& files) {
    JsonPicture picture;
    if (!value.isUndefined())
        picture = pictureFromJson(value, QStringLiteral("basisbild"), files);
    if (!picture.image.isNull())
        return picture.image;
    // A document always has a base picture; without one a blank page stands in.
    const QSize size = picture.declaredSize.isValid()
                           ? picture.declaredSize
                           : QSize(kDefaultBasePictureWidth, kDefaultBasePictureHeight);
    QImage blank(size, QImage::Format_ARGB32);
    files.count(blank, QStringLiteral("basisbild"));
    blank.fill(QColor(Qt::white));
    return blank;
}

} // namespace

QJsonObject objectToJson(const ObjDataTyp& object) {
    return objectToJson(object, 0, PictureExport());
}

bool documentToJson(const Document& document, const DumpOptions& options, QJsonObject& json,
                    QString* error) {
    try {
        const PictureExport pictures(options.picturesDir);
        QJsonObject result;
        result.insert(QStringLiteral("format"), options.format);
        result.insert(QStringLiteral("header"), headerToJson(document.header, pictures));
        result.insert(QStringLiteral("crossword"), crosswordToJson(document.header.crossword));
        result.insert(QStringLiteral("logo"), logoToJson(document.header.logo, pictures));
        QJsonArray objects;
        for (size_t i = 0; i < document.objects.size(); ++i)
            objects.append(objectToJson(document.objects[i], static_cast<int>(i), pictures));
        result.insert(QStringLiteral("objects"), objects);
        result.insert(QStringLiteral("basisbild"),
                      pictures.toJson(document.basePicture, QStringLiteral("basisbild")));
        json = result;
        return true;
    } catch (const JsonMappingError& failure) {
        if (error)
            *error = failure.message;
        return false;
    }
}

bool documentFromJson(const QJsonObject& json, const QString& baseDir, Document& document,
                      QString* error) {
    try {
        PictureFiles files(baseDir);
        JsonObjectReader reader(json, {});
        // The writer always writes the current format; the key is only checked.
        QString format;
        reader.read("format", format);
        if (const QJsonValue header = reader.take("header"); !header.isUndefined())
            headerFromJson(header, files, document.header);
        if (const QJsonValue crossword = reader.take("crossword"); !crossword.isUndefined())
            crosswordFromJson(crossword, document.header.crossword);
        if (const QJsonValue logo = reader.take("logo"); !logo.isUndefined())
            logoFromJson(logo, files, document.header.logo);
        if (const QJsonValue objects = reader.take("objects"); !objects.isUndefined()) {
            const QJsonArray array =
                jsonToArray(objects, QStringLiteral("objects"), std::numeric_limits<int>::max());
            document.objects.reserve(static_cast<size_t>(array.size()));
            for (qsizetype i = 0; i < array.size(); ++i) {
                document.objects.push_back(
                    objectFromJson(array[i], indexed(QStringLiteral("objects"), i), files));
                document.widenZRange(document.objects.back().ZIndex);
            }
        }
        document.basePicture = basePictureFromJson(reader.take("basisbild"), files);
        reader.finish();
        return true;
    } catch (const JsonMappingError& failure) {
        if (error)
            *error = failure.message;
        return false;
    }
}

} // namespace quorvel
