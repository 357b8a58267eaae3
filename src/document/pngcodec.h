// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>

namespace quorvel {

// The zlib level of every PNG written into documents and snapshots.
inline constexpr int kPngLevel = 5;
// The level of pictures written for a quick look (the tool's renderings):
// deflate takes a quarter of the time of level 5 for a few percent more bytes.
inline constexpr int kQuickPngLevel = 1;

// Limits on any decoded picture, so that a hostile header cannot make us
// allocate more than a real picture of a document needs: no side above
// kMaxPictureSide pixels and no more than kMaxPictureBytes of 32-bit pixels.
constexpr int kMaxPictureSide = 16384;
constexpr qint64 kMaxPictureBytes = qint64(256) * 1024 * 1024;

// Checks a picture size read from a file header against the limits above.
// Returns an empty string when a picture of that size may be allocated, else a
// short German description such as
// "Bild zu groß: 100000 × 100000 Pixel (höchstens 16384 × 16384)".
QString pictureSizeError(qint64 width, qint64 height);

// Decodes one PNG datastream from `in` into `picture`, consuming exactly its
// bytes (signature through the IEND chunk's CRC), so that the next field of a
// document starts right after it. The picture is QImage::Format_ARGB32; the
// alpha of PNG colour types 4 and 6 is kept, every other pixel is opaque (a
// tRNS chunk is ignored). Every bit depth, palette, grey and interlaced
// pictures are read. The size is checked against the limits before anything
// is allocated. On failure `picture` is null and the result carries no
// messages (the caller words them), a short German description as detail and
// the device position where decoding stopped as offset; the device then
// stands somewhere inside the broken stream.
IoResult decodePng(QIODevice& in, QImage& picture);

// The bytes that the PNG datastream at the device's position takes once
// decoded (32-bit pixels), read from its header without consuming anything,
// so that a caller can refuse a picture before paying for its decoding.
// -1 when no PNG header can be seen there (decodePng then says why).
qint64 peekPngPictureBytes(QIODevice& in);

// Moves past the PNG datastream at the device's position by its chunk
// lengths, without decompressing anything. False when the data ends first.
bool skipPng(QIODevice& in);

// Encodes `picture` as an 8-bit RGBA PNG (colour type 6, the alpha channel
// always present, filled from the picture's alpha; premultiplied pictures are
// unpremultiplied first) at zlib compression level 5 and appends it to `out`.
// Fails on a write error or for a null picture (a PNG cannot be empty), with a
// detail and no messages.
IoResult encodePng(const QImage& picture, QIODevice& out);
// The same into a new array; empty on failure.
QByteArray encodePng(const QImage& picture);

// Encodes `picture` as an 8-bit RGB PNG (colour type 2): the alpha byte of
// every pixel is dropped, the colours are kept as they are. Level 5 as above
// unless told (0..9). Used for picture files, which carry no alpha.
IoResult encodePngWithoutAlpha(const QImage& picture, QIODevice& out, int level = kPngLevel);

} // namespace quorvel
