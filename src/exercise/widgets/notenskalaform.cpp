// SPDX-License-Identifier: GPL-3.0-or-later
#include "notenskalaform.h"

#include "radiogroup.h"
#include "settings.h"
#include "shell.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::array<GradingScale, 5> kScales = {
    GradingScale::SixGrades, GradingScale::FiveGrades, GradingScale::FifteenPoints,
    GradingScale::FiveGradesBestIs5, GradingScale::TwelvePoints};

QString recommendation(double percent) {
    return u"(empfohlen: %1 %)"_s.arg(percentText(percent / 100.0));
}

// One row: label, "ab", the edit, "%", the recommendation (none when empty).
QList<QWidget*> addRow(QGridLayout* grid, int at, QLabel* label, QLineEdit* edit,
                       const QString& recommended, QWidget* parent) {
    auto* from = new QLabel(u"ab"_s, parent);
    auto* percent = new QLabel(u"%"_s, parent);
    auto* hint = new QLabel(recommended, parent);
    edit->setFixedWidth(56);
    edit->setAlignment(Qt::AlignRight);
    grid->addWidget(label, at, 0);
    grid->addWidget(from, at, 1);
    grid->addWidget(edit, at, 2);
    grid->addWidget(percent, at, 3);
    grid->addWidget(hint, at, 4);
    return {label, from, edit, percent, hint};
}

} // namespace

TNotenskalaForm::TNotenskalaForm(Shell& shell, QWidget* parent)
    : DecoratedDialog(parent), m_shell(shell), m_ok(new QPushButton(u"OK"_s, this)) {
    setObjectName(u"NotenskalaForm"_s);
    setWindowTitle(u"Noten-/Punkteskala zur Bewertung der Übungsergebnisse"_s);
    setModal(true);

    QStringList names;
    for (GradingScale scale : kScales)
        names << scaleName(scale);
    m_scales = new RadioGroup(u" Verwendete Skala zur Bewertung "_s, names, this);
    m_scales->setObjectName(u"BewertSkalaGroup"_s);
    connect(m_scales, &RadioGroup::chosen, this, &TNotenskalaForm::chooseScale);

    auto* grades = new QGroupBox(u" Notengrenzen bezüglich Erfolgsquote "_s, this);
    auto* gradeGrid = new QGridLayout(grades);
    for (int row = 1; row <= 6; ++row) {
        auto* label = new QLabel(this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(u"QuoteEdit%1"_s.arg(row));
        // The sixth row is the fixed lower bound of the fifth.
        edit->setReadOnly(row == 6);
        m_gradeLabels[size_t(row)] = label;
        m_gradeEdits[size_t(row)] = edit;
        const double recommended = 100.0 - 15.0 * row;
        addRow(gradeGrid, row, label, edit, row < 6 ? recommendation(recommended) : QString(),
               this);
    }
    gradeGrid->setRowStretch(7, 1);

    auto* points = new QGroupBox(u" Punktegrenzen bezüglich Erfolgsquote "_s, this);
    auto* pointGrid = new QGridLayout(points);
    pointGrid->setVerticalSpacing(2);
    for (int p = 15; p >= 0; --p) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(u"QuoteEditP%1"_s.arg(p));
        edit->setReadOnly(p == 0);
        m_pointEdits[size_t(p)] = edit;
        const QString recommended = p > 0 ? recommendation(20.0 + 5.0 * p) : QString();
        m_pointRows[size_t(p)] =
            addRow(pointGrid, 15 - p, new QLabel(pointRowLabel(p), this), edit, recommended, this);
    }
    pointGrid->setRowStretch(16, 1);

    auto* cancel = new QPushButton(u"Abbrechen"_s, this);
    for (QPushButton* button : {m_ok, cancel})
        button->setMinimumSize(110, 30);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TNotenskalaForm::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(m_scales);
    left->addWidget(grades);
    left->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(points);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    outer->addLayout(buttons);

    m_scales->setIndex(0);
    showRows();
}

void TNotenskalaForm::edit(Settings& settings) {
    m_settings = &settings;
    const ScaleEntry shown = scaleEntryOf(gradingTableOf(settings));
    for (int row = 1; row <= 6; ++row)
        m_gradeEdits[size_t(row)]->setText(percentText(*shown.grades[size_t(row)] / 100.0));
    for (int p = 0; p <= 15; ++p)
        m_pointEdits[size_t(p)]->setText(percentText(*shown.points[size_t(p)] / 100.0));
    m_scales->setIndex(static_cast<int>(shown.scale));
    showRows();
}

ScaleEntry TNotenskalaForm::entry() const {
    ScaleEntry entry;
    entry.scale = gradingScaleOf(m_scales->index());
    for (int row = 1; row <= 6; ++row)
        entry.grades[size_t(row)] = parsePercent(m_gradeEdits[size_t(row)]->text());
    for (int p = 0; p <= 15; ++p)
        entry.points[size_t(p)] = parsePercent(m_pointEdits[size_t(p)]->text());
    return entry;
}

bool TNotenskalaForm::pointRowShown(int points) const {
    return !m_pointEdits[size_t(points)]->isHidden();
}

void TNotenskalaForm::accept() {
    const ScaleEntry entered = entry();
    if (const std::optional<QString> failure = validateScaleEntry(entered)) {
        m_shell.dialogs().error(*failure);
        return;
    }
    if (m_settings)
        storeScaleEntry(entered, *m_settings);
    DecoratedDialog::accept();
}

void TNotenskalaForm::chooseScale(int index) {
    QLineEdit* fifth = m_gradeEdits[5];
    const GradingScale scale = gradingScaleOf(index);
    // Five grades have no fifth threshold: grade 5 is everything below the fourth.
    if (scale == GradingScale::FiveGrades)
        fifth->setText(percentText(0.0));
    else if (scale == GradingScale::SixGrades && parsePercent(fifth->text()) == 0.0)
        fifth->setText(percentText(0.25));
    showRows();
}

void TNotenskalaForm::showRows() {
    const GradingScale scale = gradingScaleOf(m_scales->index());
    for (int row = 1; row <= 6; ++row)
        m_gradeLabels[size_t(row)]->setText(quorvel::gradeRowLabel(scale, row));
    const int shown = shownPointRows(scale);
    for (int p = 0; p <= 15; ++p) {
        for (QWidget* part : m_pointRows[size_t(p)])
            part->setVisible(p <= shown);
    }
}

} // namespace quorvel
