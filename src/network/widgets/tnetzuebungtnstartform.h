// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"
#include "exchangefiles.h"

#include <QTimer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class UserPrompter;

// "An Netzwerk-Übung teilnehmen": the participant's name and, when the
// teacher set one, the lesson code. Every 500 ms it looks whether an exercise
// is published in the communication folder; "Teilnehmen" is enabled only
// while one is.
class TNetzUebungTnStartForm : public DecoratedDialog {
    Q_OBJECT
public:
    TNetzUebungTnStartForm(UserPrompter& prompter, QWidget* parent = nullptr);

    // Opens the dialog for the exercise of `files`; true on "Teilnehmen".
    bool ask(const ExchangeFiles& files);

    QString name() const;
    QString lessonCode() const;

    // Resets the dialog for the exercise of `files` (as ask() does before it opens).
    void prepare(const ExchangeFiles& files);
    // One availability check (the timer's tick).
    void check();

private:
    void join();

    UserPrompter& m_prompter;
    ExchangeFiles m_files{QString(), QString()};
    QLineEdit* m_name;
    QLineEdit* m_code;
    QLabel* m_codeLabel;
    QLabel* m_status;
    QPushButton* m_ok;
    QTimer m_timer;
    bool m_coded = false;
};

} // namespace quorvel
