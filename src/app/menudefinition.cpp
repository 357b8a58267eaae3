// SPDX-License-Identifier: GPL-3.0-or-later
#include "menudefinition.h"

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

using Kind = MenuEntry::Kind;

MenuEntry cmd(const QString& name, const QString& caption, const QString& shortcut = {},
              bool learningViewOnly = false) {
    MenuEntry e;
    e.kind = Kind::Command;
    e.name = name;
    e.caption = caption;
    e.shortcut = shortcut;
    e.learningViewOnly = learningViewOnly;
    return e;
}

MenuEntry check(const QString& name, const QString& caption, bool checked = false) {
    MenuEntry e = cmd(name, caption);
    e.kind = Kind::Check;
    e.checked = checked;
    return e;
}

MenuEntry radio(const QString& name, const QString& caption, bool checked = false) {
    MenuEntry e = cmd(name, caption);
    e.kind = Kind::Radio;
    e.checked = checked;
    return e;
}

MenuEntry sub(const QString& name, const QString& caption, std::vector<MenuEntry> children,
              bool learningViewOnly = false) {
    MenuEntry e = cmd(name, caption, {}, learningViewOnly);
    e.kind = Kind::Submenu;
    e.children = std::move(children);
    return e;
}

MenuEntry sep() {
    MenuEntry e;
    e.kind = Kind::Separator;
    return e;
}

std::vector<MenuEntry> fileMenu() {
    return {
        cmd(u"Oeffnen1"_s, u"Ö&ffnen..."_s, u"Ctrl+O"_s, true),
        cmd(u"Dokumenteigenschaften1"_s, u"Do&kumenteigenschaften..."_s, u"Alt+Return"_s),
        sep(),
        cmd(u"Speichern1"_s, u"&Speichern"_s, u"Ctrl+S"_s),
        cmd(u"Speichernunter1"_s, u"Speichern &unter..."_s, u"Ctrl+Shift+S"_s),
        cmd(u"TafelanschriebalsQVLspeichern1"_s, u"&Tafelanschrieb als QVL speichern..."_s),
        sep(),
        cmd(u"PerEMailversenden1"_s, u"Per E-&Mail versenden..."_s, u"Ctrl+M"_s),
        sep(),
        cmd(u"Drucken1"_s, u"&Drucken..."_s, u"Ctrl+P"_s),
        cmd(u"Druckereinrichtung1"_s, u"D&ruckereinrichtung..."_s),
        sep(),
        cmd(u"Exportieren1"_s, u"&Exportieren..."_s, u"Ctrl+E"_s),
        cmd(u"InZwischenablagekopieren1"_s, u"In &Zwischenablage kopieren"_s, u"Ctrl+C"_s),
        sep(),
        cmd(u"Arbeitsblatterstellen1"_s, u"&Arbeitsblatt erstellen..."_s, u"F6"_s, true),
        sep(),
        cmd(u"Schliessen1"_s, u"Sch&ließen"_s, u"Ctrl+F4"_s, true),
        cmd(u"Beenden1"_s, u"&Beenden"_s),
    };
}

// Exactly kTopicMenuFixedEntries items: the topic list follows them.
std::vector<MenuEntry> topicChoiceMenu() {
    return {
        cmd(u"Startseite1"_s, u"&Startseite"_s, u"Alt+Home"_s),
        cmd(u"ZuvorangezeigtesDokument1"_s, u"&Zuvor angezeigtes Dokument"_s, u"Alt+Backspace"_s),
        sep(),
        cmd(u"VorherigesDokumentderListe1"_s, u"&Vorheriges Dokument der Liste"_s, u"PgUp"_s),
        cmd(u"NaechstesDokumentderListe1"_s, u"&Nächstes Dokument der Liste"_s, u"PgDown"_s),
        sep(),
        cmd(u"AktuellenOrdnerneueinlesen1"_s, u"&Aktuellen Ordner neu einlesen"_s, u"Ctrl+F5"_s),
        cmd(u"Ordnerwaehlen1"_s, u"&Ordner wählen..."_s, u"Ctrl+W"_s),
        cmd(u"Themenlistedrucken1"_s, u"Themenliste &drucken..."_s),
        sep(),
        cmd(u"Vorherige60Dokumente1"_s, u"Vorherige 60 Dokumente"_s),
        cmd(u"Naechste60Dokumente1"_s, u"Nächste 60 Dokumente"_s),
        sep(),
    };
}

