// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "settings.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel {

// The exercise settings a subcommand's "--set NAME=VALUE" options give:
// grading keys ("Opt-BewertSkala", "Opt-NoteMinQuoteN", "Opt-PunkteMinQuoteN")
// go into the stored settings, the snapshot's fields (AbfrageModus, Zeitlimit,
// ...) over the snapshot taken from them.
class SettingOverrides {
public:
    // A usage error ("quorvel-tool: ...") for an unknown name or a value out
    // of range; nothing when every option was taken.
    std::optional<QString> parse(const std::vector<std::pair<QString, QString>>& sets);

    // The program's defaults with the grading keys applied.
    Settings& settings() { return m_settings; }
    // Sets the snapshot fields given.
    void apply(UebEinstellungen& snapshot) const;

private:
    Settings m_settings = defaultSettings(QString());
    std::vector<std::pair<int, int>> m_fields; // field index, value
};

} // namespace quorvel
