// SPDX-License-Identifier: GPL-3.0-or-later
#include "stempelform.h"

#include "toolbar.h"

#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QToolButton>

namespace quorvel {

TStempelForm::TStempelForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StempelForm"));
    setWindowTitle(QStringLiteral("Symbolstempel"));
    auto* form = new QFormLayout(this);
    for (int i = 0; i < kStampCount; ++i) {
        const size_t at = size_t(i);
        auto* row = new QHBoxLayout;
        m_fonts[at] = new QFontComboBox(this);
        m_fonts[at]->setObjectName(QStringLiteral("FontBox%1").arg(i + 1));
        m_fonts[at]->setEditable(true);
        m_symbols[at] = new QSpinBox(this);
        m_symbols[at]->setObjectName(QStringLiteral("SymbolBox%1").arg(i + 1));
        m_symbols[at]->setRange(1, 255);
        m_previews[at] = new QToolButton(this);
        connect(m_symbols[at], &QSpinBox::valueChanged, this, [this, i] { showPreview(i); });
        connect(m_fonts[at], &QFontComboBox::currentTextChanged, this,
                [this, i] { showPreview(i); });
        row->addWidget(m_fonts[at], 1);
        row->addWidget(m_symbols[at]);
        row->addWidget(m_previews[at]);
        form->addRow(QStringLiteral("Stempel %1").arg(i + 1), row);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setStamps(defaultStamps());
}

void TStempelForm::setStamps(const StampList& stamps) {
    for (int i = 0; i < kStampCount; ++i) {
        const size_t at = size_t(i);
        m_fonts[at]->setEditText(stamps[at].font);
        m_symbols[at]->setValue(stamps[at].character);
        showPreview(i);
    }
}

StampList TStempelForm::stamps() const {
    StampList stamps;
    for (size_t at = 0; at < stamps.size(); ++at)
        stamps[at] = Stamp{m_fonts[at]->currentText(), m_symbols[at]->value()};
    return stamps;
}

void TStempelForm::showPreview(int index) {
    const size_t at = size_t(index);
    if (m_fonts[at] && m_symbols[at] && m_previews[at])
        m_previews[at]->setIcon(
            stampPicture(Stamp{m_fonts[at]->currentText(), m_symbols[at]->value()}));
}

} // namespace quorvel
