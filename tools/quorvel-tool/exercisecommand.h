// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"
#include "viewlayouts.h"

#include <QDateTime>
#include <QJsonObject>
#include <QSize>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel {

// What `exercise` replays: the view size the layouts and targets are
// computed for, the generator's seed, the wall-clock start, the participant,
// settings overrides (NAME, VALUE), the script (a file, "-" for standard
// input, or given as text) and the output form.
struct ExerciseOptions {
    QSize size{1024, 768};
    std::optional<quint64> seed;
    QDateTime start;
    QString name;
    std::vector<std::pair<QString, QString>> sets;
    QString scriptPath;
    std::optional<QByteArray> scriptText; // used instead of scriptPath when set
    bool json = false;
    QString rtfPath; // also write the completed protocol there as rich text
};

// `exercise FILE`: an individual exercise of the document FILE on the engine
// with a virtual clock, driven by the script; prints the completed protocol
// (lines ending in CR LF) or, with `json`, one JSON object with the run's
// figures, the query order, the objects and the protocol. With `rtfPath` the
// completed protocol is also written there as the protocol window saves it;
// a file that cannot be written exits with 1. A refusal of the
// start exits with 1 and the message on stderr; a script action that the run
// cannot take is reported on stderr with its line number and skipped. An
// unknown setting or a value out of range is a usage error.
CommandOutcome exerciseCommand(const ViewLayouts& layouts, const QString& documentPath,
                               const ExerciseOptions& options);

class Document;
class ExerciseRun;
class ExerciseSession;
class RandomGenerator;
class VirtualClock;

// What `exercise` prints for a run: the completed protocol, or the JSON
// object of `exerciseRunObject` (indented).
QByteArray exerciseOutput(const ExerciseRun& run, bool json);
QJsonObject exerciseRunObject(const ExerciseRun& run);

// The script of `exercise`: `text` when given, else the file at `path` ("-"
// standard input; empty: no script). False with the message in `failed`.
bool readExerciseScript(const QString& path, const std::optional<QByteArray>& text,
                        QByteArray& script, CommandOutcome& failed);

// Covers and numbers the document and composes its page for a view of `size`,
// as the learning view shows it before an exercise starts.
void prepareExerciseDocument(const ViewLayouts& layouts, QSize size, Document& document,
                             RandomGenerator& random);

// The script's driver: one action per line on the session's run, the time
// on the virtual clock.
class ScriptPlayer {
public:
    ScriptPlayer(ExerciseSession& session, VirtualClock& clock, QDateTime start);

    // Runs `line` (number `number`); a message for stderr when it was not taken.
    QString play(const QString& text, int number);

private:
    void wait(double seconds);
    QString repeat(int mode);

    ExerciseSession& m_session;
    ExerciseRun& m_run;
    VirtualClock& m_clock;
    QDateTime m_start;
};

// Parses "YYYY-MM-DDTHH:MM:SS" (local time).
std::optional<QDateTime> parseStartTime(const QString& value, QString& error);

} // namespace quorvel
