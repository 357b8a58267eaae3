// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetcontrols.h"

#include "document.h"
#include "worksheetstorage.h"

#include <cmath>
#include <functional>
#include <limits>
#include <variant>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// Where a control keeps its value in the record, and what it takes.
struct CheckControl {
    bool WorksheetSettings::*field;
};
struct IntControl {
    int WorksheetSettings::*field;
    int min;
    int max;
};
struct RealControl {
    double WorksheetSettings::*field;
    double min;
    double max;
};
struct TextControl {
    QString WorksheetSettings::*field;
};
// The controls whose value is not a plain field of the record.
struct SpecialControl {
    std::function<bool(WorksheetSettings&, const QString&)> set;
};
using ControlKind =
    std::variant<CheckControl, IntControl, RealControl, TextControl, SpecialControl>;

struct Control {
    const char* name;
    ControlKind kind;
};

std::optional<int> wholeNumber(const QString& value, int min, int max) {
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok || number < min || number > max)
        return std::nullopt;
    return number;
}

bool setKind(WorksheetSettings& s, const QString& value) {
    const std::optional<int> index = wholeNumber(value, 0, 3);
    if (index)
        s.kind = static_cast<WorksheetKind>(*index);
    return bool(index);
}

bool setOrientation(WorksheetSettings& s, const QString& value) {
    const std::optional<int> index = wholeNumber(value, 0, 1);
    if (index)
        s.landscape = *index == 1;
    return bool(index);
}

bool setBoxSize(WorksheetSettings& s, const QString& value) {
    // "120 %" as listed; "120%" and "120" mean the same item.
    QString text = value.trimmed();
    if (text.endsWith(u'%'))
        text.chop(1);
    text = text.trimmed() + u" %"_s;
    const qsizetype index = boxSizeItems().indexOf(text);
    if (index < 0)
        return false;
    s.boxSizeIndex = int(index);
    return true;
}

bool setBasePicture(WorksheetSettings& s, const QString& value) {
    const std::optional<int> on = wholeNumber(value, 0, 1);
    if (on)
        s.basePicture = *on == 1;
    return bool(on);
}

const std::vector<Control>& controls() {
    using S = WorksheetSettings;
    static const std::vector<Control> table = {
        {"ModeRadio", SpecialControl{setKind}},
        {"OrientRadio", SpecialControl{setOrientation}},
        {"ABNameBox", CheckControl{&S::nameField}},
        {"ABKlasseBox", CheckControl{&S::classField}},
        {"ABDatumBox", CheckControl{&S::dateField}},
        {"ABFachBox", CheckControl{&S::subjectField}},
        {"ABBlattNrBox", CheckControl{&S::sheetNumberField}},
        {"TitelEdit", TextControl{&S::title}},
        {"TitelCheck", CheckControl{&S::useDocumentTitle}},
        {"AufgMemo", TextControl{&S::task}},
        {"TextvorgabeCheck", CheckControl{&S::answerTexts}},
        {"KaestchengroesseCombo", SpecialControl{setBoxSize}},
        {"AbFrageEdit", IntControl{&S::firstQuestion, 1, 99999}},
        {"RaenderCheck", CheckControl{&S::clozeMargins}},
        {"MaxFontSize", IntControl{&S::fontAdjust, -10, 10}},
        // The two "Basisbild anzeigen" boxes switch each other.
        {"BasisbildCheck", SpecialControl{setBasePicture}},
        {"BasisbildCheck0", SpecialControl{setBasePicture}},
        {"BasisbildX", RealControl{&S::basePictureX, -20.0, 20.0}},
        {"BasisbildY", RealControl{&S::basePictureY, -20.0, 1000.0}},
        {"BasisbildGroesse", RealControl{&S::basePictureSize, 1.0, 300.0}},
        {"VollbreiteCheck", CheckControl{&S::fullWidth}},
        {"ObjekteCheck", CheckControl{&S::otherObjects}},
        {"ZeichnungenEinbindenCheck", CheckControl{&S::includeDrawings}},
        {"ErstBuchstabeVorgabeCheck", CheckControl{&S::firstLetter}},
        {"SpaltenComboBox", IntControl{&S::columns, 1, 20}},
    };
    return table;
}

std::optional<double> realNumber(const QString& value, double min, double max) {
    QString text = value.trimmed();
    text.replace(u',', u'.');
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number) || number < min || number > max)
        return std::nullopt;
    return number;
}

bool apply(const ControlKind& kind, WorksheetSettings& s, const QString& value) {
    if (const auto* check = std::get_if<CheckControl>(&kind)) {
        const std::optional<int> on = wholeNumber(value, 0, 1);
        if (on)
            s.*(check->field) = *on == 1;
        return bool(on);
    }
    if (const auto* whole = std::get_if<IntControl>(&kind)) {
        const std::optional<int> number = wholeNumber(value, whole->min, whole->max);
        if (number)
            s.*(whole->field) = *number;
        return bool(number);
    }
    if (const auto* real = std::get_if<RealControl>(&kind)) {
        const std::optional<double> number = realNumber(value, real->min, real->max);
        if (number)
            s.*(real->field) = *number;
        return bool(number);
    }
    if (const auto* text = std::get_if<TextControl>(&kind)) {
        s.*(text->field) = value;
        return true;
    }
    return std::get<SpecialControl>(kind).set(s, value);
}

} // namespace

QStringList boxSizeItems() {
    QStringList items;
    for (int percent = 50; percent <= 200; percent += 10)
        items << u"%1 %"_s.arg(percent);
    return items;
}

WorksheetSettings startWorksheetSettings(const Document& document) {
    WorksheetSettings settings;
    settings.title = document.header.titel;
    // The dialog takes the document's stored settings and task text on reading it.
    takeDocumentWorksheetFields(document.header, settings);
    return settings;
}

std::optional<QString> setWorksheetControl(WorksheetSettings& settings, const QString& control,
                                           const QString& value) {
    for (const Control& c : controls()) {
        if (control != QLatin1StringView(c.name))
            continue;
        if (!apply(c.kind, settings, value))
            return u"Ungültiger Wert \"%1\" für das Steuerelement %2."_s.arg(value, control);
        return std::nullopt;
    }
    return u"Unbekanntes Steuerelement \"%1\" im Arbeitsblatt-Dialog."_s.arg(control);
}

QStringList worksheetControlNames() {
    QStringList names;
    for (const Control& c : controls())
        names << QLatin1StringView(c.name);
    return names;
}

} // namespace quorvel
