// SPDX-License-Identifier: GPL-3.0-or-later
#include "blatttabelleform.h"

#include "blattanzahlform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvel {

namespace {

QSpinBox* newNumber(QWidget* parent, const QString& name, int min, int max, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

} // namespace

TBlattTabelleForm::TBlattTabelleForm(Shell& shell, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TBlattTabelleForm"));
    setWindowTitle(QStringLiteral("Blatt mit Tabelle"));

    auto* group = new QGroupBox(QStringLiteral(" &Tabellengröße und -farbe "), this);
    auto* grid = new QGridLayout(group);
    m_rows = newNumber(group, QStringLiteral("ZeilenEdit"), 1, kMaxTableCells, 6);
    m_columns = newNumber(group, QStringLiteral("SpaltenEdit"), 1, kMaxTableCells, 3);
    const auto addRow = [&](int row, const QString& label, QSpinBox* edit) {
        auto* caption = new QLabel(label, group);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        auto* plus = new QToolButton(group);
        plus->setText(QStringLiteral("+"));
        auto* minus = new QToolButton(group);
        minus->setText(QStringLiteral("-"));
        connect(plus, &QToolButton::clicked, edit, [edit] { edit->setValue(edit->value() + 1); });
        connect(minus, &QToolButton::clicked, edit, [edit] { edit->setValue(edit->value() - 1); });
        grid->addWidget(plus, row, 2);
        grid->addWidget(minus, row, 3);
    };
    addRow(0, QStringLiteral("&Zeilen:"), m_rows);
    addRow(1, QStringLiteral("&Spalten:"), m_columns);
    auto* line = new QPushButton(group);
    line->setObjectName(QStringLiteral("StrichfarbeBtn"));
    m_line = new ColourButton(line, QColor::fromRgb(kSheetLineColour), shell);
    auto* lineLabel = new QLabel(QStringLiteral("&Linienfarbe:"), group);
    lineLabel->setBuddy(line);
    grid->addWidget(lineLabel, 2, 0);
    grid->addWidget(line, 2, 1, 1, 3);
    auto* background = new QPushButton(group);
    background->setObjectName(QStringLiteral("HintergrundfarbeBtn"));
    m_background = new ColourButton(background, QColor::fromRgb(kSheetBackground), shell);
    auto* backgroundLabel = new QLabel(QStringLiteral("&Hintergrundfarbe:"), group);
    backgroundLabel->setBuddy(background);
    grid->addWidget(backgroundLabel, 3, 0);
    grid->addWidget(background, 3, 1, 1, 3);

    m_marginCheck = new QCheckBox(QStringLiteral("&Freiraum um die Tabelle einstellen"), this);
    m_marginCheck->setObjectName(QStringLiteral("FreiraumCheck"));
    m_marginGroup = new QGroupBox(this);
    auto* margins = new QGridLayout(m_marginGroup);
    const char16_t* names[] = {u"LinksEdit", u"RechtsEdit", u"ObenEdit", u"UntenEdit"};
    const char16_t* labels[] = {u"Links:", u"Rechts:", u"Oben:", u"Unten:"};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] =
            newNumber(m_marginGroup, QString::fromUtf16(names[i]), 0, kMaxMarginPercent, 5);
        m_margins[i]->setSuffix(QStringLiteral(" %"));
        margins->addWidget(new QLabel(QString::fromUtf16(labels[i]), m_marginGroup), i / 2,
                           (i % 2) * 2);
        margins->addWidget(m_margins[i], i / 2, (i % 2) * 2 + 1);
    }
    connect(m_marginCheck, &QCheckBox::toggled, this, &TBlattTabelleForm::showMargins);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // two heights: with and without margins
    layout->addWidget(group);
    layout->addWidget(m_marginCheck);
    layout->addWidget(m_marginGroup);
    layout->addWidget(buttons);
    showMargins(false);
}

void TBlattTabelleForm::showMargins(bool shown) {
    m_marginGroup->setVisible(shown);
}

SheetSpec TBlattTabelleForm::sheet() const {
    SheetSpec spec;
    spec.kind = SheetKind::Table;
    spec.rows = m_rows->value();
    spec.columns = m_columns->value();
    spec.margins = {m_margins[0]->value(), m_margins[1]->value(), m_margins[2]->value(),
                    m_margins[3]->value()};
    spec.line = m_line->colour().rgb();
    spec.background = m_background->colour().rgb();
    return spec;
}

} // namespace quorvel
