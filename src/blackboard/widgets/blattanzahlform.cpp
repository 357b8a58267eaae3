// SPDX-License-Identifier: GPL-3.0-or-later
#include "blattanzahlform.h"

#include "sheetpattern.h"
#include "shell.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvel {

ColourButton::ColourButton(QPushButton* button, QColor colour, Shell& shell)
    : QObject(button), m_button(button), m_shell(shell) {
    setColour(colour);
    connect(button, &QPushButton::clicked, this, &ColourButton::choose);
}

void ColourButton::setColour(QColor colour) {
    m_colour = colour;
    QPixmap swatch(32, 16);
    swatch.fill(colour);
    {
        QPainter p(&swatch);
        p.setPen(Qt::gray);
        p.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    }
    m_button->setIcon(QIcon(swatch));
    m_button->setIconSize(swatch.size());
}

void ColourButton::choose() {
    const QColor chosen = m_shell.dialogs().chooseColour(m_colour);
    if (chosen.isValid())
        setColour(chosen);
}

TBlattAnzahlForm::TBlattAnzahlForm(Shell& shell, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TBlattAnzahlForm"));
    auto* group = new QGroupBox(QStringLiteral(" Freie Eingabe "), this);
    auto* form = new QFormLayout(group);
    m_count = new QSpinBox(group);
    m_count->setObjectName(QStringLiteral("AnzEdit"));
    m_count->setRange(1, 200);
    form->addRow(QStringLiteral("&Anzahl:"), m_count);
    auto* line = new QPushButton(group);
    line->setObjectName(QStringLiteral("StrichfarbeBtn"));
    m_line = new ColourButton(line, QColor::fromRgb(kSheetLineColour), shell);
    form->addRow(QStringLiteral("&Linienfarbe:"), line);
    auto* background = new QPushButton(group);
    background->setObjectName(QStringLiteral("HintergrundfarbeBtn"));
    m_background = new ColourButton(background, QColor::fromRgb(kSheetBackground), shell);
    form->addRow(QStringLiteral("&Hintergrundfarbe:"), background);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int TBlattAnzahlForm::count() const {
    return m_count->value();
}

void TBlattAnzahlForm::setCount(int count) {
    m_count->setValue(count);
}

} // namespace quorvel
