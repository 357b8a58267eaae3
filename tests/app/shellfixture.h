// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace quorvel::test {

// A main window whose folders, settings and central file live in a temporary
// folder and whose questions are answered by a script.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Creates the window with `arguments` as its command line.
    MainWindow& start(const QStringList& arguments = {});
    // start() and the first activation.
    MainWindow& activate(const QStringList& arguments = {});

    // Runs `interact` in the modal dialog of type D once it is up (the next
    // exec() of the test); `interact` must close it.
    template <typename D> void inDialog(std::function<void(D*)> interact) {
        QTimer::singleShot(0, window.get(), [interact = std::move(interact)] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            interact(dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    // A readable document with the title `titel`, written by the document core.
    QString writeDocument(const QString& name, const QString& titel) const;

    QTemporaryDir dir;
    StartEnvironment environment;
    std::unique_ptr<MainWindow> window;
    ScriptedPrompter* prompter = nullptr; // owned by the window
};

} // namespace quorvel::test
