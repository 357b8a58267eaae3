// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

class QLabel;
class QListWidget;

namespace quorvel {

// The dialog "Schriftart": the document font chosen from the fonts of this
// computer (listed once, when the dialog is made) with a preview of the
// chosen font's name set in that font. Made once and reused.
class TSchriftartForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TSchriftartForm(QWidget* parent = nullptr);

    // Selects `family` in the list (case-insensitively); nothing is selected
    // when it is not installed.
    void select(const QString& family);
    // The selected family; empty when none is.
    QString chosen() const;

    QListWidget* list() const { return m_list; }
    QLabel* preview() const { return m_preview; }

private:
    void showPreview();

    QListWidget* m_list;
    QLabel* m_preview;
};

} // namespace quorvel
