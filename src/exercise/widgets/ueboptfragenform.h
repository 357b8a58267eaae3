// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciseoptionsdialog.h"
#include "typecodes.h"

namespace quorvel {

struct UebOptFragenSettings;

// "Übungseinstellungen für Einzelfragen und Multiple-Choice-Fragen": how the
// questions are asked (`ZuordnungFalsch`), the order of the answers
// (`Zuordnungstexte`, whose first item depends on the document type), the
// order of the questions (`Zuordnungsziele`) and the time.
class TUebOptFragenForm : public ExerciseOptionsDialog {
    Q_OBJECT
public:
    TUebOptFragenForm(ExerciseOptionsDialog* holder, QWidget* parent = nullptr);

    // Single questions order their answers alphabetically, multiple-choice
    // questions as given.
    void setDokTyp(DokTyp dokTyp);

    void load(const UebOptFragenSettings& settings);
    void store(UebOptFragenSettings& settings) const;

    RadioGroup* zuordnungFalsch() const { return m_falsch; }
    RadioGroup* zuordnungstexte() const { return m_texte; }
    RadioGroup* zuordnungsziele() const { return m_ziele; }
    TimeLimitGroup* zeitlimit() const { return m_zeitlimit; }

private:
    RadioGroup* m_falsch;
    RadioGroup* m_texte;
    RadioGroup* m_ziele;
    TimeLimitGroup* m_zeitlimit;
};

} // namespace quorvel
