// SPDX-License-Identifier: GPL-3.0-or-later
#include "messageboxprompter.h"

#include "quitdialog.h"

#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace quorvel {

namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString messageBoxTitle(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Warning:
        return QStringLiteral("Warnung");
    case MessageKind::Error:
        return QStringLiteral("Fehler");
    case MessageKind::Confirmation:
        return QStringLiteral("Bestätigen");
    }
    return QString();
}

MessageBoxPrompter::MessageBoxPrompter(QWidget* parent, QuitDialog* quitDialog)
    : m_parent(parent), m_quitDialog(quitDialog) {}

Answer MessageBoxPrompter::ask(MessageKind kind, const QString& text, MessageButtons buttons) {
    QMessageBox box(iconOf(kind), messageBoxTitle(kind), QString(), QMessageBox::NoButton,
                    m_parent);
    box.setObjectName(QStringLiteral("Meldung"));
    // The program's texts use CR LF; a label wants plain line feeds.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // File names may hold anything, "<" included: never rich text.
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);

    struct Choice {
        QMessageBox::StandardButton button;
        const char16_t* caption;
        Answer answer;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case MessageButtons::Ok:
        choices = {{QMessageBox::Ok, u"OK", Answer::Ok}};
        break;
    case MessageButtons::YesNo:
        choices = {{QMessageBox::Yes, u"Ja", Answer::Yes}, {QMessageBox::No, u"Nein", Answer::No}};
        break;
    case MessageButtons::YesNoCancel:
        choices = {{QMessageBox::Yes, u"Ja", Answer::Yes},
                   {QMessageBox::No, u"Nein", Answer::No},
                   {QMessageBox::Cancel, u"Abbrechen", Answer::Cancel}};
        break;
    }
    for (const Choice& choice : choices)
        box.addButton(choice.button)->setText(QString::fromUtf16(choice.caption));
    box.setDefaultButton(choices.front().button);
    box.setEscapeButton(choices.back().button);

    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    for (const Choice& choice : choices) {
        if (choice.button == pressed)
            return choice.answer;
    }
    return choices.back().answer;
}

bool MessageBoxPrompter::confirmQuit() {
    if (!m_quitDialog)
        return true;
    return m_quitDialog->exec() == QDialog::Accepted;
}

} // namespace quorvel
