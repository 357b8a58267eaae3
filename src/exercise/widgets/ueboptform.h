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

    // Shown to initiate a network exercise: the panel `NetzUebInitPan` and
    // the group `RiFaRueckmeldung` are visible until the dialog closes.
    void setNetworkInitiation(bool on);
    // `RiFaRueckmeldung` of the network exercise (0 at once, 1 at the end).
    int riFaRueckmeldung() const;

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
    QLabel* networkPanel() const { return m_networkPanel; }

    void done(int result) override;

private:
    void showModeOptions();
    void applyRiFaRueckmeldung();
    void fitHeight();

    RadioGroup* m_abfrageModus;
    QCheckBox* m_anzZeichen;
    TimeLimitGroup* m_zeitlimit;
    RadioGroup* m_riFa;
    QLabel* m_networkPanel;
    QStackedWidget* m_extendedArea;
    RadioGroup* m_richtig;
    RadioGroup* m_falsch;
    QLabel* m_falschSecondLine;
    RadioGroup* m_texte;
    RadioGroup* m_ziele;
    QLabel* m_textInputPanel;
    QPushButton* m_extendButton;
    bool m_extended = false;
    QString m_caption;
};

} // namespace quorvel
