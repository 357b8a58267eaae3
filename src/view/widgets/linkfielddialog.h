// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "linkfields.h"

class QLineEdit;

namespace quorvel {

class UserDialogs;

// The dialog "Frei belegbare Verknüpfungsfelder für externe Programme": for
// V1-V3 the program path with "Durchsuchen..." and "Löschen", the caption and
// the hint; for the on-screen keyboard the path and the hint. "OK" checks the
// paths in order and keeps the dialog open at the first invalid one (its
// message, the focus in its field). Made once and reused.
class LinkFieldDialog : public DecoratedDialog {
    Q_OBJECT
public:
    // `dialogs` (file choice, messages) must outlive the dialog.
    LinkFieldDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    void setFields(const LinkFields& fields);
    // The fields as entered.
    LinkFields fields() const;
    // After "OK": the fields taken over (paths trimmed).
    const LinkFields& accepted() const { return m_accepted; }

    QLineEdit* pathEdit(int field) const { return m_rows[size_t(field)].path; }
    QLineEdit* captionEdit(int field) const { return m_rows[size_t(field)].caption; }
    QLineEdit* hintEdit(int field) const { return m_rows[size_t(field)].hint; }
    QPushButton* browseButton(int field) const { return m_rows[size_t(field)].browse; }
    QPushButton* clearButton(int field) const { return m_rows[size_t(field)].clear; }
    QPushButton* okButton() const { return m_ok; }

private:
    struct Row {
        QLineEdit* path = nullptr;
        QLineEdit* caption = nullptr; // null for the keyboard
        QLineEdit* hint = nullptr;
        QPushButton* browse = nullptr;
        QPushButton* clear = nullptr;
    };
    QWidget* makeGroup(int field);
    void browse(int field);
    void clear(int field);
    void okClicked();

    UserDialogs& m_dialogs;
    std::array<Row, kLinkFieldCount> m_rows{};
    QPushButton* m_ok = nullptr;
    LinkFields m_accepted;
};

} // namespace quorvel