std::vector<MenuEntry> learningViewMenu() {
    return {
        cmd(u"Werkzeugleistezuklappen1"_s, u"Werkzeugleiste zu&klappen"_s, u"Alt+W"_s),
        sep(),
        sub(u"Ebenen1"_s, u"&Ebenen"_s,
            {check(u"EbeneBasisbild1"_s, u"&Basisbild"_s, true),
             check(u"EbeneTexteundBilder1"_s, u"&Texte und Bilder"_s, true),
             check(u"EbeneInfopunkte1"_s, u"Info&punkte"_s, true),
             check(u"EbeneLayout1"_s, u"&Layout"_s, true)}),
        sub(u"Darstellung1"_s, u"&Darstellung"_s,
            {cmd(u"AlleAbfragefelderabdecken1"_s, u"Alle Abfragefelder &abdecken"_s,
                 u"Ctrl+Down"_s),
             cmd(u"AlleAbfragefelderaufdecken1"_s, u"Alle Abfragefelder auf&decken"_s,
                 u"Ctrl+Up"_s),
             sep(), cmd(u"Abdeckblatteinblenden1"_s, u"Abdeckblatt &einblenden"_s),
             cmd(u"Abdeckblattausblenden1"_s, u"Abdeckblatt aus&blenden"_s)}),
        sub(u"NummerierungAbfragefelder1"_s, u"&Nummerierung Abfragefelder"_s,
            {radio(u"NummerierungGeordnet1"_s, u"&Geordnet"_s, true),
             radio(u"NummerierungZufaellig1"_s, u"&Zufällig"_s),
             radio(u"NummerierungFragezeichen1"_s, u"&Fragezeichen"_s)}),
        sub(u"Zoomstufe1"_s, u"&Zoomstufe"_s,
            {radio(u"Zoomstufe100Prozent1"_s, u"100%"_s, true),
             radio(u"Zoomstufe150Prozent1"_s, u"150%"_s),
             radio(u"Zoomstufe200Prozent1"_s, u"200%"_s)}),
        sep(),
        cmd(u"AlleZeichnungenentfernen1"_s, u"Alle &Zeichnungen entfernen"_s, u"Ctrl+Del"_s),
    };
}

std::vector<MenuEntry> exerciseMenu() {
    return {
        cmd(u"UebungStart1"_s, u"Individual-&Übung"_s, u"F7"_s),
        cmd(u"Uebungseinstellungen1"_s, u"Übungs&einstellungen..."_s, u"Alt+F7"_s),
        cmd(u"BestenlisteIndividualUebung1"_s, u"&Bestenliste Individual-Übung..."_s, u"Ctrl+F7"_s),
        cmd(u"ProtokollderletztenUebung1"_s, u"&Protokoll der letzten Übung..."_s),
        sep(),
        cmd(u"Netzwerkuebung1"_s, u"An Netzwerk-Übung &teilnehmen..."_s, u"F8"_s),
        cmd(u"BestenlisteNetzwerkUebung1"_s, u"Besten&liste Netzwerk-Übung..."_s, u"Ctrl+F8"_s),
        sep(),
        cmd(u"UebungsTestserieausfuehren1"_s, u"Übungs-/Testserie ausführen..."_s,
            u"Ctrl+Shift+Ü"_s),
        cmd(u"UebungsSerieerstellen1"_s, u"Übungs-Serie erstellen..."_s),
        cmd(u"Schiebepuzzle1"_s, u"&Schiebepuzzle"_s, u"F11"_s),
        sep(),
        cmd(u"Uebungabbrechen1"_s, u"Übung &abbrechen"_s),
    };
}

std::vector<MenuEntry> teacherControlMenu() {
    return {
        cmd(u"Netzwerkuebunginitiieren1"_s, u"&Netzwerk-Übung initiieren..."_s, u"F9"_s),
        cmd(u"LehrerNetzwerkUebungbeenden1"_s, u"Netzwerk-Übung &beenden"_s),
        sep(),
        cmd(u"NetzwerkbungKontrollanzeige1"_s, u"&Kontrollanzeige..."_s, u"Alt+F9"_s),
        cmd(u"BestenlisteNetzwerkbung1"_s, u"&Bestenliste Netzwerk-Übung..."_s),
    };
}

