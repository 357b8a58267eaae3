// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace quorvel {

class ExerciseRun;

// The status bar of a running exercise (`UebStatusPan`): the participant,
// the figures, the clock and the "?" button for the figures help. Beside it
// the series slot `UebserieStatusPan` shows the part of a series.
class UebStatusPan : public QFrame {
    Q_OBJECT
public:
    explicit UebStatusPan(QWidget* parent = nullptr);

    // Shows the figures of `run` as they are now.
    void showRun(const ExerciseRun& run);
    // Sets the clock label; false (and nothing repainted) when its text is
    // already that.
    bool setClock(const QString& text);
    // The series slot: part `part` (from 1) of `count`; 0 hides it.
    void setSeriesPart(int part, int count);

    QLabel* label(const QString& name) const;
    QPushButton* helpButton() const { return m_help; }
    QWidget* seriesPanel() const { return m_series; }

Q_SIGNALS:
    void helpRequested();

private:
    QLabel* addRow(const QString& caption, const QString& name);

    QLabel* m_name;
    QLabel* m_right;
    QLabel* m_total;
    QLabel* m_wrong;
    QLabel* m_quote;
    QLabel* m_overall;
    QLabel* m_clockMode;
    QLabel* m_clock;
    QPushButton* m_help;
    QFrame* m_series;
    QLabel* m_seriesPart;
};

} // namespace quorvel
