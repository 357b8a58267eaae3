// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "documentmail.h"

#include <functional>

class QPushButton;

namespace quorvel {

class RadioGroup;

// "Dokument per E-Mail versenden": what goes with the document. "OK" asks
// the check first; a check that fails (it has shown why) keeps the dialog
// open so that another option can be chosen.
class TMailForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TMailForm(QWidget* parent = nullptr);

    void setCheck(std::function<bool(MailOption)> check) { m_check = std::move(check); }
    MailOption option() const;

    RadioGroup* mailGroup() const { return MailGroup; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void okClicked();

    RadioGroup* MailGroup;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::function<bool(MailOption)> m_check;
};

} // namespace quorvel
