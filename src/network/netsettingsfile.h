// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <array>
#include <optional>

namespace quorvel {

class LessonKey;

// The settings file of a network exercise: the teacher's computer name and
// the exercise settings it confirmed, as the participants read them. Option
// values are carried as the dialogs' item indexes.
struct NetzUebSettings {
    QString NetzUebungMaster;
    qint32 RiFaRueckmeldungItemIndex = 0;
    qint32 ZuordnungRichtigItemIndex = 0;
    qint32 ZuordnungFalschItemIndex = 0;
    qint32 ZuordnungstexteItemIndex = 0;
    qint32 ZuordnungszieleItemIndex = 0;
    qint32 AbfrageModusItemIndex = 0;
    qint32 ZeitLimitIndex = 0;
    qint32 ZeitLimitWert = 0;
    // Missing in files of earlier versions: the participant keeps its own.
    std::optional<std::array<double, 7>> NoteMinQuote;
    std::optional<std::array<double, 17>> PunkteMinQuote;
    std::optional<qint32> BewertSkala;
    std::optional<qint32> AnzZeichenVorgeben;

    // With a lesson code: the exercise's salt, the code's verifier and the
    // tag of the document copy (empty without a code).
    QByteArray lessonSalt;
    QByteArray lessonVerifier;
    QByteArray documentTag;
    // Whether the file carried a settings tag that matched (set by the reader
    // when it is given a key; a file without a code never has one).
    bool tagVerified = false;
};

// The key list of the plain file.
QString netzUebKeyList();

// Writes the file; with an active `key` the code's keys are added to the key
// list and the file ends with a tag over everything before it.
IoResult writeNetzUebSettings(QIODevice& out, const NetzUebSettings& settings,
                              const LessonKey* key = nullptr);

// Reads items 1 to 11 always, the later ones when the key list names them;
// keys it does not know are skipped. With an active `key` the file's tag is
// checked (tagVerified). A failure has a detail and the offset; the caller
// shows "Fehler beim Einlesen der Datei" with the path.
IoResult readNetzUebSettings(QIODevice& in, NetzUebSettings& settings,
                             const LessonKey* key = nullptr);

// The message of every read error of the exchanged files.
QString msgNetworkFileRead(const QString& path);

} // namespace quorvel
