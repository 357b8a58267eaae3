// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace quorvel {

// The strip above the view: the document title with its hint. Its buttons
// that step through the topic list trigger the commands
// "VorherigesDokumentderListe1" and "NaechstesDokumentderListe1".
class TitleStrip {
public:
    virtual void setDocumentTitle(const QString& title) = 0;
    virtual QString documentTitle() const = 0;
    virtual void setTitleHint(const QString& hint) = 0;
    // Runs `handler` when the title is clicked.
    virtual void onTitleClicked(QObject* context, std::function<void()> handler) = 0;

protected:
    ~TitleStrip() = default;
};

} // namespace quorvel
