// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciseoptionsdialog.h"

namespace quorvel {

struct UebOptKorbSettings;

// "Übungseinstellungen für Cluster-Übung": the query mode (free or one card
// at a time) and the time.
class TUebOptKorbForm : public ExerciseOptionsDialog {
    Q_OBJECT
public:
    TUebOptKorbForm(ExerciseOptionsDialog* holder, QWidget* parent = nullptr);

    void load(const UebOptKorbSettings& settings);
    void store(UebOptKorbSettings& settings) const;

    RadioGroup* abfrageModus() const { return m_abfrageModus; }
    TimeLimitGroup* zeitlimit() const { return m_zeitlimit; }

private:
    RadioGroup* m_abfrageModus;
    TimeLimitGroup* m_zeitlimit;
};

} // namespace quorvel
