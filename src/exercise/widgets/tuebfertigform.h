// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "exerciseresult.h"

#include <QMap>

class QLabel;
class QPushButton;

namespace quorvel {

class RadioGroup;

// The grading chart of the result window: paints the core's chart on the
// window's background colour.
class GradingChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit GradingChartWidget(QWidget* parent = nullptr);
    void setResult(const GradingTable& table, double leistung);
    QSize sizeHint() const override { return {180, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GradingTable m_table;
    double m_leistung = 0.0;
};

// The result window "Übung beendet": the figures of the ended run, the
// grading chart, the repetition choice and the buttons. exec() returns
// Accepted for "Übung wiederholen" and Rejected for "Zur Lernansicht" (and
// Escape); the other buttons ask through signals and keep the window open.
class TUebFertigForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TUebFertigForm(QWidget* parent = nullptr);

    // Fills the window. `entered`: the result went into the best list
    // already; `canEnter`: "In Bestenliste eintragen" is offered otherwise.
    void setResult(const ExerciseResult& result, bool entered, bool canEnter);
    // The best-list line is shown and the entry button hidden.
    void showEnteredInBestList();

    // 0 complete, 1 only the queries not solved at the first attempt.
    int repetitionMode() const;
    RadioGroup* repetitionGroup() const { return m_repetition; }
    // The value label of a field by its caption ("Richtig gelöst:", ...,
    // "Note:"/"Punkte:" as "grade"; "time" for the time field).
    QLabel* value(const QString& field) const { return m_values.value(field); }
    QLabel* bestListLine() const { return m_bestListLine; }
    QPushButton* enterButton() const { return m_enter; }
    QPushButton* bestListButton() const { return m_bestList; }
    GradingChartWidget* chart() const { return m_chart; }

Q_SIGNALS:
    void protocolRequested();
    void bestListRequested();
    void enterBestListRequested();

private:
    QMap<QString, QLabel*> m_values;
    QLabel* m_timeLabel;
    QLabel* m_gradeLabel;
    GradingChartWidget* m_chart;
    RadioGroup* m_repetition;
    QLabel* m_bestListLine;
    QPushButton* m_enter;
    QPushButton* m_bestList;
};

} // namespace quorvel
