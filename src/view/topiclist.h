// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

namespace quorvel {

// One readable document of the topic folder.
struct ThemenDataTyp {
    QString titel;
    QString file;          // folder + file name
    QString fileNameLower; // the file name in lower case
};

using TopicList = std::vector<ThemenDataTyp>;

// Reads the headers of every "*.qvl" file of `folder` (not of subfolders;
// hidden and read-only files included) and returns the readable ones sorted
// by title, case-insensitively in the user's locale. Files that cannot be read
// as a document header are left out silently; a missing folder gives an empty
// list.
TopicList readTopicList(const QString& folder);

// Sorts by title, case-insensitively in the user's locale; equal titles keep
// no particular order.
void sortTopicList(TopicList& list);

// The title an entry is shown with: its title, or its file name when the title
// is blank.
QString shownTitle(const ThemenDataTyp& entry);

} // namespace quorvel