std::vector<MenuEntry> displayMenu() {
    return {
        cmd(u"Vollbild1"_s, u"&Vollbild"_s, u"Ctrl+L"_s),
        cmd(u"Fenster1"_s, u"&Fenster"_s, u"Ctrl+F"_s),
        cmd(u"Minimieren1"_s, u"&Minimieren"_s, u"Ctrl+N"_s),
    };
}

std::vector<MenuEntry> optionsMenu() {
    return {
        check(u"Tonausgabe1"_s, u"&Tonausgabe"_s),
        check(u"NamenseingabebeiUebungen1"_s, u"&Namenseingabe bei Übungen"_s),
        check(u"StatusinformationbeiUebungenanzeigen1"_s,
              u"&Statusinformation bei Übungen anzeigen"_s),
        check(u"UebungsprotokolleautomatischSpeichern1"_s,
              u"Übungs&protokolle automatisch speichern"_s),
        check(u"ErgebnisseinBestenlisteEintragen1"_s,
              u"Ergebnisse Individual-Übung automatisch in &Bestenliste eintragen"_s),
        check(u"Uebungsergebnisfensteranzeigen1"_s, u"Übungs&ergebnisfenster anzeigen"_s),
        sep(),
        cmd(u"Kommunikationsverzeichnis1"_s, u"Netzwerk-&Kommunikation..."_s),
        cmd(u"Schriftart1"_s, u"Schrift&art..."_s, {}, true),
        cmd(u"Notenskala1"_s, u"Notens&kala..."_s, {}, true),
        cmd(u"Dateiordner1"_s, u"&Dateiordner..."_s),
        cmd(u"Verknuepfungsfelder1"_s, u"&Verknüpfungsfelder..."_s),
        sub(u"Werkzeugleiste1"_s, u"&Werkzeugleiste"_s,
            {radio(u"WerkzeugleisteLinks1"_s, u"&Links"_s),
             radio(u"WerkzeugleisteRechts1"_s, u"&Rechts"_s, true)}),
        cmd(u"Uebungsrueckmeldung1"_s, u"Übungsrückmeldung..."_s),
        cmd(u"Notizbox1"_s, u"Noti&zbox..."_s),
    };
}

std::vector<MenuEntry> helpMenu() {
    return {
        cmd(u"Inhalt1"_s, u"&Inhalt"_s, u"F1"_s),
        cmd(u"Info1"_s, u"Inf&o..."_s),
    };
}

std::vector<MenuEntry> buildMainMenu() {
    return {
        sub(u"Datei1"_s, u"&Datei"_s, fileMenu()),
        sub(u"Themenauswahl1"_s, u"&Themenauswahl"_s, topicChoiceMenu(), true),
        sub(u"Lernansicht1"_s, u"&Lernansicht"_s, learningViewMenu(), true),
        sub(u"Uebung1"_s, u"&Übung"_s, exerciseMenu()),
        sub(u"Lehrersteuerung1"_s, u"Lehrer&steuerung"_s, teacherControlMenu()),
        sub(u"Anzeige1"_s, u"An&zeige"_s, displayMenu()),
        sub(u"Optionen1"_s, u"&Optionen"_s, optionsMenu()),
        // Authoring belongs to the separate authoring tool; the menu stays
        // visible and disabled.
        sub(u"Autorenfunktion1"_s, u"&Autorenfunktion"_s, {}),
        sub(u"Hilfe1"_s, u"&Hilfe"_s, helpMenu()),
    };
}

const MenuEntry* findIn(const std::vector<MenuEntry>& entries, const QString& name) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind != Kind::Separator && entry.name == name)
            return &entry;
        if (const MenuEntry* found = findIn(entry.children, name))
            return found;
    }
    return nullptr;
}

} // namespace

const std::vector<MenuEntry>& mainMenu() {
    static const std::vector<MenuEntry> menus = buildMainMenu();
    return menus;
}

const MenuEntry* findMenuEntry(const QString& name) {
    return findIn(mainMenu(), name);
}

} // namespace quorvel
