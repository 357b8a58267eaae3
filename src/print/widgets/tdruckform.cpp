// SPDX-License-Identifier: GPL-3.0-or-later
#include "tdruckform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

QLineEdit* lengthEdit(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(10);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(70);
    return edit;
}

} // namespace

TDruckForm::TDruckForm(QWidget* parent)
    : TDruckForm(u"TDruckForm"_s, u"Ansicht drucken"_s, ViewPrintFields(), parent) {}

TDruckForm::TDruckForm(const QString& name, const QString& caption, const ViewPrintFields& start,
                       QWidget* parent)
    : DecoratedDialog(parent), m_left(lengthEdit(u"LiRandEdit"_s, start.left, this)),
      m_top(lengthEdit(u"ObRandEdit"_s, start.top, this)),
      m_width(lengthEdit(u"BreiteEdit"_s, start.width, this)),
      m_height(lengthEdit(u"HoeheEdit"_s, start.height, this)), m_copies(new QSpinBox(this)),
      m_keepRatio(new QCheckBox(u"Korrektes &Seitenverhältnis"_s, this)),
      m_printerInfo(new QLabel(this)), m_printButton(makeButton(u"Drucken"_s)),
      m_setUpButton(makeButton(u"Einrichten..."_s)) {
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    m_copies->setObjectName(u"KopienEdit"_s);
    m_copies->setRange(1, 999);
    m_copies->setValue(start.copies);
    m_keepRatio->setObjectName(u"SeitRatio"_s);
    m_keepRatio->setChecked(start.keepRatio);
    m_printerInfo->setObjectName(u"DruckerInfo"_s);
    m_printerInfo->setWordWrap(true);
    m_printButton->setObjectName(u"DruckBtn"_s);
    m_printButton->setDefault(true);
    m_setUpButton->setObjectName(u"DrEinrBtn"_s);
    QPushButton* cancel = makeButton(u"Abbrechen"_s);
    cancel->setObjectName(u"AbbrBtn"_s);

    auto* fields = new QGridLayout;
    const auto addField = [this, fields](int row, int column, const QString& caption,
                                         QWidget* field, const QString& unit) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        fields->addWidget(label, row, column);
        fields->addWidget(field, row, column + 1);
        if (!unit.isEmpty())
            fields->addWidget(new QLabel(unit, this), row, column + 2);
    };
    addField(0, 0, u"&Linker Rand:"_s, m_left, u"cm"_s);
    addField(1, 0, u"&Oberer Rand:"_s, m_top, u"cm"_s);
    addField(0, 4, u"&Breite:"_s, m_width, u"cm"_s);
    addField(1, 4, u"&Höhe:"_s, m_height, u"cm"_s);
    addField(2, 4, u"&Kopien:"_s, m_copies, {});
    fields->addWidget(m_keepRatio, 2, 0, 1, 3);
    fields->setColumnMinimumWidth(3, 24);

    auto* printer = new QGroupBox(u" Drucker "_s, this);
    auto* printerRow = new QHBoxLayout(printer);
    printerRow->addWidget(m_printerInfo, 1);
    printerRow->addWidget(m_setUpButton);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_printButton);
    buttons->addWidget(cancel);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(fields);
    outer->addWidget(printer);
    outer->addLayout(buttons);

    // Only what the user types drives the other field: textEdited is not
    // sent when the rule itself sets a text.
    connect(m_width, &QLineEdit::textEdited, this, &TDruckForm::widthTyped);
    connect(m_height, &QLineEdit::textEdited, this, &TDruckForm::heightTyped);
    connect(m_keepRatio, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            applyRatio();
    });
    connect(m_printButton, &QPushButton::clicked, this, &TDruckForm::print);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_setUpButton, &QPushButton::clicked, this, [this] {
        if (m_host.setUpPrinter)
            m_host.setUpPrinter();
        refreshPrinterLine();
    });
}

ViewPrintFields TDruckForm::fields() const {
    ViewPrintFields fields;
    fields.left = m_left->text();
    fields.top = m_top->text();
    fields.width = m_width->text();
    fields.height = m_height->text();
    fields.copies = m_copies->value();
    fields.keepRatio = m_keepRatio->isChecked();
    return fields;
}

void TDruckForm::refreshPrinterLine() {
    m_printerInfo->setText(m_host.printerLine ? m_host.printerLine()
                                              : printerInfoLine(QString(), QString()));
}

void TDruckForm::showEvent(QShowEvent* event) {
    DecoratedDialog::showEvent(event);
    refreshPrinterLine();
    if (m_keepRatio->isChecked())
        applyRatio();
    m_printButton->setFocus();
}

void TDruckForm::widthTyped() {
    if (!m_keepRatio->isChecked())
        return;
    if (const std::optional<QString> height = quorvel::heightForWidth(m_width->text(), m_ratio))
        m_height->setText(*height);
}

void TDruckForm::heightTyped() {
    if (!m_keepRatio->isChecked())
        return;
    if (const std::optional<QString> width = widthForHeight(m_height->text(), m_ratio))
        m_width->setText(*width);
}

void TDruckForm::applyRatio() {
    if (const std::optional<QString> height = quorvel::heightForWidth(m_width->text(), m_ratio))
        m_height->setText(*height);
}

void TDruckForm::print() {
    if (m_host.print && m_host.print(fields()))
        accept();
}

} // namespace quorvel
