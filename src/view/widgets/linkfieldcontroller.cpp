// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkfieldcontroller.h"

#include "linkfielddialog.h"
#include "settings.h"
#include "shell.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QWidget>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

LinkFields linkFieldsOf(const Settings& settings) {
    LinkFields fields;
    for (size_t i = 0; i < 3; ++i)
        fields[i] = {settings.Verknuepfung[i], settings.VerknuepfungName[i],
                     settings.VerknuepfungHint[i]};
    fields[kKeyboardLinkField] = {settings.VerknuepfungT, {}, settings.VerknuepfungHintT};
    return fields;
}

void storeLinkFields(const LinkFields& fields, Settings& settings) {
    for (size_t i = 0; i < 3; ++i) {
        settings.Verknuepfung[i] = fields[i].path;
        settings.VerknuepfungName[i] = fields[i].caption;
        settings.VerknuepfungHint[i] = fields[i].hint;
    }
    settings.VerknuepfungT = fields[kKeyboardLinkField].path;
    settings.VerknuepfungHintT = fields[kKeyboardLinkField].hint;
}

bool startLinkedFile(const QString& path, UserDialogs& dialogs) {
    if (launch(planLaunch(path)))
        return true;
    dialogs.error(msgCannotOpenFile(path));
    return false;
}

LinkFieldController::LinkFieldController(Shell& shell, QObject* parent)
    : QObject(parent), m_shell(shell), m_section(new QWidget) {
    m_section->setObjectName(u"VerknuepfungPan"_s);
    auto* row = new QHBoxLayout(m_section);
    row->setContentsMargins(0, 4, 0, 0);
    row->setSpacing(1);
    for (int field = 0; field < 3; ++field) {
        auto* b = new QToolButton(m_section);
        b->setObjectName(u"V"_s + QString::number(field + 1) + u"Btn"_s);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        row->addWidget(b);
        attachButton(field, b);
    }
    shell.commands().onTriggered(u"Verknuepfungsfelder1"_s, this, [this] { editLinkFields(); });
    shell.addParticipant(*this);
    showOnButtons();
}

void LinkFieldController::attachButton(int field, QToolButton* button) {
    if (field < 0 || field >= kLinkFieldCount || !button)
        return;
    m_buttons[size_t(field)] = button;
    connect(button, &QToolButton::clicked, this, [this, field] { openLinkField(field, true); });
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QToolButton::customContextMenuRequested, this,
            [this, field] { openLinkField(field, false); });
    showOnButtons();
}

void LinkFieldController::openLinkField(int field, bool leftButton) {
    if (field < 0 || field >= kLinkFieldCount)
        return;
    // The path is used as the settings hold it: a central file's value is
    // not trimmed, split or expanded either.
    const QString path = linkFieldsOf(m_shell.settings())[size_t(field)].path;
    if (!leftButton || path.trimmed().isEmpty()) {
        editLinkFields();
        return;
    }
    startLinkedFile(path, m_shell.dialogs());
}

LinkFieldDialog* LinkFieldController::dialog() {
    if (!m_dialog)
        m_dialog = new LinkFieldDialog(m_shell.dialogs(), m_shell.dialogParent());
    return m_dialog;
}

void LinkFieldController::editLinkFields() {
    LinkFieldDialog* form = dialog();
    form->setFields(linkFieldsOf(m_shell.settings()));
    if (form->exec() != QDialog::Accepted)
        return;
    storeLinkFields(form->accepted(), m_shell.settings());
    showOnButtons();
}

void LinkFieldController::showOnButtons() {
    const LinkFields fields = linkFieldsOf(m_shell.settings());
    for (int field = 0; field < kLinkFieldCount; ++field) {
        QToolButton* b = m_buttons[size_t(field)];
        if (!b)
            continue;
        if (field != kKeyboardLinkField)
            b->setText(fields[size_t(field)].caption);
        b->setToolTip(fields[size_t(field)].hint);
    }
}

} // namespace quorvel
