// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class QSettings;

namespace quorvel {

// Exercise options of the labelling and cloze dialog (keys "UebOpt-...").
struct UebOptSettings {
    int AbfrageModus = 0;
    int ZeitLimit = 0;
    QString ZLimitMin = QStringLiteral("3");
    QString ZLimitSek = QStringLiteral("0");
    int ZuordnungRichtig = 0;
    int ZuordnungFalsch = 0;
    int Zuordnungstexte = 1;
    int Zuordnungsziele = 1;
    bool AnzZeichenVorgeben = false;

    friend bool operator==(const UebOptSettings&, const UebOptSettings&) = default;
};

// Exercise options of the question dialog (keys "UebOptFragen-...").
struct UebOptFragenSettings {
    int ZuordnungFalsch = 0;
    int Zuordnungstexte = 1;
    int Zeitlimit = 0;
    int Zuordnungsziele = 1;
    QString ZLimitMin = QStringLiteral("3");
    QString ZLimitSek = QStringLiteral("0");

    friend bool operator==(const UebOptFragenSettings&, const UebOptFragenSettings&) = default;
};

// Exercise options of the cluster dialog (keys "UebOptKorb-...").
struct UebOptKorbSettings {
    int AbfrageModus = 0;
    int Zeitlimit = 0;
    QString ZLimitMin = QStringLiteral("3");
    QString ZLimitSek = QStringLiteral("0");

    friend bool operator==(const UebOptKorbSettings&, const UebOptKorbSettings&) = default;
};

// Feedback after an answer (keys "Opt-Uebungsrueckmeldung-...").
struct UebungsrueckmeldungSettings {
    QString RichtigTonDatei = QStringLiteral("richtig1.wav");
    QString FalschTonDatei = QStringLiteral("falsch1.wav");
    QString RichtigText = QStringLiteral("Richtig!");
    QString FalschText = QStringLiteral("Falsch!");
    QString MCRichtigText = QStringLiteral("Richtig:");
    QString MCFalschText = QStringLiteral("Falsch:");
    QString MCFehlendText = QStringLiteral("Fehlend:");

    friend bool operator==(const UebungsrueckmeldungSettings&,
                           const UebungsrueckmeldungSettings&) = default;
};

// Every user setting the program keeps between runs, with its default. The
// folder defaults depend on the base folder, so a fresh set comes from
// defaultSettings(). Folders end with "/".
struct Settings {
    // The six check items of the options menu.
    bool Sound = true;
    bool UebNameEingabe = true;
    bool UebStatusInfo = true;
    bool AutoProtSpeichern = false;
    bool ErgebBestListEintragen = false;
    bool UebErgebAnzeigen = true;

    QString NetzKomOrdner;
    QString NetzKomKanal = QStringLiteral("MASTER-1");
    int NetzKomVerfahren = 1;

    QString ChronikOrdner;
    QString TauschboerseOrdner;
    QString ProtOrdner;
    QString BestListOrdner;
    QString BilderGalerieOrdner;

    std::array<QString, 3> Verknuepfung;
    std::array<QString, 3> VerknuepfungName = {QStringLiteral("V1"), QStringLiteral("V2"),
                                               QStringLiteral("V3")};
    std::array<QString, 3> VerknuepfungHint = {QStringLiteral("Programmverknüpfung 1"),
                                               QStringLiteral("Programmverknüpfung 2"),
                                               QStringLiteral("Programmverknüpfung 3")};
    QString VerknuepfungT; // the on-screen keyboard
    QString VerknuepfungHintT = QStringLiteral("Bildschirmtastatur");

    int WerkzeugPos = 0; // 0 right, 1 left

    std::array<double, 5> NoteMinQuote = {0.85, 0.7, 0.55, 0.4, 0.25};
    std::array<double, 15> PunkteMinQuote = defaultPunkteMinQuote();
    int BewertSkala = 0;

    QString Schriftart = QStringLiteral("Arial");
    UebungsrueckmeldungSettings Uebungsrueckmeldung;
    double ArbeitsblattSkalFak = 100.0;

    UebOptSettings UebOpt;
    UebOptFragenSettings UebOptFragen;
    UebOptKorbSettings UebOptKorb;

    int SeitRatioArt = 1;
    int SeitRatioBreite = 10;
    int SeitRatioHoehe = 7;
    bool SeitRatioNeuesBlattVollflaeche = true;

    QString EditorFontName = QStringLiteral("Arial");
    int EditorFontSize = 10;
    bool EditorFontFett = false;

    // Ten stamp symbols, one character each, and the font of each.
    QString SymbolstempelZeichen = QStringLiteral("üû«JKL+-rf");
    std::array<QString, 10> SymbolstempelFontname = defaultStampFonts();

    // The screen's pixels per inch; taken from the screen at start, never stored.
    int LogPixels = 96;

    static std::array<double, 15> defaultPunkteMinQuote();
    static std::array<QString, 10> defaultStampFonts();

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The program started by the on-screen keyboard button unless configured.
QString defaultScreenKeyboard();

// The defaults, with the folders below `baseFolder` (which ends with "/").
Settings defaultSettings(const QString& baseFolder);

// Reads every value that exists in `store` over `settings`. A value that is
// missing or cannot be understood leaves what `settings` held.
void loadSettings(const QSettings& store, Settings& settings);

// Writes every value (all but LogPixels) to `store`.
void saveSettingsTo(QSettings& store, const Settings& settings);

} // namespace quorvel
