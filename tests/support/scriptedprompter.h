// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "userdialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace quorvel::test {

// Answers every question of the program from a script and records what was
// asked, in order: the message boxes and the closing dialog (recorded as
// "<Beenden>") in `order`, the titles of the file, folder, password and print
// dialogs in `dialogs`, the colour dialog's presets in `colourOffers`. An empty script cancels a
// dialog and answers a message box with its last button.
class ScriptedPrompter : public UserDialogs {
public:
    struct Question {
        MessageKind kind;
        QString text;
        MessageButtons buttons;
    };

    std::deque<Answer> answers; // taken front first; when empty: the last button
    // Runs while a message box is up, before it is answered: a real box
    // keeps the events flowing meanwhile.
    std::function<void(const QString& text)> duringMessage;
    bool quitAnswer = true; // the closing dialog's answer
    std::vector<Question> asked;
    QStringList order;

    std::deque<QString> files;                    // the open and save dialogs' choices
    std::deque<QString> folders;                  // the folder dialog's choices
    std::deque<std::optional<QString>> passwords; // no value: cancelled
    // Sets up the printer (for example to write a PDF file) and says whether
    // to print; unset: the print dialog is cancelled.
    std::function<bool(QPrinter&)> print;
    // The same for the printer setup dialog: unset, it is cancelled.
    std::function<bool(QPrinter&)> setUp;
    QStringList dialogs;
    std::vector<FileChoice> fileChoices; // what the file dialogs offered
    std::deque<QColor> colours;          // the colour dialog's choices; none: cancelled
    std::vector<QColor> colourOffers;    // the colours it was preset with

    Answer ask(MessageKind kind, const QString& text, MessageButtons buttons) override {
        asked.push_back({kind, text, buttons});
        order << text;
        if (duringMessage)
            duringMessage(text);
        if (answers.empty())
            return buttons == MessageButtons::Ok      ? Answer::Ok
                   : buttons == MessageButtons::YesNo ? Answer::No
                                                      : Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    bool confirmQuit() override {
        order << QStringLiteral("<Beenden>");
        return quitAnswer;
    }

    QString chooseOpenFile(const FileChoice& choice) override { return chooseFile(choice); }
    QString chooseSaveFile(const FileChoice& choice) override { return chooseFile(choice); }

    QString chooseFolder(const QString& title, const QString& /*startFolder*/) override {
        dialogs << title;
        return take(folders);
    }

    std::optional<QString> askPassword(const QString& title) override {
        dialogs << title;
        if (passwords.empty())
            return std::nullopt;
        const bool given = passwords.front().has_value();
        const QString entered = given ? *passwords.front() : QString();
        passwords.pop_front();
        if (!given)
            return std::nullopt;
        return entered;
    }

    bool choosePrinter(QPrinter& printer, const QString& title) override {
        dialogs << title;
        return print && print(printer);
    }

    bool setUpPrinter(QPrinter& printer, const QString& title) override {
        dialogs << title;
        return setUp && setUp(printer);
    }

    QColor chooseColour(const QColor& initial) override {
        colourOffers.push_back(initial);
        if (colours.empty())
            return {};
        const QColor chosen = colours.front();
        colours.pop_front();
        return chosen;
    }

private:
    QString chooseFile(const FileChoice& choice) {
        dialogs << choice.title;
        fileChoices.push_back(choice);
        return take(files);
    }

    static QString take(std::deque<QString>& script) {
        if (script.empty())
            return {};
        const QString answer = script.front();
        script.pop_front();
        return answer;
    }
};

} // namespace quorvel::test
