// SPDX-License-Identifier: GPL-3.0-or-later
#include "tmailform.h"

#include "radiogroup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvel {

TMailForm::TMailForm(QWidget* parent)
    : DecoratedDialog(parent),
      MailGroup(new RadioGroup(u" Versandoptionen "_s,
                               {u" nur &Dokument versenden "_s,
                                u" Dokument und Quorvel-&Viskor (exe) zusammen versenden "_s,
                                u" Dokument und Quorvel-Viskor (&zip) zusammen versenden "_s},
                               this)),
      m_ok(makeButton(u"OK"_s)), m_cancel(makeButton(u"Abbrechen"_s)) {
    setObjectName(u"MailForm"_s);
    MailGroup->setObjectName(u"MailGroup"_s);
    setWindowTitle(u"Dokument per E-Mail versenden"_s);
    MailGroup->setIndex(0);

    auto* note = new QLabel(
        u"(der Empfänger benötigt das Quorvel-Viskor oder das Tessmar, um die Datei öffnen zu können)"_s,
        this);
    note->setWordWrap(true);
    MailGroup->itemLayout()->addSpacing(6);
    MailGroup->itemLayout()->addWidget(note);

    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TMailForm::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(MailGroup);
    layout->addLayout(buttons);
}

MailOption TMailForm::option() const {
    const int index = MailGroup->index();
    return index == 1   ? MailOption::WithSetupExe
           : index == 2 ? MailOption::WithSetupZip
                        : MailOption::DocumentOnly;
}

void TMailForm::okClicked() {
    if (!m_check || m_check(option()))
        accept();
}

} // namespace quorvel
