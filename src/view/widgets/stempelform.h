// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawingsettings.h"

#include <QDialog>
#include <array>

class QFontComboBox;
class QComboBox;
class QToolButton;

namespace quorvel {

// The dialog "Symbolstempel" that sets up the ten stamps: per stamp a font
// (FontBox1..10), a character (SymbolBox1..10, the characters 1-255 shown in
// that font, each with its code) and a preview of the stamp. Made once and
// reused.
class TStempelForm : public QDialog {
    Q_OBJECT
public:
    explicit TStempelForm(QWidget* parent = nullptr);

    // Puts `stamps` into the rows; stamps() reads the rows back.
    void setStamps(const StampList& stamps);
    StampList stamps() const;

    QFontComboBox* fontBox(int number) const { return m_fonts[size_t(number - 1)]; }
    QComboBox* symbolBox(int number) const { return m_symbols[size_t(number - 1)]; }
    // Chooses character `code` (1-255) for stamp `number` (1-10).
    void setSymbol(int number, int code);

private:
    void showPreview(int index);
    // Shows the characters of row `index` in its chosen font.
    void fillSymbols(int index);
    int symbol(int index) const;

    std::array<QFontComboBox*, kStampCount> m_fonts{};
    std::array<QComboBox*, kStampCount> m_symbols{};
    std::array<QToolButton*, kStampCount> m_previews{};
};

} // namespace quorvel
