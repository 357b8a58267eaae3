// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetpattern.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QSpinBox;

namespace quorvel {

class ColourButton;
class Shell;

// "Blatt mit Tabelle": rows and columns (1-200) with "+" and "-" buttons, the
// line and background colours and, behind `FreiraumCheck`, the margins in
// percent (0-100). The margins count whether shown or not; everything is
// kept between uses.
class TBlattTabelleForm : public QDialog {
    Q_OBJECT
public:
    // The colour buttons choose through the dialogs of `shell`, which must outlive the form.
    TBlattTabelleForm(Shell& shell, QWidget* parent);

    // The table sheet as entered.
    SheetSpec sheet() const;

    QSpinBox* marginEdit(int side) const { return m_margins[side]; } // left, right, top, bottom

private:
    void showMargins(bool shown);

    QSpinBox* m_rows;
    QSpinBox* m_columns;
    ColourButton* m_line;
    ColourButton* m_background;
    QCheckBox* m_marginCheck;
    QGroupBox* m_marginGroup;
    QSpinBox* m_margins[4];
};

} // namespace quorvel
