// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "topiclist.h"

#include <QString>

namespace quorvel {

// The topic list as report markup for the window "Themenliste": a title line,
// then "n: title" per entry in list order (the file name for a blank title).
QString topicListReport(const TopicList& list);

// The save dialog of the list window: title, filter and default extension.
QString topicListSaveTitle();
QString richTextFilter();
inline constexpr char16_t kRichTextExtension[] = u"rtf";

} // namespace quorvel
