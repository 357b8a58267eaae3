// SPDX-License-Identifier: GPL-3.0-or-later
#include "tnameeingabeform.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kNameLength = 30;
}

TNameEingabeForm::TNameEingabeForm(QWidget* parent)
    : DecoratedDialog(parent), m_edit(new QLineEdit(this)) {
    setObjectName(u"TNameEingabeForm"_s);
    setWindowTitle(u"Teilnehmername eingeben"_s);
    setModal(true);
    m_edit->setObjectName(u"TNameEdit"_s);
    m_edit->setMaxLength(kNameLength);

    auto* group = new QGroupBox(u" Übungsteilnehmer "_s, this);
    auto* label = new QLabel(u"&Name:"_s, group);
    label->setBuddy(m_edit);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_edit, 1);
    auto* hint = new QLabel(u"Bitte Name für Protokoll und Bestenliste eingeben."_s, group);
    hint->setWordWrap(true);
    auto* inner = new QVBoxLayout(group);
    inner->addLayout(row);
    inner->addWidget(hint);

    QPushButton* ok = makeButton(u"OK"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(buttons);
    resize(380, 170);
}

QString TNameEingabeForm::ask(const QString& name) {
    m_edit->setText(name.left(kNameLength));
    m_edit->selectAll();
    m_edit->setFocus();
    exec();
    return m_edit->text();
}

} // namespace quorvel
