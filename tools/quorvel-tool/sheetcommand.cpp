// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetcommand.h"

#include "picturefile.h"
#include "rendercommand.h"

#include <QRegularExpression>
#include <QStringList>
#include <limits>

namespace quorvel {

namespace {

// An integer of any size: huge values saturate so that clamping, not the
// parser, decides what an absurd count becomes.
std::optional<qint64> parseWhole(const QString& value) {
    static const QRegularExpression pattern(QStringLiteral("^[+-]?\\d+$"));
    const QString trimmed = value.trimmed();
    if (!pattern.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 number = trimmed.toLongLong(&ok);
    if (ok)
        return number;
    return trimmed.startsWith(u'-') ? std::numeric_limits<qint64>::min()
                                    : std::numeric_limits<qint64>::max();
}

std::optional<QRgb> parseColour(const QString& value) {
    static const QRegularExpression pattern(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
    if (!pattern.match(value).hasMatch())
        return std::nullopt;
    return 0xFF000000u | value.right(6).toUInt(nullptr, 16);
}

int clampTo(qint64 value, int min, int max) {
    return int(std::clamp<qint64>(value, min, max));
}

} // namespace

std::optional<SheetOptions> parseSheetArguments(const SheetArguments& arguments, QString& error) {
    SheetOptions options;
    const std::optional<SheetKind> kind = sheetKindFromName(arguments.kind);
    if (!kind) {
        error = QStringLiteral("unknown sheet kind \"%1\" (blank, ruled, squared, staves, "
                               "lineature1 ... lineature4, table)")
                    .arg(arguments.kind);
        return std::nullopt;
    }
    options.spec.kind = *kind;
    const std::vector<int> counts = menuCounts(*kind);
    options.spec.count = counts.size() > 1 ? counts[1] : 1; // the "mittel" item

    if (arguments.size) {
        const auto size = parseRenderSize(*arguments.size, error);
        if (!size)
            return std::nullopt;
        options.size = *size;
    }
    const auto whole = [&](const std::optional<QString>& value, const char* option, int min,
                           int max, int& target) {
        if (!value)
            return true;
        const std::optional<qint64> number = parseWhole(*value);
        if (!number) {
            error = QStringLiteral("%1 expects a whole number, got \"%2\"")
                        .arg(QLatin1StringView(option), *value);
            return false;
        }
        target = clampTo(*number, min, max);
        return true;
    };
    const CountRange range = freeCountRange(*kind);
    if (!whole(arguments.count, "--count", range.min, range.max, options.spec.count) ||
        !whole(arguments.rows, "--rows", 1, kMaxTableCells, options.spec.rows) ||
        !whole(arguments.columns, "--cols", 1, kMaxTableCells, options.spec.columns))
        return std::nullopt;

    if (arguments.margins) {
        const QStringList parts = arguments.margins->split(u',');
        std::optional<qint64> values[4];
        bool ok = parts.size() == 4;
        for (qsizetype i = 0; ok && i < 4; ++i) {
            values[i] = parseWhole(parts[i]);
            ok = values[i].has_value();
        }
        if (!ok) {
            error = QStringLiteral("--margins expects LEFT,RIGHT,TOP,BOTTOM in percent, got \"%1\"")
                        .arg(*arguments.margins);
            return std::nullopt;
        }
        SheetMargins& m = options.spec.margins;
        m.left = clampTo(*values[0], 0, kMaxMarginPercent);
        m.right = clampTo(*values[1], 0, kMaxMarginPercent);
        m.top = clampTo(*values[2], 0, kMaxMarginPercent);
        m.bottom = clampTo(*values[3], 0, kMaxMarginPercent);
    }
    const auto colour = [&](const std::optional<QString>& value, const char* option, QRgb& target) {
        if (!value)
            return true;
        const std::optional<QRgb> rgb = parseColour(*value);
        if (!rgb) {
            error = QStringLiteral("%1 expects a colour RRGGBB, got \"%2\"")
                        .arg(QLatin1StringView(option), *value);
            return false;
        }
        target = *rgb;
        return true;
    };
    if (!colour(arguments.line, "--line", options.spec.line) ||
        !colour(arguments.background, "--background", options.spec.background))
        return std::nullopt;
    return options;
}

CommandOutcome sheetCommand(const QString& outputPath, const SheetOptions& options) {
    const QImage sheet = makeSheet(options.size, options.spec);
    const IoResult saved = savePictureFile(sheet, outputPath);
    if (!saved.ok) {
        QStringList lines = saved.messages;
        if (!saved.detail.isEmpty())
            lines.append(saved.detail);
        return {kExitFailure, {}, lines};
    }
    return {};
}

} // namespace quorvel
