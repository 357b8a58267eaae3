#pragma once

#include "userprompter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace quorvel::test {

// Answers the program's questions from a script and records what was asked,
// in order. The closing dialog is recorded as "<Beenden>".
class ScriptedPrompter : public UserPrompter {
public:
    struct Question {
        MessageKind kind;
        QString text;
        MessageButtons buttons;
    };

    std::deque<Answer> answers;  // taken front first; when empty: the last button
    bool quitAnswer = true;      // the closing dialog's answer
    std::vector<Question> asked;
    QStringList order;

    Answer ask(MessageKind kind, const QString& text, MessageButtons buttons) override
    {
        asked.push_back({kind, text, buttons});
        order << text;
        if (answers.empty())
            return buttons == MessageButtons::Ok      ? Answer::Ok
                   : buttons == MessageButtons::YesNo ? Answer::No
                                                      : Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    bool confirmQuit() override
    {
        order << QStringLiteral("<Beenden>");
        return quitAnswer;
    }
};

} // namespace quorvel::test
