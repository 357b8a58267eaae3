// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tdruckform.h"

class QLabel;

namespace quorvel {

// The dialog "Arbeitsblatt drucken": the view print's dialog with the
// worksheet's start values (2,2 and 1,4 cm from the left and top paper
// edges, 16,5 × 26,8 cm) and a note on the orientation. A landscape sheet
// is shown with the margins and the size swapped while the dialog is open.
class TArbblattDruckForm : public TDruckForm {
    Q_OBJECT
public:
    explicit TArbblattDruckForm(QWidget* parent = nullptr);

    // Shows the dialog modally for a sheet of `pageSize` (its units give the
    // ratio rule's width ÷ height); a landscape sheet swaps the fields before
    // and back after.
    int execFor(const QSize& pageSize);

    QLabel* orientationNote() const { return m_note; }

private:
    void swapFields();

    QLabel* m_note;
};

} // namespace quorvel
