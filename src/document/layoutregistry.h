#pragma once

#include <functional>

namespace quorvel {

class Document;

// The layout generators of the document types register here; the document core
// and the page composition run them without knowing them. A generator first
// removes the objects it made before, then appends new ones.
using LayoutGenerator = std::function<void(Document&)>;

// Registers the generator for `dokTyp` (replacing an earlier one).
void registerLayoutGenerator(int dokTyp, LayoutGenerator generator);

// Runs the generator of the document's type; does nothing when none is registered.
void runLayoutGenerator(Document& document);

} // namespace quorvel
