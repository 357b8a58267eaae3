// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// Paging of the topic menu: the list is shown sixty entries at a time.
constexpr int kTopicsPerPage = 60;
// Above this many entries the menu shows two columns.
constexpr int kTopicsInOneColumnUpTo = 25;

struct TopicMenuPage {
    int start = 0; // first entry shown
    int end = 0;   // one past the last entry shown
    bool previousEnabled = false;
    bool nextEnabled = false;
    QString previousCaption;
    QString nextCaption;
    int columnBreakBefore = -1; // entry that starts the second column; -1 for one column
};

// A page start clamped so that a page never starts past count - 60 nor before 0.
int clampPageStart(int start, int count);

// What the menu shows for page start `start` of a list of `count` entries.
TopicMenuPage topicMenuPage(int start, int count);

// The page start that shows `current` (>= 0), moving from `start` in steps of 60.
int pageStartFor(int current, int start, int count);

// A title made safe for one menu line: control characters become blanks and a
// title longer than 100 characters ends in an ellipsis.
QString topicMenuTitle(const QString& title);

// The menu caption of entry `index` (from 0) with the shown title: "&1:  Titel"
// for the first nine, "10:  Titel" after; "&" in the title is kept literal.
QString topicMenuCaption(int index, const QString& title);

// The entry "next" or "previous" leads to: current + step clamped into the
// list, or -1 for an empty list.
int neighbourEntry(int current, int step, int count);

} // namespace quorvel
