// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetstorage.h"

#include "headerdata.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kBoxSizeCount = 16;     // 50 % to 200 %
constexpr int kStartBoxSizeIndex = 6; // "110 %"

// The dialog's limits of the stored numbers.
constexpr int kMaxFontAdjust = 10;
constexpr double kBasePictureShift = 20.0;
constexpr double kMaxBasePictureSize = 300.0;
// Far beyond any picture position the user could want; keeps the page's
// arithmetic finite when a file says something absurd.
constexpr double kMaxBasePictureY = 1000.0;
constexpr double kMinBasePictureSize = 0.0;

QString flag(bool on) {
    return on ? u"1"_s : u"0"_s;
}

QString oneDecimal(double value) {
    // Rounded to tenths first so that -0.04 is written as "0.0", not "-0.0".
    const double tenths = std::nearbyint(value * 10.0) / 10.0;
    return QString::number(tenths == 0.0 ? 0.0 : tenths, 'f', 1);
}

int readInt(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

double readReal(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

} // namespace

QStringList boxSizeTexts() {
    QStringList texts;
    for (int i = 0; i < kBoxSizeCount; ++i)
        texts << QString::number(50 + 10 * i) + u" %"_s;
    return texts;
}

QString boxSizeText(int index) {
    if (index < 0 || index >= kBoxSizeCount)
        index = kStartBoxSizeIndex;
    return QString::number(50 + 10 * index) + u" %"_s;
}

QString worksheetSettingsText(const WorksheetSettings& s) {
    const QStringList values = {boxSizeText(s.boxSizeIndex),
                                flag(s.clozeMargins),
                                QString::number(s.fontAdjust),
                                flag(s.basePicture),
                                flag(s.otherObjects),
                                oneDecimal(s.basePictureX),
                                oneDecimal(s.basePictureY),
                                oneDecimal(s.basePictureSize),
                                flag(s.fullWidth),
                                flag(s.landscape)};
    QString text;
    for (const QString& value : values)
        text += value + u'|';
    return text;
}

void applyWorksheetSettingsText(const QString& text, WorksheetSettings& s) {
    const QStringList values = text.split(u'|');
    // A value counts only when its "|" follows: what trails the last one is
    // no value of the ten.
    const int count = std::min<int>(int(values.size()) - 1, 10);
    for (int i = 0; i < count; ++i) {
        const QString& value = values[i];
        switch (i) {
        case 0:
            if (const int index = int(boxSizeTexts().indexOf(value.trimmed())); index >= 0)
                s.boxSizeIndex = index;
            break;
        case 1:
            s.clozeMargins = readInt(value) != 0;
            break;
        case 2:
            s.fontAdjust = std::clamp(readInt(value), -kMaxFontAdjust, kMaxFontAdjust);
            break;
        case 3:
            s.basePicture = readInt(value) != 0;
            break;
        case 4:
            s.otherObjects = readInt(value) != 0;
            break;
        case 5:
            s.basePictureX = std::clamp(readReal(value), -kBasePictureShift, kBasePictureShift);
            break;
        case 6:
            s.basePictureY = std::clamp(readReal(value), -kBasePictureShift, kMaxBasePictureY);
            break;
        case 7:
            s.basePictureSize =
                std::clamp(readReal(value), kMinBasePictureSize, kMaxBasePictureSize);
            break;
        case 8:
            s.fullWidth = readInt(value) != 0;
            break;
        case 9:
            s.landscape = readInt(value) == 1;
            break;
        }
    }
}

void takeDocumentWorksheetFields(const HeaderDataTyp& header, WorksheetSettings& settings) {
    if (!header.Arbeitsblatt.isEmpty())
        applyWorksheetSettingsText(header.Arbeitsblatt, settings);
    settings.task = header.ABAufgabe;
}

void putWorksheetFields(const WorksheetSettings& settings, HeaderDataTyp& header) {
    header.Arbeitsblatt = worksheetSettingsText(settings);
    header.ABAufgabe = settings.task;
}

} // namespace quorvel
