// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include "inifile.h"

#include <QSettings>
#include <QStandardPaths>
#include <cmath>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// Calls `visit(key, field)` for every stored value, so that reading and
// writing share one list of keys.
template <class E, class V> void visitSettings(E& e, V&& visit) {
    visit(u"Opt-Sound"_s, e.Sound);
    visit(u"Opt-UebNameEingabe"_s, e.UebNameEingabe);
    visit(u"Opt-UebStatusInfo"_s, e.UebStatusInfo);
    visit(u"Opt-AutoProtSpeichern"_s, e.AutoProtSpeichern);
    visit(u"Opt-ErgebBestListEintragen"_s, e.ErgebBestListEintragen);
    visit(u"Opt-UebErgebAnzeigen"_s, e.UebErgebAnzeigen);

    visit(u"NetzKomOrdner"_s, e.NetzKomOrdner);
    visit(u"NetzKomKanal"_s, e.NetzKomKanal);
    visit(u"NetzKomVerfahren"_s, e.NetzKomVerfahren);

    visit(u"Opt-ChronikOrdner"_s, e.ChronikOrdner);
    visit(u"Opt-TauschboerseOrdner"_s, e.TauschboerseOrdner);
    visit(u"Opt-ProtOrdner"_s, e.ProtOrdner);
    visit(u"Opt-BestListOrdner"_s, e.BestListOrdner);
    visit(u"Opt-BilderGalerieOrdner"_s, e.BilderGalerieOrdner);

    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        visit(u"Opt-Verknuepfung"_s + n, e.Verknuepfung[i]);
        visit(u"Opt-VerknuepfungName"_s + n, e.VerknuepfungName[i]);
        visit(u"Opt-VerknuepfungHint"_s + n, e.VerknuepfungHint[i]);
    }
    visit(u"Opt-VerknuepfungT"_s, e.VerknuepfungT);
    visit(u"Opt-VerknuepfungHintT"_s, e.VerknuepfungHintT);

    visit(u"Opt-WerkzeugPos"_s, e.WerkzeugPos);
    for (size_t i = 0; i < e.NoteMinQuote.size(); ++i)
        visit(u"Opt-NoteMinQuote"_s + QString::number(i + 1), e.NoteMinQuote[i]);
    for (size_t i = 0; i < e.PunkteMinQuote.size(); ++i)
        visit(u"Opt-PunkteMinQuote"_s + QString::number(i + 1), e.PunkteMinQuote[i]);
    visit(u"Opt-BewertSkala"_s, e.BewertSkala);
    visit(u"Opt-Schriftart"_s, e.Schriftart);

    auto& rm = e.Uebungsrueckmeldung;
    visit(u"Opt-Uebungsrueckmeldung-RichtigTonDatei"_s, rm.RichtigTonDatei);
    visit(u"Opt-Uebungsrueckmeldung-FalschTonDatei"_s, rm.FalschTonDatei);
    visit(u"Opt-Uebungsrueckmeldung-RichtigText"_s, rm.RichtigText);
    visit(u"Opt-Uebungsrueckmeldung-FalschText"_s, rm.FalschText);
    visit(u"Opt-Uebungsrueckmeldung-MCRichtigText"_s, rm.MCRichtigText);
    visit(u"Opt-Uebungsrueckmeldung-MCFalschText"_s, rm.MCFalschText);
    visit(u"Opt-Uebungsrueckmeldung-MCFehlendText"_s, rm.MCFehlendText);
    visit(u"Opt-ArbeitsblattSkalFak"_s, e.ArbeitsblattSkalFak);

    auto& exercise = e.UebOpt;
    visit(u"UebOpt-AbfrageModus"_s, exercise.AbfrageModus);
    visit(u"UebOpt-ZeitLimit"_s, exercise.ZeitLimit);
    visit(u"UebOpt-ZLimitMin"_s, exercise.ZLimitMin);
    visit(u"UebOpt-ZLimitSek"_s, exercise.ZLimitSek);
    visit(u"UebOpt-ZuordnungRichtig"_s, exercise.ZuordnungRichtig);
    visit(u"UebOpt-ZuordnungFalsch"_s, exercise.ZuordnungFalsch);
    visit(u"UebOpt-Zuordnungstexte"_s, exercise.Zuordnungstexte);
    visit(u"UebOpt-Zuordnungsziele"_s, exercise.Zuordnungsziele);
    visit(u"UebOpt-AnzZeichenVorgeben"_s, exercise.AnzZeichenVorgeben);

    auto& questions = e.UebOptFragen;
    visit(u"UebOptFragen-ZuordnungFalsch"_s, questions.ZuordnungFalsch);
    visit(u"UebOptFragen-Zuordnungstexte"_s, questions.Zuordnungstexte);
    visit(u"UebOptFragen-Zeitlimit"_s, questions.Zeitlimit);
    visit(u"UebOptFragen-Zuordnungsziele"_s, questions.Zuordnungsziele);
    visit(u"UebOptFragen-ZLimitMin"_s, questions.ZLimitMin);
    visit(u"UebOptFragen-ZLimitSek"_s, questions.ZLimitSek);

    auto& basket = e.UebOptKorb;
    visit(u"UebOptKorb-AbfrageModus"_s, basket.AbfrageModus);
    visit(u"UebOptKorb-Zeitlimit"_s, basket.Zeitlimit);
    visit(u"UebOptKorb-ZLimitMin"_s, basket.ZLimitMin);
    visit(u"UebOptKorb-ZLimitSek"_s, basket.ZLimitSek);

    visit(u"Dok-SeitRatioArt"_s, e.SeitRatioArt);
    visit(u"Dok-SeitRatioBreite"_s, e.SeitRatioBreite);
    visit(u"Dok-SeitRatioHoehe"_s, e.SeitRatioHoehe);
    visit(u"Dok-SeitRatioNeuesBlattVollflaeche"_s, e.SeitRatioNeuesBlattVollflaeche);

    visit(u"EditorSchriftart-FontName"_s, e.EditorFontName);
    visit(u"EditorSchriftart-FontSize"_s, e.EditorFontSize);
    visit(u"EditorSchriftart-FontFett"_s, e.EditorFontFett);

    visit(u"Symbolstempel-Zeichen"_s, e.SymbolstempelZeichen);
    for (size_t i = 0; i < e.SymbolstempelFontname.size(); ++i)
        visit(u"Symbolstempel-Fontname"_s + QString::number(i + 1), e.SymbolstempelFontname[i]);
}

