// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "linkfields.h"
#include "shellparticipant.h"

#include <QObject>
#include <array>

class QToolButton;
class QWidget;

namespace quorvel {

class LinkFieldDialog;
class Shell;
struct Settings;
class UserDialogs;

// The link fields of the settings (`Opt-Verknuepfung1` .. `Opt-VerknuepfungHintT`).
LinkFields linkFieldsOf(const Settings& settings);
void storeLinkFields(const LinkFields& fields, Settings& settings);

// Starts what a link field names: a program on its own, another file with
// the desktop's handler (planLaunch()). A target that does not exist or will
// not start gets the error "Die Datei ... kann nicht geöffnet werden." and
// nothing else happens. True when it was started.
bool startLinkedFile(const QString& path, UserDialogs& dialogs);

// The link fields on screen: the buttons V1, V2, V3 of the tool-bar section
// this controller makes, the keyboard button attached to it, and the dialog
// behind "&Verknüpfungsfelder...". A left click on a button with a path
// starts it; a right click, or any click without a path, opens the dialog,
// whose "OK" takes the fields into the settings (saved at shutdown).
// Registers itself with the shell.
class LinkFieldController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    // `shell` must outlive the controller.
    explicit LinkFieldController(Shell& shell, QObject* parent = nullptr);

    // The row of V1-V3 for the tool bar.
    QWidget* section() const { return m_section; }
    QToolButton* button(int field) const { return m_buttons[size_t(field)]; }
    // Makes `button` the button of `field` (the keyboard's lives on the
    // blackboard's section): its clicks and its hint follow the field.
    void attachButton(int field, QToolButton* button);

    void openLinkField(int field, bool leftButton);
    // The dialog, filled from the settings.
    void editLinkFields();
    LinkFieldDialog* dialog();

    void shellActivated() override { showOnButtons(); }

private:
    void showOnButtons();

    Shell& m_shell;
    QWidget* m_section;
    std::array<QToolButton*, kLinkFieldCount> m_buttons{};
    LinkFieldDialog* m_dialog = nullptr;
};

} // namespace quorvel
