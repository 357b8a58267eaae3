// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace quorvel {

class Document;

// The one open document of the program. Opening and closing tell the shell's
// participants (documentOpened(), documentClosed()).
class DocumentSession {
public:
    // The document in memory; while none is open it is the empty document on
    // the start picture.
    virtual Document& document() = 0;
    virtual bool isOpen() const = 0;
    // The path of the document shown before the current one (or before the
    // start state), for "&Zuvor angezeigtes Dokument"; empty when none.
    virtual QString previouslyShownDocument() const = 0;

    // Reads `path` as the current document; the document shown before is
    // remembered (Document::previousFile). On failure shows the read
    // messages and leaves the empty start state; a missing file leaves the
    // open document as it was. True on success.
    virtual bool readAsCurrent(const QString& path) = 0;
    // Reads the document that starts at `offset` inside the series package
    // `package` as the current document, as readAsCurrent() does; the topic
    // folder stays.
    virtual bool readPackagePart(const QString& package, qint64 offset) = 0;

    // The questions that closing the document would ask: the running
    // exercise or puzzle, then unsaved changes. False when one cancels.
    virtual bool askBeforeLeaving() = 0;
    // Those questions, then the empty start state. False when cancelled.
    virtual bool closeDocument() = 0;
    // The empty start state: start picture, empty document, start panel.
    virtual void showEmptyState() = 0;
    // A new document without a file in place of the current one (the caller
    // has asked the questions before leaving): no objects, `basePicture` as
    // its base picture at its own size, the title `titel`, unchanged.
    virtual void showNewDocument(const QImage& basePicture, const QString& titel) = 0;

protected:
    ~DocumentSession() = default;
};

} // namespace quorvel