// A stored value comes back from the file as text; one set in this run keeps
// its type. Either way a value that does not parse leaves the field alone.
void readStored(const QVariant& stored, bool& field) {
    if (stored.typeId() == QMetaType::Bool) {
        field = stored.toBool();
        return;
    }
    const QString text = stored.toString().trimmed();
    if (text.compare(u"true", Qt::CaseInsensitive) == 0)
        field = true;
    else if (text.compare(u"false", Qt::CaseInsensitive) == 0)
        field = false;
    else if (const std::optional<int> number = parseIniInteger(text))
        field = *number != 0;
}

void readStored(const QVariant& stored, int& field) {
    if (stored.typeId() == QMetaType::Int) {
        field = stored.toInt();
        return;
    }
    if (const std::optional<int> number = parseIniInteger(stored.toString()))
        field = *number;
}

void readStored(const QVariant& stored, double& field) {
    if (stored.typeId() == QMetaType::Double) {
        const double value = stored.toDouble();
        if (std::isfinite(value))
            field = value;
        return;
    }
    if (const std::optional<double> number = parseIniReal(stored.toString()))
        field = *number;
}

void readStored(const QVariant& stored, QString& field) {
    // A hand-edited value with a comma comes back split into a list.
    if (stored.typeId() == QMetaType::QStringList)
        field = stored.toStringList().join(u',');
    else if (stored.canConvert<QString>())
        field = stored.toString();
}

} // namespace

std::array<double, 15> Settings::defaultPunkteMinQuote() {
    std::array<double, 15> quotes{};
    for (size_t i = 0; i < quotes.size(); ++i)
        quotes[i] = double(25 + 5 * int(i)) / 100.0; // 0.25, 0.30, ... 0.95
    return quotes;
}

std::array<QString, 10> Settings::defaultStampFonts() {
    std::array<QString, 10> fonts;
    for (size_t i = 0; i < fonts.size(); ++i)
        fonts[i] = i < 6 ? u"Wingdings"_s : u"Arial"_s;
    return fonts;
}

QString defaultScreenKeyboard() {
    // Searching PATH once per run is enough.
    static const QString program = [] {
        for (const QString& name : {u"onboard"_s, u"florence"_s, u"matchbox-keyboard"_s}) {
            const QString found = QStandardPaths::findExecutable(name);
            if (!found.isEmpty())
                return found;
        }
        return u"/usr/bin/onboard"_s;
    }();
    return program;
}

Settings defaultSettings(const QString& baseFolder) {
    Settings e;
    e.NetzKomOrdner = baseFolder + u"kom/"_s;
    e.ChronikOrdner = baseFolder + u"chronik/"_s;
    e.TauschboerseOrdner = baseFolder + u"tauschboerse/"_s;
    e.ProtOrdner = baseFolder + u"protokolle/"_s;
    e.BestListOrdner = baseFolder + u"bestenlisten/"_s;
    e.BilderGalerieOrdner = baseFolder + u"bildergalerie/"_s;
    e.VerknuepfungT = defaultScreenKeyboard();
    return e;
}

void loadSettings(const QSettings& store, Settings& settings) {
    visitSettings(settings, [&store](const QString& key, auto& field) {
        const QVariant stored = store.value(key);
        if (stored.isValid())
            readStored(stored, field);
    });
}

void saveSettingsTo(QSettings& store, const Settings& settings) {
    visitSettings(settings,
                  [&store](const QString& key, const auto& field) { store.setValue(key, field); });
}

} // namespace quorvel
