// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

namespace quorvel {

// A titled group of radio buttons with one chosen index, as the settings
// dialogs show their choices.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int index() const;
    // An index without a button chooses none.
    void setIndex(int index);
    QRadioButton* button(int index) const;
    QVBoxLayout* itemLayout() const { return m_layout; }

Q_SIGNALS:
    // The user chose `index` (not emitted by setIndex()).
    void chosen(int index);

private:
    QButtonGroup* m_buttons;
    QVBoxLayout* m_layout;
};

} // namespace quorvel
