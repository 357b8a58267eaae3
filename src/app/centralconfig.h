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

// The first candidate that exists as a file, read; nothing when none exists or
// the one found cannot be read (the defaults then stay in effect).
std::optional<IniFile> loadCentralConfig(const QStringList& candidates);

// Applies each section of the central file whose "...DefZentral" switch is
// non-zero over `settings`; keys missing from a switched-on section keep the
// value in effect, except those with a fixed default of their own.
void applyCentralConfig(const IniFile& ini, Settings& settings);

// "Start"/`Themenordner`: the topic folder for a start without argument,
// verbatim (empty when not set). Read whatever the switches say.
QString centralTopicFolder(const IniFile& ini);

} // namespace quorvel
