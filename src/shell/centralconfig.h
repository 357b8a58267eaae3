// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "inifile.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quorvel {

struct Settings;

// Where the central "config.ini" is looked for, in order: the folder of the
// executable, then the system-wide /etc/quorvel/.
QStringList centralConfigCandidates(const QString& executableFolder);

// Reads the first candidate that exists as a file into `ini`. Fails silently
// (a detail, no messages; the defaults then stay in effect) when none exists
// or the one found cannot be read.
IoResult loadCentralConfig(const QStringList& candidates, IniFile& ini);

// Applies each section of the central file whose "...DefZentral" switch is
// non-zero over `settings`; keys missing from a switched-on section keep the
// value in effect, except those with a fixed default of their own.
void applyCentralConfig(const IniFile& ini, Settings& settings);

// "Start"/`Themenordner`: the topic folder for a start without argument,
// verbatim (empty when not set). Read whatever the switches say.
QString centralTopicFolder(const IniFile& ini);

} // namespace quorvel
