// SPDX-License-Identifier: GPL-3.0-or-later
#include "centralconfig.h"

#include "settings.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

bool switchedOn(const IniFile& ini, const QString& section, const QString& switchName) {
    return ini.readInteger(section, switchName, 0) != 0;
}

void applyFolders(const IniFile& ini, Settings& e) {
    const QString s = u"Ordner"_s;
    e.ChronikOrdner = ini.readString(s, u"OrdnerChronik"_s, e.ChronikOrdner);
    e.ProtOrdner = ini.readString(s, u"OrdnerProtokoll"_s, e.ProtOrdner);
    e.BestListOrdner = ini.readString(s, u"OrdnerBestenliste"_s, e.BestListOrdner);
    e.TauschboerseOrdner = ini.readString(s, u"OrdnerTauschboerse"_s, e.TauschboerseOrdner);
    e.BilderGalerieOrdner = ini.readString(s, u"OrdnerBilderGalerie"_s, e.BilderGalerieOrdner);
}

void applyProgramLinks(const IniFile& ini, Settings& e) {
    const QString s = u"Verknuepfungsfelder"_s;
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        const QString prefix = u"Verknuepfung"_s + n;
        e.Verknuepfung[i] = ini.readString(s, prefix + u"Datei"_s, e.Verknuepfung[i]);
        e.VerknuepfungName[i] = ini.readString(s, prefix + u"Beschriftung"_s, u"V"_s + n);
        e.VerknuepfungHint[i] =
            ini.readString(s, prefix + u"Hinweis"_s, u"Programmverknüpfung "_s + n);
    }
    e.VerknuepfungT =
        ini.readString(s, u"VerknuepfungBildschirmtastatur"_s, defaultScreenKeyboard());
    e.VerknuepfungHintT =
        ini.readString(s, u"VerknuepfungBildschirmtastaturHinweis"_s, u"Bildschirmtastatur"_s);
}

void applyNetworkFolders(const IniFile& ini, Settings& e) {
    const QString s = u"NetzKom"_s;
    e.NetzKomOrdner = ini.readString(s, u"NetzKomOrdner"_s, e.NetzKomOrdner);
    e.NetzKomKanal = ini.readString(s, u"NetzKomKanal"_s, e.NetzKomKanal);
    e.NetzKomVerfahren = ini.readInteger(s, u"NetzKomVerfahren"_s, e.NetzKomVerfahren);
}

// The file gives a threshold in percent; the program keeps a fraction. A key
// that is missing or no number leaves the fraction untouched (no round trip
// through percent that could change its last bit).
void readPercent(const IniFile& ini, const QString& section, const QString& key, double& quote) {
    if (const std::optional<QString> text = ini.value(section, key)) {
        if (const std::optional<double> percent = parseIniReal(*text))
            quote = *percent / 100.0;
    }
}

void applyGradingScale(const IniFile& ini, Settings& e) {
    const QString s = u"Notenskala"_s;
    for (size_t i = 0; i < e.NoteMinQuote.size(); ++i)
        readPercent(ini, s, u"Note"_s + QString::number(i + 1), e.NoteMinQuote[i]);
    for (size_t i = 0; i < e.PunkteMinQuote.size(); ++i)
        readPercent(ini, s, u"Punkte"_s + QString::number(i + 1), e.PunkteMinQuote[i]);
    e.BewertSkala = ini.readInteger(s, u"BewertSkala"_s, e.BewertSkala);
}

void applyOptions(const IniFile& ini, Settings& e) {
    const QString s = u"Optionen"_s;
    e.Sound = ini.readBool(s, u"Tonausgabe"_s, e.Sound);
    e.UebNameEingabe = ini.readBool(s, u"Namenseingabe"_s, e.UebNameEingabe);
    e.UebStatusInfo = ini.readBool(s, u"Statusinfo"_s, e.UebStatusInfo);
    e.AutoProtSpeichern = ini.readBool(s, u"ProtokollAutospeichern"_s, e.AutoProtSpeichern);
    e.ErgebBestListEintragen =
        ini.readBool(s, u"BestenlisteAutoeintrag"_s, e.ErgebBestListEintragen);
    e.UebErgebAnzeigen = ini.readBool(s, u"UebungsergebnisAnzeigen"_s, e.UebErgebAnzeigen);
    e.Schriftart = ini.readString(s, u"Schriftart"_s, e.Schriftart);
    e.WerkzeugPos = ini.readInteger(s, u"WerkzeugPos"_s, e.WerkzeugPos);
    e.ArbeitsblattSkalFak = ini.readReal(s, u"ArbeitsblattSkalFak"_s, 100.0);
}

void applyExerciseFeedback(const IniFile& ini, Settings& e) {
    const QString s = u"Uebungsrueckmeldung"_s;
    auto& rm = e.Uebungsrueckmeldung;
    rm.RichtigTonDatei = ini.readString(s, u"RichtigTonDatei"_s, rm.RichtigTonDatei);
    rm.FalschTonDatei = ini.readString(s, u"FalschTonDatei"_s, rm.FalschTonDatei);
    rm.RichtigText = ini.readString(s, u"RichtigText"_s, rm.RichtigText);
    rm.FalschText = ini.readString(s, u"FalschText"_s, rm.FalschText);
    rm.MCRichtigText = ini.readString(s, u"MCRichtigText"_s, rm.MCRichtigText);
    rm.MCFalschText = ini.readString(s, u"MCFalschText"_s, rm.MCFalschText);
    rm.MCFehlendText = ini.readString(s, u"MCFehlendText"_s, rm.MCFehlendText);
}

} // namespace

QStringList centralConfigCandidates(const QString& executableFolder) {
    QStringList candidates;
    if (!executableFolder.isEmpty())
        candidates << QDir(executableFolder).filePath(u"config.ini"_s);
    candidates << u"/etc/quorvel/config.ini"_s;
    return candidates;
}

IoResult loadCentralConfig(const QStringList& candidates, IniFile& ini) {
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile())
            return IniFile::load(path, ini);
    }
    return IoResult::failure(QStringLiteral("keine zentrale Einstellungsdatei"));
}

void applyCentralConfig(const IniFile& ini, Settings& settings) {
    if (switchedOn(ini, u"Ordner"_s, u"OrdnerDefZentral"_s))
        applyFolders(ini, settings);
    if (switchedOn(ini, u"Verknuepfungsfelder"_s, u"VerknuepfungDefZentral"_s))
        applyProgramLinks(ini, settings);
    if (switchedOn(ini, u"NetzKom"_s, u"NetzKomDefZentral"_s))
        applyNetworkFolders(ini, settings);
    if (switchedOn(ini, u"Notenskala"_s, u"NotenskalaDefZentral"_s))
        applyGradingScale(ini, settings);
    if (switchedOn(ini, u"Optionen"_s, u"OptionenDefZentral"_s))
        applyOptions(ini, settings);
    if (switchedOn(ini, u"Uebungsrueckmeldung"_s, u"UebungsrueckmeldungDefZentral"_s))
        applyExerciseFeedback(ini, settings);
}

QString centralTopicFolder(const IniFile& ini) {
    return ini.readString(u"Start"_s, u"Themenordner"_s, QString());
}

} // namespace quorvel
