// SPDX-License-Identifier: GPL-3.0-or-later
#include "centralconfig.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kBasis = u"/basis/"_s;

Settings applied(const QByteArray& ini, Settings start = defaultSettings(kBasis)) {
    applyCentralConfig(IniFile::parse(ini), start);
    return start;
}

struct SectionCase {
    const char* section;
    const char* switchName;
    const char* keys; // every key of the section with a value other than the default
    std::function<bool(const Settings&)> changed;
};

const std::vector<SectionCase>& sectionCases() {
    static const std::vector<SectionCase> cases = {
        {"Ordner", "OrdnerDefZentral",
         "OrdnerChronik=/c/\nOrdnerProtokoll=/p/\nOrdnerBestenliste=/b/\n"
         "OrdnerTauschboerse=/t/\nOrdnerBilderGalerie=/g/\n",
         [](const Settings& e) {
             return e.ChronikOrdner == u"/c/"_s && e.ProtOrdner == u"/p/"_s &&
                    e.BestListOrdner == u"/b/"_s && e.TauschboerseOrdner == u"/t/"_s &&
                    e.BilderGalerieOrdner == u"/g/"_s;
         }},
        {"Verknuepfungsfelder", "VerknuepfungDefZentral",
         "Verknuepfung2Datei=/usr/bin/rechner\nVerknuepfung2Beschriftung=R\n"
         "Verknuepfung2Hinweis=Rechner\nVerknuepfungBildschirmtastatur=/usr/bin/tastatur\n"
         "VerknuepfungBildschirmtastaturHinweis=Tasten\n",
         [](const Settings& e) {
             return e.Verknuepfung[1] == u"/usr/bin/rechner"_s && e.VerknuepfungName[1] == u"R"_s &&
                    e.VerknuepfungHint[1] == u"Rechner"_s &&
                    e.VerknuepfungT == u"/usr/bin/tastatur"_s && e.VerknuepfungHintT == u"Tasten"_s;
         }},
        {"NetzKom", "NetzKomDefZentral",
         "NetzKomOrdner=/srv/kom/\nNetzKomKanal=RAUM-12\nNetzKomVerfahren=0\n",
         [](const Settings& e) {
             return e.NetzKomOrdner == u"/srv/kom/"_s && e.NetzKomKanal == u"RAUM-12"_s &&
                    e.NetzKomVerfahren == 0;
         }},
        {"Notenskala", "NotenskalaDefZentral", "Note1=90\nPunkte15=97,5\nBewertSkala=1\n",
         [](const Settings& e) {
             return e.NoteMinQuote[0] == 0.9 && e.PunkteMinQuote[14] == 0.975 && e.BewertSkala == 1;
         }},
        {"Optionen", "OptionenDefZentral",
         "Tonausgabe=0\nNamenseingabe=0\nStatusinfo=0\nProtokollAutospeichern=1\n"
         "BestenlisteAutoeintrag=1\nUebungsergebnisAnzeigen=0\nSchriftart=Verdana\n"
         "WerkzeugPos=1\nArbeitsblattSkalFak=80\n",
         [](const Settings& e) {
             return !e.Sound && !e.UebNameEingabe && !e.UebStatusInfo && e.AutoProtSpeichern &&
                    e.ErgebBestListEintragen && !e.UebErgebAnzeigen &&
                    e.Schriftart == u"Verdana"_s && e.WerkzeugPos == 1 &&
                    e.ArbeitsblattSkalFak == 80.0;
         }},
        {"Uebungsrueckmeldung", "UebungsrueckmeldungDefZentral",
         "RichtigTonDatei=gut.wav\nFalschTonDatei=schlecht.wav\nRichtigText=Super!\n"
         "FalschText=Leider nein.\nMCRichtigText=R:\nMCFalschText=F:\nMCFehlendText=Fehlt:\n",
         [](const Settings& e) {
             const auto& r = e.Uebungsrueckmeldung;
             return r.RichtigTonDatei == u"gut.wav"_s && r.FalschTonDatei == u"schlecht.wav"_s &&
                    r.RichtigText == u"Super!"_s && r.FalschText == u"Leider nein."_s &&
                    r.MCRichtigText == u"R:"_s && r.MCFalschText == u"F:"_s &&
                    r.MCFehlendText == u"Fehlt:"_s;
         }},
    };
    return cases;
}

} // namespace

