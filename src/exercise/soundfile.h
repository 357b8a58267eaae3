// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

namespace quorvel {

// The sound folders in the order they are searched: "sound/" below the base
// folder (the user's or a portable install's own sounds) first, then the
// sounds shipped with the install (`shippedFolder`). Folders end with "/".
QStringList soundFolders(const QString& baseFolder, const QString& shippedFolder);

// Where the install puts its sounds, seen from the program's folder: the
// data folder beside the "bin" folder ("../share/quorvel/sound/").
QString shippedSoundFolder(const QString& programFolder);

// `name` with its extension replaced by ".wav" (added when it has none); a
// dot in a folder name is no extension.
QString withWavExtension(const QString& name);

// The sound file to play for the setting `nameAsSet`, or the message for a
// missing one.
struct SoundFile {
    QString path;  // empty when missing
    QString error; // "Sounddatei "name" nicht gefunden."
};

// A name without folder is looked up in `folders` (the first that has it);
// a name with folder is taken as it is. `exists` answers whether a file is
// there (tests replace it; the default asks the file system).
SoundFile resolveSoundFile(const QString& nameAsSet, const QStringList& folders,
                           const std::function<bool(const QString&)>& exists = {});

// The playing time in milliseconds of a PCM WAV file, or -1 when `device`
// holds no readable RIFF/WAVE header with a format and a data chunk.
qint64 wavDurationMs(QIODevice& device);

} // namespace quorvel
