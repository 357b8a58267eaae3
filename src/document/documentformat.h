// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Internal to the reader and writer: the names of the optional fields of the
// document format and the list the writer stores.

namespace quorvel::format {

// Every optional field the current writer knows, in the order it has always
// been extended; the reader tests each key by plain substring search.
inline constexpr char16_t kKeyList[] =
    u"|HD-vers|HD-titel|HD-autor|HD-bemerkung|HD-lueckentext|HD-fragentext|HD-AnzFrageNummern"
    u"|HD-DokTyp|HD-RandErw|HD-NumArt|HD-GeordnetArt|HD-EinrueckRand|HD-EinrückRand|OB-Sx|OB-Sy"
    u"|OB-Kx|OB-Ky|OB-Cap|OB-KAusr|OB-TAusr|OB-Ebene|OB-Typ|OB-Sline|OB-Fsize|OB-KAusrAkt"
    u"|OB-FrageNummer|OB-Stil|OB-Farbe|OB-Untertyp|OB-BildAntw|OB-AntwortAnz|OB-LinieFarbe"
    u"|OB-LinieDicke|HD-HtgdCol|HD-MinLuecke|HD-LueckenTabelle|HD-LueckenTabelleZeilen"
    u"|HD-LueckenTabelleSpalten|HD-LueckenTabelleLinie|HD-LueckenTabelleLinieCol|HD-DokUnterTyp"
    u"|OB-ZIndex|OB-HFarbe|OB-HDeck|OB-PktCap|OB-BildKenn|OB-BildkarteAnpassen|OB-PunktInUebung"
    u"|HD-BilderPasswort|HD-Schriftart|HD-LueckenTabelleBild|HD-Arbeitsblatt|HD-ABAufgabe"
    u"|HD-TextCol|HD-FragBtnHtgdCol|HD-FragBtnTextCol|HD-LueckenTabelleBildLink|OB-PktHtgdDeck"
    u"|HD-ABLogo|OB-PktCap2|HD-LueckentabelleSpaltenHtgd|HD-BasisbildDeck|OB-BildDeck"
    u"|HD-CodePage|HD-LueckentextCol|HD-Zielpunktgroesse|OB-MCInfoLinkData|";

inline constexpr int kAnsiCodePage = 1252;
inline constexpr int kOemCodePage = 850;
inline constexpr int kCrosswordListMarker = 30;

} // namespace quorvel::format
