// SPDX-License-Identifier: GPL-3.0-or-later
#include "uebstatuspan.h"

#include "exerciserun.h"
#include "statuscolumn.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

UebStatusPan::UebStatusPan(QWidget* parent) : QFrame(parent) {
    setObjectName(u"UebStatusPan"_s);
    setFrameShape(QFrame::StyledPanel);
    // One column per figure: the caption small above its value.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 1, 6, 1);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(0);
    m_name = addRow(u"Name:"_s, u"TNameLab"_s);
    m_total = new QLabel(this);
    m_total->setObjectName(u"GesAnzLab"_s);
    m_right = addStatusColumn(*grid, this, u"Richtig gelöst:"_s, u"RichtigLab"_s, m_total);
    m_wrong = addRow(u"Fehlversuche:"_s, u"FalschLab"_s);
    m_quote = addRow(u"Akt. Erfolgsquote:"_s, u"QuoteLab"_s);
    m_overall = addRow(u"Gesamtleistung:"_s, u"GesamtleistungLab"_s);
    m_clockMode = new QLabel(this);
    m_clockMode->setObjectName(u"UebZeitModeLab"_s);
    m_clock = new QLabel(this);
    m_clock->setObjectName(u"UebZeitLab"_s);
    QFont bold = m_clock->font();
    bold.setBold(true);
    m_clock->setFont(bold);
    const int clockColumn = grid->columnCount();
    grid->addWidget(m_clockMode, 0, clockColumn);
    grid->addWidget(m_clock, 1, clockColumn);
    m_help = new QPushButton(u"?"_s, this);
    m_help->setObjectName(u"KennzInfoPan"_s);
    m_help->setToolTip(u"Information zu den Kennzahlen"_s);
    m_help->setFixedWidth(26);
    grid->addWidget(m_help, 0, clockColumn + 1, 2, 1);
    connect(m_help, &QPushButton::clicked, this, &UebStatusPan::helpRequested);

    m_series = new QFrame(this);
    m_series->setObjectName(u"UebserieStatusPan"_s);
    auto* seriesLayout = new QVBoxLayout(m_series);
    seriesLayout->setContentsMargins(0, 0, 0, 0);
    seriesLayout->setSpacing(0);
    seriesLayout->addWidget(new QLabel(u"Teilübung:"_s, m_series));
    m_seriesPart = new QLabel(m_series);
    seriesLayout->addWidget(m_seriesPart);
    grid->addWidget(m_series, 0, 0, 2, 1); // the series slot first, left of the figures
    m_series->hide();
}

QLabel* UebStatusPan::addRow(const QString& caption, const QString& name) {
    return addStatusColumn(*static_cast<QGridLayout*>(layout()), this, caption, name);
}

void UebStatusPan::showRun(const ExerciseRun& run) {
    const UebungsSitzung& s = run.session();
    const QString name = s.TeilnehmerName.trimmed();
    m_name->setText(name.isEmpty() ? u"-"_s : name);
    const QStringList figures = run.statusFigures();
    m_right->setText(figures.value(0));
    m_total->setText(u"von  "_s + QString::number(s.AbfrageAnz));
    m_wrong->setText(figures.value(1));
    m_quote->setText(figures.value(2));
    m_overall->setText(figures.value(3));
    const bool timed = s.settings.Zeitlimit != TimeMode::NoClock;
    m_clockMode->setText(s.settings.Zeitlimit == TimeMode::Limit ? u"Verbleibende Zeit:"_s
                                                                 : u"Benötigte Zeit:"_s);
    m_clockMode->setVisible(timed);
    m_clock->setVisible(timed);
    setClock(run.clockText());
}

bool UebStatusPan::setClock(const QString& text) {
    if (m_clock->text() == text)
        return false;
    m_clock->setText(text);
    return true;
}

void UebStatusPan::setSeriesPart(int part, int count) {
    m_seriesPart->setText(QString::number(part) + u"  von  "_s + QString::number(count));
    m_series->setVisible(part > 0);
}

QLabel* UebStatusPan::label(const QString& name) const {
    return findChild<QLabel*>(name);
}

} // namespace quorvel
