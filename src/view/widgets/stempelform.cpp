// SPDX-License-Identifier: GPL-3.0-or-later
#include "stempelform.h"

#include "toolbar.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

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
        m_symbols[at] = new QComboBox(this);
        m_symbols[at]->setObjectName(QStringLiteral("SymbolBox%1").arg(i + 1));
        m_symbols[at]->setMaxVisibleItems(16);
        for (int code = 1; code <= 255; ++code)
            m_symbols[at]->addItem(QString(), code);
        m_previews[at] = new QToolButton(this);
        connect(m_symbols[at], &QComboBox::currentIndexChanged, this,
                [this, i] { showPreview(i); });
        connect(m_fonts[at], &QFontComboBox::currentTextChanged, this, [this, i] {
            fillSymbols(i);
            showPreview(i);
        });
        row->addWidget(m_fonts[at], 1);
        row->addWidget(m_symbols[at]);
        row->addWidget(m_previews[at]);
        form->addRow(QStringLiteral("Stempel %1").arg(i + 1), row);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setStamps(defaultStamps());
}

void TStempelForm::setStamps(const StampList& stamps) {
    for (int i = 0; i < kStampCount; ++i) {
        const size_t at = size_t(i);
        m_fonts[at]->setEditText(stamps[at].font);
        fillSymbols(i);
        setSymbol(i + 1, stamps[at].character);
        showPreview(i);
    }
}

StampList TStempelForm::stamps() const {
    StampList stamps;
    for (size_t at = 0; at < stamps.size(); ++at)
        stamps[at] = Stamp{m_fonts[at]->currentText(), symbol(int(at))};
    return stamps;
}

void TStempelForm::setSymbol(int number, int code) {
    m_symbols[size_t(number - 1)]->setCurrentIndex(std::clamp(code, 1, 255) - 1);
}

int TStempelForm::symbol(int index) const {
    return m_symbols[size_t(index)]->currentIndex() + 1;
}

void TStempelForm::fillSymbols(int index) {
    QComboBox* box = m_symbols[size_t(index)];
    const QString font = m_fonts[size_t(index)]->currentText();
    for (int code = 1; code <= 255; ++code) {
        // Symbol fonts are drawn through their equivalent characters.
        const Glyph glyph = stampGlyph(Stamp{font, code});
        const QList<uint> points = glyph.text.toUcs4();
        const bool printable = !points.isEmpty() && QChar::isPrint(char32_t(points.front()));
        box->setItemText(code - 1,
                         (printable ? glyph.text : QString()) + QStringLiteral("  (%1)").arg(code));
        QFont itemFont = box->font();
        itemFont.setFamily(glyph.font);
        box->setItemData(code - 1, itemFont, Qt::FontRole);
    }
}

void TStempelForm::showPreview(int index) {
    const size_t at = size_t(index);
    if (!m_fonts[at] || !m_symbols[at] || !m_previews[at])
        return;
    // The chosen character in its font in the closed box, too.
    const QVariant font = m_symbols[at]->currentData(Qt::FontRole);
    if (font.canConvert<QFont>())
        m_symbols[at]->setFont(font.value<QFont>());
    m_previews[at]->setIcon(stampPicture(Stamp{m_fonts[at]->currentText(), symbol(index)}));
}

} // namespace quorvel
