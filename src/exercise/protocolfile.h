// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace quorvel {

// The font the saved protocols are set in.
inline constexpr char16_t kProtocolFontFamily[] = u"Arial";

// A protocol (report markup) as the rich-text bytes the protocol window saves
// and `quorvel-tool exercise --rtf` writes.
QByteArray protocolRtf(const QString& markup);

// Writes `markup` as rich text to `path` through a save file, so a failed
// write leaves an earlier file intact. A failure carries the file-write
// message for `path`.
IoResult writeProtocolFile(const QString& path, const QString& markup);

// The markup a comment adds to the protocol: "\r\n<tit>Kommentar\r\n" and the
// trimmed text; empty when the text is blank after trimming.
QString commentMarkup(const QString& comment);

// The file names of a protocol saved by the program itself, for the moment
// `at` and a counter: "20261211-093005-rechner-0.rtf" for the automatic save,
// "email-qvlprotokoll-20261211-093005-0.rtf" for the mail hand-over. A
// computer name never adds a folder: "/" and "\" become "_".
QString autoSaveProtocolName(const QDateTime& at, const QString& computer, int counter);
QString mailProtocolName(const QDateTime& at, int counter);

// The message that follows the file-write message when saving for mail fails.
QString mailProtocolFailureText();
// The message when the protocol to be mailed is still empty (no run yet).
QString msgNoProtocolToMail();

// Saves `markup` into `folder` (created when missing; a folder without its
// trailing separator gets one) under the first free name that `name` gives
// for counters 0, 1, 2, ... The name is claimed atomically, so two saves in
// the same second by two processes get different counters. The claimed file
// is filled through a save file and removed again when that fails. On
// success `savedPath` holds the full path. A failure carries the file-write
// message, an empty line and `failureText`.
IoResult saveProtocolUnderFreeName(const QString& folder,
                                   const std::function<QString(int counter)>& name,
                                   const QString& markup, const QString& failureText,
                                   QString* savedPath = nullptr);

// The automatic save after a run ("Opt-AutoProtSpeichern"): into the protocol
// folder under autoSaveProtocolName(), with its own failure text.
IoResult autoSaveProtocol(const QString& folder, const QString& computer, const QDateTime& at,
                          const QString& markup, QString* savedPath = nullptr);

} // namespace quorvel
