// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

#include <optional>

class QPlainTextEdit;

namespace quorvel {

// "Kommentar zum Übungsprotokoll hinzufügen": a memo with "OK" and "Abbrechen".
class TProtKomForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TProtKomForm(QWidget* parent = nullptr);

    // Clears the memo and shows the dialog modally; the memo's text when
    // closed with "OK", nothing otherwise.
    std::optional<QString> ask();

    QPlainTextEdit* memo() const { return m_memo; }

private:
    QPlainTextEdit* m_memo;
};

} // namespace quorvel
