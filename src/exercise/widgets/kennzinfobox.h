// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

class QPlainTextEdit;

namespace quorvel {

// "Information zu den Kennzahlen": what the figures of the exercise status
// bar mean, read-only, with "Schließen". Opened by its "?" button.
class TKennzInfoBox : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TKennzInfoBox(QWidget* parent = nullptr);

    // The five blocks: heading line, explanation, empty line.
    static QString text();

    QPlainTextEdit* textBox() const { return m_text; }

private:
    QPlainTextEdit* m_text;
};

} // namespace quorvel
