// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exerciseoptionsdialog.h"

class QCheckBox;
class QLabel;
class QStackedWidget;

namespace quorvel {

struct UebOptSettings;

// "Übungseinstellungen für Text-Bild- / Bild-Text-Zuordnung und
// Lückentext": the settings of picture labelling, cloze, crossword and any
// other document type. It opens reduced (height 276); "Erweitert..." shows
// the four groups of right, wrong, cards and targets (height 514). It holds
// the check box the four settings dialogs share.
class TUebOptForm : public ExerciseOptionsDialog {
    Q_OBJECT
public:
    static constexpr int kReducedHeight = 276;
    static constexpr int kExtendedHeight = 514;

    explicit TUebOptForm(QWidget* parent = nullptr);

    void load(const UebOptSettings& settings);
    void store(UebOptSettings& settings) const;

    // To initiate a network exercise the group `RiFaRueckmeldung` shows too.
    void setNetworkInitiation(bool on) override;
    // `RiFaRueckmeldung` of the network exercise (0 at once, 1 at the end).
    int riFaRueckmeldung() const;
    // What the last initiation chose; the group resets when the dialog closes.
    int initiatedRiFaRueckmeldung() const { return m_initiatedRiFa; }

    bool extended() const { return m_extended; }
    void setExtended(bool extended);

    RadioGroup* abfrageModus() const { return m_abfrageModus; }
    TimeLimitGroup* zeitlimit() const { return m_zeitlimit; }
    RadioGroup* zuordnungRichtig() const { return m_richtig; }
    RadioGroup* zuordnungFalsch() const { return m_falsch; }
    RadioGroup* zuordnungstexte() const { return m_texte; }
    RadioGroup* zuordnungsziele() const { return m_ziele; }
    RadioGroup* riFaRueckmeldungGroup() const { return m_riFa; }
    QCheckBox* anzZeichenVorgeben() const { return m_anzZeichen; }
    QPushButton* extendButton() const { return m_extendButton; }
    QLabel* textInputPanel() const { return m_textInputPanel; }

private:
    void showModeOptions();
    void applyRiFaRueckmeldung();
    void fitHeight();

    RadioGroup* m_abfrageModus;
    QCheckBox* m_anzZeichen;
    TimeLimitGroup* m_zeitlimit;
    RadioGroup* m_riFa;
    QStackedWidget* m_extendedArea;
    RadioGroup* m_richtig;
    RadioGroup* m_falsch;
    QLabel* m_falschSecondLine;
    RadioGroup* m_texte;
    RadioGroup* m_ziele;
    QLabel* m_textInputPanel;
    QPushButton* m_extendButton;
    bool m_extended = false;
    int m_initiatedRiFa = 0;
};

} // namespace quorvel
