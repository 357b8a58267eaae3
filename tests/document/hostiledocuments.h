// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Well-formed documents whose content once froze or crashed the learning
// view: absurd words, thousands of numbered fields, huge titles, huge
// pictures. Each is written by the tests' own document writer, so no binary
// is committed, and each is drawn by the regression tests, the hostile
// benchmark and the seed corpus of the view's fuzz target.
struct HostileDocument {
    const char* name; // usable as a test and file name
    QByteArray bytes; // the document file
    bool uncovered;   // drawn with every query field uncovered
    int numbering;    // numbering mode (numbering.h)
};

// `scale` 1.0 gives the sizes users reported; smaller values shrink the
// counts and lengths alike (at least one of each), for quicker runs. With
// `only` set, just the document of that name is written.
std::vector<HostileDocument> hostileDocuments(double scale = 1.0, const QString& only = {});

// The same writer's ordinary labelling document: 30 short labels and points.
QByteArray ordinaryLabellingDocument();
