// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuebseriefertigform.h"

#include "protocol.h"
#include "tuebfertigform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvel {

TUebSerieFertigForm::TUebSerieFertigForm(QWidget* parent)
    : DecoratedDialog(parent), m_performance(new QLabel(this)), m_gradeName(new QLabel(this)),
      m_gradeLabel(new QLabel(u"Note:"_s, this)), m_grade(new QLabel(this)),
      m_chart(new GradingChartWidget(this)), m_protocol(makeButton(u"Übungsprotokoll..."_s)),
      m_close(makeButton(u"Schließen"_s)) {
    setObjectName(u"UebSerieFertigForm"_s);
    setWindowTitle(u"Übungsserie beendet"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    auto* group = new QGroupBox(u" Zusammenfassung der Übungsserie "_s, this);
    auto* groupLayout = new QHBoxLayout(group);
    auto* figures = new QGridLayout;
    QFont large = m_performance->font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    const struct {
        QLabel* caption;
        QLabel* value;
    } rows[] = {{new QLabel(u"Gesamtleistung:"_s, group), m_performance},
                {new QLabel(u"Bewertung:"_s, group), m_gradeName},
                {m_gradeLabel, m_grade}};
    int row = 0;
    for (const auto& r : rows) {
        r.value->setFont(large);
        figures->addWidget(r.caption, row, 0);
        figures->addWidget(r.value, row, 1);
        ++row;
    }
    figures->setRowStretch(row, 1);
    groupLayout->addLayout(figures, 1);
    groupLayout->addWidget(m_chart);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_protocol);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    m_close->setDefault(true);
    connect(m_protocol, &QPushButton::clicked, this, &TUebSerieFertigForm::protocolRequested);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void TUebSerieFertigForm::setResult(const SeriesResult& result, const GradingTable& table) {
    m_performance->setText(percentFigure(result.performance));
    m_gradeName->setText(result.gradeName);
    m_gradeLabel->setText(result.gradeLabel);
    m_grade->setText(QString::number(result.grade));
    m_chart->setResult(table, result.performance);
}

} // namespace quorvel
