// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "grading.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class RadioGroup;
class Shell;
struct Settings;

// "Noten-/Punkteskala zur Bewertung der Übungsergebnisse": the scale in use
// and the thresholds of grades and points in percent. "OK" checks the
// entries (the first failure is shown and the dialog stays open) and stores
// them; "Abbrechen" discards them.
class TNotenskalaForm : public DecoratedDialog {
    Q_OBJECT
public:
    // The shell's dialogs show the validation messages.
    explicit TNotenskalaForm(Shell& shell, QWidget* parent = nullptr);

    // Fills the dialog from `settings`; an accepted dialog stores into them.
    // `settings` must live until the dialog has closed.
    void edit(Settings& settings);

    // The entries as they stand.
    ScaleEntry entry() const;

    RadioGroup* bewertSkalaGroup() const { return m_scales; }
    // Grade rows 1..6 (6: the fixed lower bound), point rows 0..15 (0: fixed).
    QLineEdit* quoteEdit(int row) const { return m_gradeEdits[size_t(row)]; }
    QLineEdit* quoteEditP(int points) const { return m_pointEdits[size_t(points)]; }
    QLabel* gradeLabel(int row) const { return m_gradeLabels[size_t(row)]; }
    bool pointRowShown(int points) const;
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

private:
    void chooseScale(int index);
    void showRows();

    Shell& m_shell;
    Settings* m_settings = nullptr;
    RadioGroup* m_scales;
    std::array<QLabel*, 7> m_gradeLabels{};
    std::array<QLineEdit*, 7> m_gradeEdits{};
    std::array<QLineEdit*, 16> m_pointEdits{};
    std::array<QList<QWidget*>, 16> m_pointRows{};
    QPushButton* m_ok;
};

} // namespace quorvel
