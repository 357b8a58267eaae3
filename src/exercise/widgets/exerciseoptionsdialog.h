// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "radiogroup.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace quorvel {

// The time group of every settings dialog: " Ohne Zeitlimit, mit Uhr ",
// " Mit Zeitlimit: " with the minutes and seconds edits (`ZLimitMin`,
// `ZLimitSek`, 0..59 each), " Ohne Zeitlimit, ohne Uhr ". Typing a time
// chooses the limit.
class TimeLimitGroup : public RadioGroup {
    Q_OBJECT
public:
    explicit TimeLimitGroup(QWidget* parent = nullptr);

    void setTime(int zeitlimit, const QString& minutes, const QString& seconds);
    QLineEdit* minutes() const { return m_minutes; }
    QLineEdit* seconds() const { return m_seconds; }

private:
    QLineEdit* m_minutes;
    QLineEdit* m_seconds;
};

// The frame of the four exercise settings dialogs: modal, "Übung starten"
// (accepts) and "Schließen" (rejects), and the check box " Dieses
// Dialogfenster vor jeder Übung anzeigen ". The check box is one setting for
// all four: the labelling dialog holds it, the others copy it from there when
// they open and back when they close. It is checked at start and not stored.
class ExerciseOptionsDialog : public DecoratedDialog {
    Q_OBJECT
public:
    // `holder` is the dialog whose check box the others share; null for the
    // holder itself.
    ExerciseOptionsDialog(const QString& name, const QString& caption,
                          ExerciseOptionsDialog* holder, QWidget* parent = nullptr);

    QCheckBox* showBeforeEachExercise() const { return m_showBefore; }
    // Shown to initiate a network exercise: the caption "Netzwerk-" + the
    // normal caption and the panel `NetzUebInitPan`, until the dialog closes.
    virtual void setNetworkInitiation(bool on);
    bool networkInitiation() const { return m_networkInitiation; }
    // The panel `NetzUebInitPan`; the network part adds its fields to it.
    QWidget* networkPanel() const { return m_networkPanel; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* closeButton() const { return m_close; }

    void done(int result) override;

protected:
    // Where a dialog puts its groups, above the check box and the buttons.
    QVBoxLayout* body() const { return m_body; }
    void showEvent(QShowEvent* event) override;

private:
    ExerciseOptionsDialog* m_holder;
    QString m_caption;
    QWidget* m_networkPanel;
    bool m_networkInitiation = false;
    QVBoxLayout* m_body;
    QCheckBox* m_showBefore;
    QPushButton* m_start;
    QPushButton* m_close;
};

} // namespace quorvel
