// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString storePath() const { return dir.filePath(u"benutzer.ini"_s); }
    const QString basis = u"/basis/"_s;
};

} // namespace

TEST_F(SettingsTest, DefaultsAreWrittenUnderTheirValueNames) {
    QSettings store(storePath(), QSettings::IniFormat);
    saveSettingsTo(store, defaultSettings(basis));
    store.sync();
    QSettings read(storePath(), QSettings::IniFormat);

    struct Case {
        const char16_t* key;
        QString expected; // as text, the way the store returns it
    };
    const Case cases[] = {
        {u"Opt-Sound", u"true"_s},
        {u"Opt-UebNameEingabe", u"true"_s},
        {u"Opt-UebStatusInfo", u"true"_s},
        {u"Opt-AutoProtSpeichern", u"false"_s},
        {u"Opt-ErgebBestListEintragen", u"false"_s},
        {u"Opt-UebErgebAnzeigen", u"true"_s},
        {u"NetzKomOrdner", u"/basis/kom/"_s},
        {u"NetzKomKanal", u"MASTER-1"_s},
        {u"NetzKomVerfahren", u"1"_s},
        {u"Opt-ChronikOrdner", u"/basis/chronik/"_s},
        {u"Opt-TauschboerseOrdner", u"/basis/tauschboerse/"_s},
        {u"Opt-ProtOrdner", u"/basis/protokolle/"_s},
        {u"Opt-BestListOrdner", u"/basis/bestenlisten/"_s},
        {u"Opt-BilderGalerieOrdner", u"/basis/bildergalerie/"_s},
        {u"Opt-Verknuepfung2", QString()},
        {u"Opt-VerknuepfungName3", u"V3"_s},
        {u"Opt-VerknuepfungHint1", u"Programmverknüpfung 1"_s},
        {u"Opt-VerknuepfungHintT", u"Bildschirmtastatur"_s},
        {u"Opt-WerkzeugPos", u"0"_s},
        {u"Opt-NoteMinQuote1", u"0.85"_s},
        {u"Opt-NoteMinQuote5", u"0.25"_s},
        {u"Opt-PunkteMinQuote1", u"0.25"_s},
        {u"Opt-PunkteMinQuote2", u"0.3"_s},
        {u"Opt-PunkteMinQuote15", u"0.95"_s},
        {u"Opt-BewertSkala", u"0"_s},
        {u"Opt-Schriftart", u"Arial"_s},
        {u"Opt-Uebungsrueckmeldung-RichtigTonDatei", u"richtig1.wav"_s},
        {u"Opt-Uebungsrueckmeldung-FalschText", u"Falsch!"_s},
        {u"Opt-Uebungsrueckmeldung-MCFehlendText", u"Fehlend:"_s},
        {u"Opt-ArbeitsblattSkalFak", u"100"_s},
        {u"UebOpt-AbfrageModus", u"0"_s},
        {u"UebOpt-ZLimitMin", u"3"_s},
        {u"UebOpt-ZLimitSek", u"0"_s},
        {u"UebOpt-Zuordnungstexte", u"1"_s},
        {u"UebOpt-Zuordnungsziele", u"1"_s},
        {u"UebOpt-AnzZeichenVorgeben", u"false"_s},
        {u"UebOptFragen-Zuordnungstexte", u"1"_s},
        {u"UebOptFragen-ZLimitMin", u"3"_s},
        {u"UebOptKorb-Zeitlimit", u"0"_s},
        {u"UebOptKorb-ZLimitSek", u"0"_s},
        {u"Dok-SeitRatioArt", u"1"_s},
        {u"Dok-SeitRatioBreite", u"10"_s},
        {u"Dok-SeitRatioHoehe", u"7"_s},
        {u"Dok-SeitRatioNeuesBlattVollflaeche", u"true"_s},
        {u"EditorSchriftart-FontName", u"Arial"_s},
        {u"EditorSchriftart-FontSize", u"10"_s},
        {u"EditorSchriftart-FontFett", u"false"_s},
        {u"Symbolstempel-Zeichen", u"üû«JKL+-rf"_s},
        {u"Symbolstempel-Fontname6", u"Wingdings"_s},
        {u"Symbolstempel-Fontname7", u"Arial"_s},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromUtf16(c.key);
        ASSERT_TRUE(read.contains(key)) << key.toStdString();
        EXPECT_EQ(read.value(key).toString(), c.expected) << key.toStdString();
    }
    EXPECT_FALSE(read.contains(u"LogPixels"_s));
}

TEST_F(SettingsTest, ChangedValuesRoundTripThroughTheStore) {
    Settings changed = defaultSettings(basis);
    changed.Sound = false;
    changed.AutoProtSpeichern = true;
    changed.NetzKomOrdner = u"\\\\server\\kom, Raum 3\\"_s;
    changed.NetzKomVerfahren = 0;
    changed.Verknuepfung[2] = u"/usr/bin/programm --mit \"Argument\""_s;
    changed.VerknuepfungName[0] = u"Äöü"_s;
    changed.WerkzeugPos = 1;
    changed.NoteMinQuote[2] = 0.5123456789;
    changed.PunkteMinQuote[0] = 0.1;
    changed.Schriftart = u"Liberation Serif"_s;
    changed.Uebungsrueckmeldung.RichtigText = u"Gut gemacht; weiter = so!"_s;
    changed.ArbeitsblattSkalFak = 87.5;
    changed.UebOpt.ZLimitMin = u"12"_s;
    changed.UebOpt.AnzZeichenVorgeben = true;
    changed.UebOptFragen.Zeitlimit = 2;
    changed.UebOptKorb.AbfrageModus = 1;
    changed.SeitRatioBreite = 16;
    changed.SeitRatioNeuesBlattVollflaeche = false;
    changed.EditorFontFett = true;
    changed.SymbolstempelZeichen = u"ABCDEFGHIJ"_s;
    changed.SymbolstempelFontname[9] = u"DejaVu Sans"_s;
    {
        QSettings store(storePath(), QSettings::IniFormat);
        saveSettingsTo(store, changed);
    }
    QSettings store(storePath(), QSettings::IniFormat);
    Settings read = defaultSettings(basis);
    loadSettings(store, read);
    EXPECT_EQ(read, changed);
}

TEST_F(SettingsTest, MissingOrMalformedValuesKeepTheDefaults) {
    QFile file(storePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\n"
               "Opt-Sound=vielleicht\n"
               "Opt-WerkzeugPos=links\n"
               "Opt-NoteMinQuote1=hoch\n"
               "Opt-PunkteMinQuote2=nan\n"
               "Dok-SeitRatioBreite=99999999999\n"
               "Opt-UebStatusInfo=0\n"
               "NetzKomKanal=a, b\n");
    file.close();

    QSettings store(storePath(), QSettings::IniFormat);
    Settings read = defaultSettings(basis);
    loadSettings(store, read);

    Settings expected = defaultSettings(basis);
    expected.UebStatusInfo = false;   // a well-formed value is taken
    expected.NetzKomKanal = u"a,b"_s; // split by the store, joined again
    EXPECT_EQ(read, expected);
}
