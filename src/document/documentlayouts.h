// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

class Document;

// The layouts of the document types as the document core needs them: the
// generator that turns a document's source texts and tables into page
// objects. The layouts library implements it (LayoutSet, with the view's part
// in ViewLayouts); the reader and the page geometry take it explicitly, so an
// entry point that forgets it does not compile.
class DocumentLayouts {
public:
    virtual ~DocumentLayouts() = default;

    // Runs the generator of the document's type (`DokTyp`): it removes the
    // objects it made before, then appends new ones. A type without a
    // generator leaves the document as it is.
    virtual void generate(Document& document) const = 0;

    // What runs right after a document has been read: the same generator,
    // unless the type keeps its objects in the file (single questions).
    virtual void generateAfterReading(Document& document) const { generate(document); }
};

} // namespace quorvel
