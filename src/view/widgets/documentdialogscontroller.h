// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace quorvel {

class DocumentPropertiesDialog;
class LearningViewController;
class Shell;
class TSchriftartForm;

// The dialogs about the open document: "Do&kumenteigenschaften..." shows its
// facts, "Schrift&art..." sets its font and composes the learning view anew.
// The dialogs are made on first use and reused.
class DocumentDialogsController : public QObject {
    Q_OBJECT
public:
    // `shell` and `view` must outlive the controller.
    DocumentDialogsController(Shell& shell, LearningViewController& view,
                              QObject* parent = nullptr);

    void showProperties();
    void chooseFont();

    DocumentPropertiesDialog* propertiesDialog();
    TSchriftartForm* fontForm();

private:
    Shell& m_shell;
    LearningViewController& m_view;
    DocumentPropertiesDialog* m_properties = nullptr;
    TSchriftartForm* m_font = nullptr;
};

} // namespace quorvel
