// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messageboxprompter.h"
#include "userdialogs.h"

#include <QHash>
#include <QPointer>

class QFileDialog;
class QWidget;

namespace quorvel {

class QuitDialog;

// The user dialogs of the main window: German message boxes and the closing
// dialog, Qt's file, folder, password and print dialogs, all with the main
// window as parent. A file dialog is made once per title and reused.
class WindowDialogs : public UserDialogs {
public:
    WindowDialogs(QWidget* parent, QuitDialog* quitDialog);

    Answer ask(MessageKind kind, const QString& text, MessageButtons buttons) override;
    bool confirmQuit() override;
    QString chooseOpenFile(const FileChoice& choice) override;
    QString chooseSaveFile(const FileChoice& choice) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> askPassword(const QString& title) override;
    bool choosePrinter(QPrinter& printer, const QString& title) override;
    bool setUpPrinter(QPrinter& printer, const QString& title) override;
    QColor chooseColour(const QColor& initial) override;

    // The file dialog titled like `choice`, set up for it (made on the first
    // call for that title).
    QFileDialog* fileDialog(const FileChoice& choice, bool save);

private:
    QString runFileDialog(const FileChoice& choice, bool save);

    QPointer<QWidget> m_parent;
    MessageBoxPrompter m_messages;
    QHash<QString, QPointer<QFileDialog>> m_fileDialogs;
};

} // namespace quorvel
