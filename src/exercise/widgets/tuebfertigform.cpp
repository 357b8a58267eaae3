// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuebfertigform.h"

#include "bestlistcontroller.h"
#include "gradingchart.h"
#include "radiogroup.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

GradingChartWidget::GradingChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(u"BewertungsskalaImg"_s);
    setMinimumSize(160, 220);
}

void GradingChartWidget::setResult(const GradingTable& table, double leistung) {
    m_table = table;
    m_leistung = leistung;
    update();
}

void GradingChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGradingChart(painter, size(), m_table, m_leistung, palette().color(QPalette::Window));
}

TUebFertigForm::TUebFertigForm(QWidget* parent)
    : DecoratedDialog(parent), m_timeLabel(new QLabel(this)), m_gradeLabel(new QLabel(this)),
      m_chart(new GradingChartWidget(this)),
      m_repetition(new RadioGroup(
          u" Übung wiederholen "_s,
          {u" Komplett wiederholen "_s,
           u" Nur Abfragen wiederholen, die nicht auf Anhieb korrekt gelöst wurden "_s},
          this)),
      m_bestListLine(new QLabel(this)), m_enter(makeButton(u"In Bestenliste eintragen"_s)),
      m_bestList(makeButton(u"Bestenliste..."_s)) {
    setObjectName(u"UebFertigForm"_s);
    setWindowTitle(u"Übung beendet"_s);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);

    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(12);
    const auto addRow = [&](const QString& key, QLabel* caption) {
        auto* shown = new QLabel(this);
        shown->setObjectName(key);
        QFont bold = shown->font();
        bold.setBold(true);
        shown->setFont(bold);
        const int row = figures->rowCount();
        figures->addWidget(caption, row, 0);
        figures->addWidget(shown, row, 1);
        m_values.insert(key, shown);
    };
    for (const QString& caption : {u"Richtig gelöst:"_s, u"Fehlversuche:"_s, u"Erfolgsquote:"_s})
        addRow(caption, new QLabel(caption, this));
    addRow(u"time"_s, m_timeLabel);
    for (const QString& caption : {u"Offene Positionen:"_s, u"Gesamtleistung:"_s, u"Bewertung:"_s})
        addRow(caption, new QLabel(caption, this));
    addRow(u"grade"_s, m_gradeLabel);
    figures->setRowStretch(figures->rowCount(), 1);

    auto* scale = new QGroupBox(u" Bewertungsskala "_s, this);
    auto* scaleLayout = new QVBoxLayout(scale);
    scaleLayout->addWidget(m_chart);

    auto* top = new QHBoxLayout;
    top->addLayout(figures, 1);
    top->addWidget(scale);

    QPushButton* repeat = makeButton(u"Übung wiederholen"_s);
    QPushButton* leave = makeButton(u"Zur Lernansicht"_s);
    QPushButton* protocol = makeButton(u"Übungsprotokoll..."_s);
    repeat->setObjectName(u"WiederholenBtn"_s);
    leave->setObjectName(u"LernansichtBtn"_s);
    protocol->setObjectName(u"ProtokollBtn"_s);
    m_bestList->setObjectName(u"BestenlisteBtn"_s);
    m_enter->setObjectName(u"EintragenBtn"_s);
    repeat->setDefault(true);
    connect(repeat, &QPushButton::clicked, this, &QDialog::accept);
    connect(leave, &QPushButton::clicked, this, &QDialog::reject);
    connect(protocol, &QPushButton::clicked, this, &TUebFertigForm::protocolRequested);
    connect(m_bestList, &QPushButton::clicked, this, &TUebFertigForm::bestListRequested);
    connect(m_enter, &QPushButton::clicked, this, &TUebFertigForm::enterBestListRequested);

    m_bestListLine->setObjectName(u"BestenlisteLab"_s);
    auto* bestListRow = new QHBoxLayout;
    bestListRow->addWidget(m_bestListLine, 1);
    bestListRow->addWidget(m_enter);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(repeat);
    buttons->addWidget(leave);
    buttons->addStretch(1);
    buttons->addWidget(protocol);
    buttons->addWidget(m_bestList);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_repetition);
    layout->addLayout(bestListRow);
    layout->addLayout(buttons);
}

void TUebFertigForm::setResult(const ExerciseResult& r, bool entered, bool canEnter) {
    m_values[u"Richtig gelöst:"_s]->setText(r.richtig);
    m_values[u"Fehlversuche:"_s]->setText(r.fehlversuche);
    m_values[u"Erfolgsquote:"_s]->setText(r.erfolgsquote);
    m_timeLabel->setText(r.timeLabel);
    m_values[u"time"_s]->setText(r.timeValue);
    m_values[u"Offene Positionen:"_s]->setText(r.offen);
    m_values[u"Gesamtleistung:"_s]->setText(r.gesamtleistung);
    m_values[u"Bewertung:"_s]->setText(r.bewertung);
    m_gradeLabel->setText(r.gradeLabel);
    m_values[u"grade"_s]->setText(r.gradeValue);
    m_chart->setResult(r.grading, r.leistung);

    // Without failed attempts there is nothing to repeat partially.
    if (!r.repetitionChoice || m_repetition->index() < 0)
        m_repetition->setIndex(0);
    m_repetition->setEnabled(r.repetitionChoice);

    m_bestListLine->setText(entered ? msgBestListEntered() : QString());
    m_enter->setVisible(!entered && canEnter);
}

void TUebFertigForm::showEnteredInBestList() {
    m_bestListLine->setText(msgBestListEntered());
    m_enter->hide();
}

int TUebFertigForm::repetitionMode() const {
    return m_repetition->isEnabled() ? std::max(0, m_repetition->index()) : 0;
}

} // namespace quorvel
