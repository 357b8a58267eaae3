// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

class QLineEdit;

namespace quorvel {

// "Teilnehmername eingeben": the name that the protocol and the best list
// carry, asked before an individual exercise. Made once and reused.
class TNameEingabeForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TNameEingabeForm(QWidget* parent = nullptr);

    // Shows the dialog with `name` preset; its text, whatever closed it.
    QString ask(const QString& name);
    QLineEdit* nameEdit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};

} // namespace quorvel
