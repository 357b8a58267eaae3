// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "resultfolders.h"

class QLineEdit;

namespace quorvel {

class Shell;

// "Dateiordner": the folders of best lists, protocols, chronicle screenshots
// and the picture gallery, each with its edit and "Durchsuchen...". "OK"
// completes and checks them; an invalid folder is named, its edit takes the
// focus and the dialog stays open. Valid folders go into the settings.
class TBestListVerzForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TBestListVerzForm(Shell& shell, QWidget* parent = nullptr);

    // Fills the edits from the settings.
    void load();

    QLineEdit* edit(ResultFolder folder) const { return m_edits[int(folder)]; }
    QPushButton* browseButton(ResultFolder folder) const { return m_browse[int(folder)]; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void browse(ResultFolder folder);
    void okClicked();

    Shell& m_shell;
    std::array<QLineEdit*, 4> m_edits{};
    std::array<QPushButton*, 4> m_browse{};
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace quorvel
