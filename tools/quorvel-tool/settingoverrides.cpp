// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingoverrides.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

struct IntField {
    const char16_t* name;
    int min, max;
    std::function<void(UebEinstellungen&, int)> apply;
};

const std::vector<IntField>& snapshotFields() {
    static const std::vector<IntField> fields = {
        {u"AbfrageModus", 0, 3, [](UebEinstellungen& s, int v) { s.AbfrageModus = QueryMode(v); }},
        {u"Zeitlimit", 0, 2, [](UebEinstellungen& s, int v) { s.Zeitlimit = TimeMode(v); }},
        {u"ZeitlimitSek", 0, 24 * 3600 * 365,
         [](UebEinstellungen& s, int v) { s.ZeitlimitSek = v; }},
        {u"ZuordnungRichtig", 0, 2,
         [](UebEinstellungen& s, int v) { s.ZuordnungRichtig = RightAction(v); }},
        {u"ZuordnungFalsch", 0, 2,
         [](UebEinstellungen& s, int v) { s.ZuordnungFalsch = WrongAction(v); }},
        {u"Zuordnungstexte", 0, 1,
         [](UebEinstellungen& s, int v) { s.Zuordnungstexte = CardOrder(v); }},
        {u"Zuordnungsziele", 0, 2,
         [](UebEinstellungen& s, int v) { s.Zuordnungsziele = TargetNumbering(v); }},
        {u"AnzZeichenVorgeben", 0, 1,
         [](UebEinstellungen& s, int v) { s.AnzZeichenVorgeben = v != 0; }},
        {u"RiFaRueckmeldung", 0, 1,
         [](UebEinstellungen& s, int v) { s.RiFaRueckmeldung = FeedbackTiming(v); }},
    };
    return fields;
}

// Applies the grading key `name` to `settings`; false when it is none.
bool applyGradingKey(const QString& name, const QString& value, Settings& settings,
                     QString& error) {
    if (name == u"Opt-BewertSkala"_s) {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok || v < 0 || v > 4) {
            error = u"Opt-BewertSkala takes 0..4"_s;
            return true;
        }
        settings.BewertSkala = v;
        return true;
    }
    const auto threshold = [&](const QString& prefix, auto& array) {
        if (!name.startsWith(prefix))
            return false;
        bool ok = false;
        const int i = QStringView(name).mid(prefix.size()).toInt(&ok);
        if (!ok || i < 1 || size_t(i) > array.size())
            return false;
        const double v = value.toDouble(&ok);
        if (!ok || !std::isfinite(v) || v < 0.0 || v > 1.0)
            error = name + u" takes a fraction 0..1"_s;
        else
            array[size_t(i - 1)] = v;
        return true;
    };
    return threshold(u"Opt-NoteMinQuote"_s, settings.NoteMinQuote) ||
           threshold(u"Opt-PunkteMinQuote"_s, settings.PunkteMinQuote);
}

} // namespace

std::optional<QString>
SettingOverrides::parse(const std::vector<std::pair<QString, QString>>& sets) {
    for (const auto& [name, value] : sets) {
        QString error;
        if (applyGradingKey(name, value, m_settings, error)) {
            if (!error.isEmpty())
                return u"quorvel-tool: "_s + error;
            continue;
        }
        const auto& fields = snapshotFields();
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const IntField& f) {
            return name == QStringView(f.name);
        });
        if (field == fields.end())
            return u"quorvel-tool: unknown setting %1"_s.arg(name);
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok || v < field->min || v > field->max)
            return u"quorvel-tool: %1 takes %2..%3"_s.arg(name).arg(field->min).arg(field->max);
        m_fields.emplace_back(int(field - fields.begin()), v);
    }
    return std::nullopt;
}

void SettingOverrides::apply(UebEinstellungen& snapshot) const {
    for (const auto& [index, value] : m_fields)
        snapshotFields()[size_t(index)].apply(snapshot, value);
}

} // namespace quorvel
