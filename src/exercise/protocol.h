// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "uebungssitzung.h"

#include <QString>

namespace quorvel {

class Document;

// `value` with `decimals` fixed decimals, rounded, "." as separator and no
// thousands separator, whatever the locale.
QString fixedText(double value, int decimals);

// Whole seconds as minutes and seconds, each at least two digits, joined by
// ":" ("03:07"; minutes may grow beyond two digits). Negative counts as 0.
QString clockText(qint64 seconds);

// A time limit in seconds as the preamble writes it: "3 Min. 0 Sek.",
// "1 Std. 0 Min. 5 Sek.", "45 Sek.".
QString timeLimitText(int seconds);

// The protocol texts a line can go to.
enum class ProtocolText { Preamble = 0, Body = 1, Series = 2 };

// Appends `line` + CR LF to the chosen text of `run`; with `stamped` the
// time stamp (elapsed whole seconds since the start, as clockText) and " - "
// go to the body first, whichever text the line goes to.
void writeProtocolLine(UebungsSitzung& run, ProtocolText text, const QString& line, bool stamped,
                       qint64 elapsedMs);

// What the preamble needs besides the run and the document.
struct ProtocolContext {
    QString computerName;
    QString userName;
    int partNumber = 0;  // series part (1-based)
    double weight = 0.0; // series part's weight
    QString folder;      // network teacher: the communication folder and channel
    QString channel;
    QString networkName; // network participant: the registered name
};

// The context of a run on this computer: its name and the logged-on user
// (the environment's name, else the home folder's).
ProtocolContext localProtocolContext();

// The figures of the status bar and the protocol: counts with no decimals
// (two for multiple choice), percentages with one decimal and " %".
QString countFigure(const UebungsSitzung& run, DokTyp dokTyp, double value);
QString percentFigure(double fraction);

// The preamble's lines from the start time to the grade limits: who, where,
// which document and with which settings. Lines end in CR LF.
QString exerciseSettingsSummary(const UebungsSitzung& run, const Document& document,
                                const ProtocolContext& context);

// The preamble of the run as it stands (title, header, settings,
// statistics), `clock` the clock text shown at its end. Lines end in CR LF.
QString protocolPreamble(const UebungsSitzung& run, const Document& document,
                         const ProtocolContext& context, const QString& clock);

// The completed protocol: preamble, an empty line and the body.
QString completedProtocol(const UebungsSitzung& run, const Document& document,
                          const ProtocolContext& context, const QString& clock);

} // namespace quorvel
