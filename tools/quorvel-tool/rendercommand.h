// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"
#include "viewlayouts.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace quorvel {

// What `render` draws: the learning view of a document in a view area of
// `size` pixels at a zoom level, with the fields covered as after loading
// (or all uncovered), numbered in a numbering mode, with the listed layers.
struct RenderOptions {
    QSize size{1024, 768};
    int zoomLevel = 0;
    bool uncover = false;
    int numbering = 1; // 0 question marks, 1 ordered, 2 random
    std::array<bool, 4> layers{true, true, true, true};
    std::optional<int> question; // the current question; none: the first
};

// Reads the option values of `render` ("--size WxH", "--zoom N", "--numbering N",
// "--layers LIST"); nullopt with an English message in `error` for a bad value.
std::optional<QSize> parseRenderSize(const QString& value, QString& error);
std::optional<int> parseRenderInt(const QString& value, int min, int max, const QString& option,
                                  QString& error);
std::optional<std::array<bool, 4>> parseRenderLayers(const QString& value, QString& error);

// Reads the document and composes its view picture as `render` draws it;
// false with the reader's or the composer's messages in `failed`.
bool composeCommandView(const ViewLayouts& layouts, const QString& documentPath,
                        const RenderOptions& options, QImage& view, CommandOutcome& failed);

// `render FILE OUT`: writes the view picture to OUT (the format by its
// extension: ".png", ".jpg" or a bitmap).
// `layouts` lay out and compose the document as the program does.
CommandOutcome renderCommand(const ViewLayouts& layouts, const QString& documentPath,
                             const QString& outputPath, const RenderOptions& options);

} // namespace quorvel
