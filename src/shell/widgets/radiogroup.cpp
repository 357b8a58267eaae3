// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), m_buttons(new QButtonGroup(this)), m_layout(new QVBoxLayout(this)) {
    m_layout->setSpacing(2);
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_buttons->addButton(button, int(i));
        m_layout->addWidget(button);
    }
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::chosen);
}

int RadioGroup::index() const {
    return m_buttons->checkedId();
}

void RadioGroup::setIndex(int index) {
    if (QAbstractButton* chosenButton = m_buttons->button(index)) {
        chosenButton->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked unless told otherwise.
    m_buttons->setExclusive(false);
    for (QAbstractButton* each : m_buttons->buttons())
        each->setChecked(false);
    m_buttons->setExclusive(true);
}

QRadioButton* RadioGroup::button(int index) const {
    return qobject_cast<QRadioButton*>(m_buttons->button(index));
}

} // namespace quorvel
