// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "seriesrun.h"

class QLabel;
class QPushButton;

namespace quorvel {

class GradingChartWidget;

// "Übungsserie beendet": the series performance, its grade and the grading
// chart. "Übungsprotokoll..." asks for the protocol window (the window
// stays open), "Schließen" closes it.
class TUebSerieFertigForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TUebSerieFertigForm(QWidget* parent = nullptr);

    void setResult(const SeriesResult& result, const GradingTable& table);

    QLabel* performanceValue() const { return m_performance; }
    QLabel* gradeNameValue() const { return m_gradeName; }
    QLabel* gradeLabel() const { return m_gradeLabel; }
    QLabel* gradeValue() const { return m_grade; }
    GradingChartWidget* chart() const { return m_chart; }
    QPushButton* protocolButton() const { return m_protocol; }
    QPushButton* closeButton() const { return m_close; }

Q_SIGNALS:
    void protocolRequested();

private:
    QLabel* m_performance;
    QLabel* m_gradeName;
    QLabel* m_gradeLabel;
    QLabel* m_grade;
    GradingChartWidget* m_chart;
    QPushButton* m_protocol;
    QPushButton* m_close;
};

} // namespace quorvel
