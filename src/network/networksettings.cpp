// SPDX-License-Identifier: GPL-3.0-or-later
#include "networksettings.h"

#include <cmath>

namespace quorvel {

namespace {

template <typename Enum> void takeCode(qint32 code, int last, Enum& target) {
    if (code >= 0 && code <= last)
        target = static_cast<Enum>(code);
}

// Thresholds are shares of the whole performance.
template <std::size_t N>
void takeTable(const std::optional<std::array<double, N>>& from, std::array<double, N>& to) {
    if (!from)
        return;
    for (double value : *from) {
        if (!std::isfinite(value) || value < 0.0 || value > 1.0)
            return;
    }
    to = *from;
}

} // namespace

NetzUebSettings netzUebSettingsOf(const QString& master, const UebEinstellungen& s,
                                  const GradingTable& grading) {
    NetzUebSettings file;
    file.NetzUebungMaster = master;
    file.RiFaRueckmeldungItemIndex = static_cast<qint32>(s.RiFaRueckmeldung);
    file.ZuordnungRichtigItemIndex = static_cast<qint32>(s.ZuordnungRichtig);
    file.ZuordnungFalschItemIndex = static_cast<qint32>(s.ZuordnungFalsch);
    file.ZuordnungstexteItemIndex = static_cast<qint32>(s.Zuordnungstexte);
    file.ZuordnungszieleItemIndex = static_cast<qint32>(s.Zuordnungsziele);
    file.AbfrageModusItemIndex = static_cast<qint32>(s.AbfrageModus);
    file.ZeitLimitIndex = static_cast<qint32>(s.Zeitlimit);
    file.ZeitLimitWert = s.ZeitlimitSek;
    file.NoteMinQuote = grading.NoteMinQuote;
    file.PunkteMinQuote = grading.PunkteMinQuote;
    file.BewertSkala = static_cast<qint32>(grading.BewertSkala);
    file.AnzZeichenVorgeben = s.AnzZeichenVorgeben ? 1 : 0;
    return file;
}

void applyNetzUebSettings(const NetzUebSettings& file, UebEinstellungen& s, GradingTable& grading) {
    takeCode(file.RiFaRueckmeldungItemIndex, 1, s.RiFaRueckmeldung);
    takeCode(file.ZuordnungRichtigItemIndex, 2, s.ZuordnungRichtig);
    takeCode(file.ZuordnungFalschItemIndex, 2, s.ZuordnungFalsch);
    takeCode(file.ZuordnungstexteItemIndex, 1, s.Zuordnungstexte);
    takeCode(file.ZuordnungszieleItemIndex, 2, s.Zuordnungsziele);
    takeCode(file.AbfrageModusItemIndex, 3, s.AbfrageModus);
    takeCode(file.ZeitLimitIndex, 2, s.Zeitlimit);
    // A day is more than any lesson; a negative limit would end at once.
    if (file.ZeitLimitWert >= 0 && file.ZeitLimitWert <= 24 * 3600)
        s.ZeitlimitSek = file.ZeitLimitWert;
    if (file.AnzZeichenVorgeben)
        s.AnzZeichenVorgeben = *file.AnzZeichenVorgeben != 0;
    takeTable(file.NoteMinQuote, grading.NoteMinQuote);
    takeTable(file.PunkteMinQuote, grading.PunkteMinQuote);
    if (file.BewertSkala && *file.BewertSkala >= 0 && *file.BewertSkala <= 4)
        grading.BewertSkala = static_cast<GradingScale>(*file.BewertSkala);
}

} // namespace quorvel