TEST(CentralConfig, EachSectionAppliesOnlyWithItsSwitchOn) {
    const Settings defaults = defaultSettings(kBasis);
    for (const SectionCase& c : sectionCases()) {
        const QByteArray body = QByteArray("[") + c.section + "]\n" + c.keys;
        SCOPED_TRACE(c.section);
        EXPECT_EQ(applied(body), defaults) << "no switch";
        EXPECT_EQ(applied(body + c.switchName + "=0\n"), defaults) << "switch 0";
        EXPECT_EQ(applied(body + c.switchName + "=nein\n"), defaults) << "switch not a number";

        const Settings on = applied(body + c.switchName + "=1\n");
        EXPECT_TRUE(c.changed(on));
        // The keys reached no other section.
        for (const SectionCase& other : sectionCases()) {
            if (&other != &c) {
                EXPECT_FALSE(other.changed(on)) << other.section;
            }
        }
    }
}

TEST(CentralConfig, BackslashesUmlautsAndCommasSurvive) {
    const QByteArray ini = "[NetzKom]\r\nNetzKomDefZentral=1\r\n"
                           "NetzKomOrdner=\\\\schule\\kom\\klasse 7a\\\r\n"
                           "[Uebungsrueckmeldung]\r\nUebungsrueckmeldungDefZentral=-1\r\n"
                           "RichtigText=Gr\xFC\xDF"
                           "e, sehr gut!\r\n"
                           "FalschText=\xC4nderung, bitte\r\n";
    const Settings e = applied(ini);
    EXPECT_EQ(e.NetzKomOrdner, u"\\\\schule\\kom\\klasse 7a\\"_s);
    EXPECT_EQ(e.Uebungsrueckmeldung.RichtigText, u"Grüße, sehr gut!"_s);
    EXPECT_EQ(e.Uebungsrueckmeldung.FalschText, u"Änderung, bitte"_s);
}

TEST(CentralConfig, MissingKeysKeepTheValueInEffectOrTheirFixedDefault) {
    Settings start = defaultSettings(kBasis);
    start.NoteMinQuote[1] = 0.71;
    start.ProtOrdner = u"/eigene/protokolle/"_s;
    start.VerknuepfungName[0] = u"Mein Programm"_s;
    start.VerknuepfungHint[2] = u"Eigener Hinweis"_s;
    start.Verknuepfung[0] = u"/usr/bin/eigenes"_s;
    start.ArbeitsblattSkalFak = 80.0;
    start.Schriftart = u"Verdana"_s;

    const Settings e = applied("[Notenskala]\nNotenskalaDefZentral=1\n"
                               "[Ordner]\nOrdnerDefZentral=1\n"
                               "[Verknuepfungsfelder]\nVerknuepfungDefZentral=1\n"
                               "[Optionen]\nOptionenDefZentral=1\n",
                               start);
    EXPECT_EQ(e.NoteMinQuote[1], 0.71); // exactly, not through percent and back
    EXPECT_EQ(e.ProtOrdner, u"/eigene/protokolle/"_s);
    EXPECT_EQ(e.Verknuepfung[0], u"/usr/bin/eigenes"_s);
    EXPECT_EQ(e.Schriftart, u"Verdana"_s);
    // These keys have defaults of their own in the central file.
    EXPECT_EQ(e.VerknuepfungName[0], u"V1"_s);
    EXPECT_EQ(e.VerknuepfungHint[2], u"Programmverknüpfung 3"_s);
    EXPECT_EQ(e.ArbeitsblattSkalFak, 100.0);
}

TEST(CentralConfig, ThemenordnerIsReadWithoutSwitch) {
    const IniFile ini = IniFile::parse("[Start]\nThemenordner=/srv/themen\\mathe\n");
    EXPECT_EQ(centralTopicFolder(ini), u"/srv/themen\\mathe"_s);
    EXPECT_EQ(centralTopicFolder(IniFile::parse("[Start]\n")), QString());
}

TEST(CentralConfig, TheExecutableFolderComesBeforeEtc) {
    EXPECT_EQ(centralConfigCandidates(u"/opt/quorvel/bin"_s),
              QStringList({u"/opt/quorvel/bin/config.ini"_s, u"/etc/quorvel/config.ini"_s}));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath(u"a.ini"_s);
    const QString second = dir.filePath(u"b.ini"_s);
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(second, "[Start]\nThemenordner=zweite\n");
    IniFile found;
    ASSERT_TRUE(loadCentralConfig({first, second}, found));
    EXPECT_EQ(centralTopicFolder(found), u"zweite"_s);

    write(first, "[Start]\nThemenordner=erste\n");
    ASSERT_TRUE(loadCentralConfig({first, second}, found));
    EXPECT_EQ(centralTopicFolder(found), u"erste"_s);

    EXPECT_FALSE(loadCentralConfig({dir.filePath(u"fehlt.ini"_s), dir.path()}, found));
}
