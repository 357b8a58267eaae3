// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowdialogs.h"

#include "filedialogs.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QIcon>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

WindowDialogs::WindowDialogs(QWidget* parent, QuitDialog* quitDialog)
    : m_parent(parent), m_messages(parent, quitDialog) {}

Answer WindowDialogs::ask(MessageKind kind, const QString& text, MessageButtons buttons) {
    return m_messages.ask(kind, text, buttons);
}

bool WindowDialogs::confirmQuit() {
    return m_messages.confirmQuit();
}

QFileDialog* WindowDialogs::fileDialog(const FileChoice& choice, bool save) {
    QPointer<QFileDialog>& dialog = m_fileDialogs[choice.title];
    if (!dialog) {
        dialog = new QFileDialog(m_parent, choice.title);
        dialog->resize(860, 560);
        // A title stands for one kind of file: its filters are set once.
        setProgramNameFilters(*dialog, choice.filter);
    }
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(choice.defaultSuffix);
    if (!choice.folder.isEmpty())
        dialog->setDirectory(choice.folder);
    if (!choice.fileName.isEmpty())
        dialog->selectFile(choice.fileName);
    return dialog;
}

QString WindowDialogs::runFileDialog(const FileChoice& choice, bool save) {
    QFileDialog* dialog = fileDialog(choice, save);
    for (;;) {
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return {};
        // The dialog reads "a" "b" as two names: a name with a quote would
        // come back cut to its quoted part.
        const auto* typed = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        if (save && typed && typed->text().contains(u'"')) {
            m_messages.ask(MessageKind::Error, msgQuoteInFileName(), MessageButtons::Ok);
            continue;
        }
        return dialog->selectedFiles().first();
    }
}

QString WindowDialogs::chooseOpenFile(const FileChoice& choice) {
    return runFileDialog(choice, false);
}

QString WindowDialogs::chooseSaveFile(const FileChoice& choice) {
    return runFileDialog(choice, true);
}

QString WindowDialogs::chooseFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(m_parent, title, startFolder);
}

std::optional<QString> WindowDialogs::askPassword(const QString& title) {
    bool ok = false;
    const QString entered =
        QInputDialog::getText(m_parent, title, u"Passwort:"_s, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return entered;
}

bool WindowDialogs::choosePrinter(QPrinter& printer, const QString& title) {
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

bool WindowDialogs::setUpPrinter(QPrinter& printer, const QString& title) {
    // The print dialog without what belongs to one print: it chooses the
    // printer and its paper; its confirming button sets up, not prints.
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(title);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
            ok->setText(u"OK"_s);
            ok->setIcon(QIcon());
        }
    }
    return dialog.exec() == QDialog::Accepted;
}

QColor WindowDialogs::chooseColour(const QColor& initial) {
    return QColorDialog::getColor(initial, m_parent);
}

} // namespace quorvel
