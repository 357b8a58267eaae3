// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciseoptionsdialog.h"

namespace quorvel {

struct CrossMatchingTime;

// "Übungseinstellungen für Über-Kreuz-Zuordnung": the time only. Its values
// last for the program run; nothing of it is stored.
class TUebOptKreuzverbindungForm : public ExerciseOptionsDialog {
    Q_OBJECT
public:
    TUebOptKreuzverbindungForm(ExerciseOptionsDialog* holder, QWidget* parent = nullptr);

    void load(const CrossMatchingTime& time);
    void store(CrossMatchingTime& time) const;

    TimeLimitGroup* zeitlimit() const { return m_zeitlimit; }

private:
    TimeLimitGroup* m_zeitlimit;
};

} // namespace quorvel
