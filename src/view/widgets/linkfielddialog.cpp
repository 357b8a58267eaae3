// SPDX-License-Identifier: GPL-3.0-or-later
#include "linkfielddialog.h"

#include "userdialogs.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// The component-name suffix of a field: "1" .. "3", "T" for the keyboard.
QString suffix(int field) {
    return field == kKeyboardLinkField ? u"T"_s : QString::number(field + 1);
}

} // namespace

LinkFieldDialog::LinkFieldDialog(UserDialogs& dialogs, QWidget* parent)
    : DecoratedDialog(parent), m_dialogs(dialogs) {
    setObjectName(u"VerknuepfungForm"_s);
    setWindowTitle(u"Frei belegbare Verknüpfungsfelder für externe Programme"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    for (int field = 0; field < kLinkFieldCount; ++field)
        layout->addWidget(makeGroup(field));

    layout->addLayout(makeOkCancelRow(&m_ok));
    connect(m_ok, &QPushButton::clicked, this, &LinkFieldDialog::okClicked);
    setMinimumWidth(640);
}

QWidget* LinkFieldDialog::makeGroup(int field) {
    const bool keyboard = field == kKeyboardLinkField;
    auto* group = new QGroupBox(keyboard ? u" Bildschirmtastatur "_s
                                         : u" Verknüpfungsfeld "_s + linkFieldName(field) + u' ',
                                this);
    Row& row = m_rows[size_t(field)];
    const auto edit = [group](const QString& name) {
        auto* line = new QLineEdit(group);
        line->setObjectName(name);
        return line;
    };
    row.path = edit(u"Verknuepfung"_s + suffix(field) + u"Edit"_s);
    row.hint = edit(u"VerknuepfungHint"_s + suffix(field) + u"Edit"_s);
    if (!keyboard)
        row.caption = edit(u"VerknuepfungName"_s + suffix(field) + u"Edit"_s);
    row.browse = new QPushButton(u"Durchsuchen..."_s, group);
    row.browse->setObjectName(u"Durchsuchen"_s + suffix(field) + u"Btn"_s);
    row.clear = new QPushButton(u"Löschen"_s, group);
    row.clear->setObjectName(u"Loeschen"_s + suffix(field) + u"Btn"_s);
    connect(row.browse, &QPushButton::clicked, this, [this, field] { browse(field); });
    connect(row.clear, &QPushButton::clicked, this, [this, field] { clear(field); });

    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(u"Datei:"_s, group), 0, 0);
    grid->addWidget(row.path, 0, 1);
    grid->addWidget(row.browse, 0, 2);
    grid->addWidget(row.clear, 0, 3);
    int line = 1;
    if (row.caption) {
        grid->addWidget(new QLabel(u"Beschriftung:"_s, group), line, 0);
        grid->addWidget(row.caption, line++, 1);
    }
    grid->addWidget(new QLabel(u"Hinweis:"_s, group), line, 0);
    grid->addWidget(row.hint, line, 1);
    grid->setColumnStretch(1, 1);
    return group;
}

void LinkFieldDialog::setFields(const LinkFields& fields) {
    for (int field = 0; field < kLinkFieldCount; ++field) {
        const Row& row = m_rows[size_t(field)];
        const LinkField& value = fields[size_t(field)];
        row.path->setText(value.path);
        if (row.caption)
            row.caption->setText(value.caption);
        row.hint->setText(value.hint);
    }
    m_accepted = fields;
}

LinkFields LinkFieldDialog::fields() const {
    LinkFields fields;
    for (int field = 0; field < kLinkFieldCount; ++field) {
        const Row& row = m_rows[size_t(field)];
        LinkField& value = fields[size_t(field)];
        value.path = row.path->text();
        if (row.caption)
            value.caption = row.caption->text();
        value.hint = row.hint->text();
    }
    return fields;
}

void LinkFieldDialog::browse(int field) {
    QLineEdit* path = m_rows[size_t(field)].path;
    FileChoice choice{linkFieldBrowseTitle(field), linkFieldFilter(), {}, {}};
    const QString current = path->text().trimmed();
    if (!current.isEmpty()) {
        const QFileInfo file(current);
        choice.folder = file.absolutePath();
        choice.fileName = file.fileName();
    }
    const QString chosen = m_dialogs.chooseOpenFile(choice);
    if (!chosen.isEmpty())
        path->setText(chosen);
}

void LinkFieldDialog::clear(int field) {
    const Row& row = m_rows[size_t(field)];
    const LinkField cleared = clearedLinkField(field);
    row.path->setText(cleared.path);
    if (row.caption)
        row.caption->setText(cleared.caption);
    row.hint->setText(cleared.hint);
}

void LinkFieldDialog::okClicked() {
    const LinkFieldCheck check = checkLinkFields(fields());
    if (!check.ok) {
        m_dialogs.error(check.message);
        m_rows[size_t(check.failedField)].path->setFocus();
        return;
    }
    m_accepted = check.accepted;
    accept();
}

} // namespace quorvel
