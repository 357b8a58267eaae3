// SPDX-License-Identifier: GPL-3.0-or-later
#include "menudefinition.h"

#include <QKeySequence>
#include <QSet>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

namespace {

void collect(const std::vector<MenuEntry>& entries, std::vector<const MenuEntry*>& out) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Separator)
            continue;
        out.push_back(&entry);
        collect(entry.children, out);
    }
}

std::vector<const MenuEntry*> allEntries() {
    std::vector<const MenuEntry*> entries;
    collect(mainMenu(), entries);
    return entries;
}

} // namespace

TEST(MenuDefinition, TopLevelMenusInOrder) {
    QStringList captions;
    for (const MenuEntry& menu : mainMenu())
        captions << menu.caption;
    EXPECT_EQ(captions, QStringList({u"&Datei"_s, u"&Themenauswahl"_s, u"&Lernansicht"_s,
                                     u"&Übung"_s, u"Lehrer&steuerung"_s, u"An&zeige"_s,
                                     u"&Optionen"_s, u"&Autorenfunktion"_s, u"&Hilfe"_s}));
}

TEST(MenuDefinition, NamesAreUniqueAndShortcutsParse) {
    QSet<QString> names;
    for (const MenuEntry* entry : allEntries()) {
        EXPECT_FALSE(entry->name.isEmpty()) << entry->caption.toStdString();
        EXPECT_FALSE(names.contains(entry->name)) << entry->name.toStdString();
        names.insert(entry->name);
        if (!entry->shortcut.isEmpty()) {
            const QKeySequence sequence(entry->shortcut);
            EXPECT_EQ(sequence.count(), 1) << entry->shortcut.toStdString();
            EXPECT_NE(sequence[0].key(), Qt::Key_unknown) << entry->shortcut.toStdString();
        }
    }
}

TEST(MenuDefinition, CaptionsShortcutsAndComponentNames) {
    struct Case {
        const char16_t* name;
        const char16_t* caption;
        const char16_t* shortcut;
    };
    const Case cases[] = {
        {u"Oeffnen1", u"Ö&ffnen...", u"Ctrl+O"},
        {u"Dokumenteigenschaften1", u"Do&kumenteigenschaften...", u"Alt+Return"},
        {u"Speichern1", u"&Speichern", u"Ctrl+S"},
        {u"Speichernunter1", u"Speichern &unter...", u"Ctrl+Shift+S"},
        {u"TafelanschriebalsQVLspeichern1", u"&Tafelanschrieb als QVL speichern...", u""},
        {u"PerEMailversenden1", u"Per E-&Mail versenden...", u"Ctrl+M"},
        {u"Arbeitsblatterstellen1", u"&Arbeitsblatt erstellen...", u"F6"},
        {u"Schliessen1", u"Sch&ließen", u"Ctrl+F4"},
        {u"Startseite1", u"&Startseite", u"Alt+Home"},
        {u"NaechstesDokumentderListe1", u"&Nächstes Dokument der Liste", u"PgDown"},
        {u"AlleZeichnungenentfernen1", u"Alle &Zeichnungen entfernen", u"Ctrl+Del"},
        {u"UebungStart1", u"Individual-&Übung", u"F7"},
        {u"UebungsTestserieausfuehren1", u"Übungs-/Testserie ausführen...", u"Ctrl+Shift+Ü"},
        {u"Netzwerkuebung1", u"An Netzwerk-Übung &teilnehmen...", u"F8"},
        {u"Netzwerkuebunginitiieren1", u"&Netzwerk-Übung initiieren...", u"F9"},
        {u"LehrerNetzwerkUebungbeenden1", u"Netzwerk-Übung &beenden", u""},
        {u"NetzwerkbungKontrollanzeige1", u"&Kontrollanzeige...", u"Alt+F9"},
        {u"BestenlisteNetzwerkbung1", u"&Bestenliste Netzwerk-Übung...", u""},
        {u"Vollbild1", u"&Vollbild", u"Ctrl+L"},
        {u"Fenster1", u"&Fenster", u"Ctrl+F"},
        {u"Minimieren1", u"&Minimieren", u"Ctrl+N"},
        {u"Kommunikationsverzeichnis1", u"Netzwerk-&Kommunikation...", u""},
        {u"WerkzeugleisteLinks1", u"&Links", u""},
        {u"WerkzeugleisteRechts1", u"&Rechts", u""},
        {u"Inhalt1", u"&Inhalt", u"F1"},
        {u"Info1", u"Inf&o...", u""},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        const MenuEntry* entry = findMenuEntry(name);
        ASSERT_NE(entry, nullptr) << name.toStdString();
        EXPECT_EQ(entry->caption, QString::fromUtf16(c.caption)) << name.toStdString();
        EXPECT_EQ(entry->shortcut, QString::fromUtf16(c.shortcut)) << name.toStdString();
    }
}

TEST(MenuDefinition, OnlyTheSevenEntriesAreBoundToTheLearningView) {
    QSet<QString> bound;
    for (const MenuEntry* entry : allEntries()) {
        if (entry->learningViewOnly)
            bound.insert(entry->name);
    }
    EXPECT_EQ(bound, QSet<QString>({u"Oeffnen1"_s, u"Schliessen1"_s, u"Arbeitsblatterstellen1"_s,
                                    u"Themenauswahl1"_s, u"Lernansicht1"_s, u"Notenskala1"_s,
                                    u"Schriftart1"_s}));
}

TEST(MenuDefinition, TopicMenuHasThirteenFixedItems) {
    const MenuEntry* menu = findMenuEntry(u"Themenauswahl1"_s);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(int(menu->children.size()), kTopicMenuFixedEntries);
    EXPECT_EQ(menu->children.back().kind, MenuEntry::Kind::Separator);
}

TEST(MenuDefinition, OptionItemsAreChecksAndToolBarSideIsOneChoice) {
    const MenuEntry* options = findMenuEntry(u"Optionen1"_s);
    ASSERT_NE(options, nullptr);
    QStringList checks;
    for (const MenuEntry& entry : options->children) {
        if (entry.kind == MenuEntry::Kind::Check)
            checks << entry.caption;
    }
    EXPECT_EQ(checks,
              QStringList({u"&Tonausgabe"_s, u"&Namenseingabe bei Übungen"_s,
                           u"&Statusinformation bei Übungen anzeigen"_s,
                           u"Übungs&protokolle automatisch speichern"_s,
                           u"Ergebnisse Individual-Übung automatisch in &Bestenliste eintragen"_s,
                           u"Übungs&ergebnisfenster anzeigen"_s}));
    EXPECT_EQ(findMenuEntry(u"WerkzeugleisteLinks1"_s)->kind, MenuEntry::Kind::Radio);
    EXPECT_EQ(findMenuEntry(u"WerkzeugleisteRechts1"_s)->kind, MenuEntry::Kind::Radio);
}
