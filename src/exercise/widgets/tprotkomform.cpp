// SPDX-License-Identifier: GPL-3.0-or-later
#include "tprotkomform.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TProtKomForm::TProtKomForm(QWidget* parent)
    : DecoratedDialog(parent), m_memo(new QPlainTextEdit(this)) {
    setObjectName(u"ProtKomForm"_s);
    setWindowTitle(u"Kommentar zum Übungsprotokoll hinzufügen"_s);
    m_memo->setObjectName(u"KommentarMemo"_s);
    QPushButton* ok = makeButton(u"OK"_s);
    QPushButton* cancel = makeButton(u"Abbrechen"_s);
    ok->setObjectName(u"OKBtn"_s);
    cancel->setObjectName(u"AbbrechenBtn"_s);
    // Return belongs to the memo (a comment has lines); OK is a click away.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo, 1);
    layout->addLayout(buttons);
    resize(480, 260);
}

std::optional<QString> TProtKomForm::ask() {
    m_memo->clear();
    m_memo->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_memo->toPlainText();
}

} // namespace quorvel
