// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportwindow.h"

#include "documentio.h"
#include "savefile.h"
#include "shell.h"
#include "topiclistreport.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

ReportWindow::ReportWindow(Shell& shell, const QString& printTitle, const QString& saveTitle,
                           QWidget* parent)
    : QDialog(parent), m_shell(shell), m_printTitle(printTitle), m_saveTitle(saveTitle) {}

void ReportWindow::setUp(QWidget* content, const std::vector<Button>& buttons) {
    auto* row = new QHBoxLayout;
    for (const Button& button : buttons) {
        auto* pushButton = new QPushButton(button.caption, this);
        pushButton->setObjectName(button.name);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this,
                [this, action = button.action, other = button.other] {
                    switch (action) {
                    case Action::Copy:
                        copyToClipboard();
                        break;
                    case Action::Save:
                        save();
                        break;
                    case Action::Print:
                        print();
                        break;
                    case Action::Close:
                        close();
                        break;
                    case Action::Other:
                        if (other)
                            other();
                        break;
                    }
                });
        row->addWidget(pushButton);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(content, 1);
    layout->addLayout(row);
}

void ReportWindow::copyToClipboard() {
    QTextDocument document;
    fillDocument(document);
    auto* data = new QMimeData;
    const QByteArray rtf = richText();
    data->setData(u"text/rtf"_s, rtf);
    data->setData(u"application/rtf"_s, rtf);
    data->setHtml(document.toHtml());
    data->setText(document.toPlainText());
    QApplication::clipboard()->setMimeData(data);
}

bool ReportWindow::saveTo(const QString& path) {
    if (saveWholeFile(path, richText()))
        return true;
    m_shell.dialogs().error(msgCannotWrite(path));
    return false;
}

FileChoice ReportWindow::saveChoice() const {
    return {m_saveTitle, richTextFilter(), QString::fromUtf16(kRichTextExtension), QString()};
}

void ReportWindow::save() {
    const QString path = m_shell.dialogs().chooseSaveFile(saveChoice());
    if (!path.isEmpty())
        saveTo(path);
}

void ReportWindow::print() {
    QPrinter printer;
    printer.setDocName(m_printTitle);
    if (!m_shell.dialogs().choosePrinter(printer, m_printTitle))
        return;
    QTextDocument document;
    fillDocument(document);
    document.print(&printer);
}

} // namespace quorvel
