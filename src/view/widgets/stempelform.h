// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawingsettings.h"

#include <QDialog>
#include <array>

class QFontComboBox;
class QSpinBox;
class QToolButton;

namespace quorvel {

// The dialog "Symbolstempel" that sets up the ten stamps: per stamp a font
// (FontBox1..10), a character code 1-255 (SymbolBox1..10) and a preview of
// the stamp. Made once and reused.
class TStempelForm : public QDialog {
    Q_OBJECT
public:
    explicit TStempelForm(QWidget* parent = nullptr);

    // Puts `stamps` into the rows; stamps() reads the rows back.
    void setStamps(const StampList& stamps);
    StampList stamps() const;

    QFontComboBox* fontBox(int number) const { return m_fonts[size_t(number - 1)]; }
    QSpinBox* symbolBox(int number) const { return m_symbols[size_t(number - 1)]; }

private:
    void showPreview(int index);

    std::array<QFontComboBox*, kStampCount> m_fonts{};
    std::array<QSpinBox*, kStampCount> m_symbols{};
    std::array<QToolButton*, kStampCount> m_previews{};
};

} // namespace quorvel
