// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documentio.h"
#include "exercisesession.h"
#include "seriesrun.h"

namespace quorvel {

// Loads the current part's document of `series` into `document`: from the
// package at the entry's offset when the series runs from a package, else
// from the entry's file. The reader's messages on failure.
IoResult loadSeriesPart(const SeriesRun& series, Document& document, const ReadOptions& options);

// The start request of the current part for its loaded document of type
// `dokTyp`: the individual settings of this computer with the part's query
// mode, time limit and the series mode, as a series part for `name`, with
// its number and weight in the protocol.
StartRequest seriesPartRequest(const SeriesRun& series, DokTyp dokTyp, const Settings& settings,
                               const CrossMatchingTime& crossMatching, const QDateTime& start,
                               const QString& name);

} // namespace quorvel
