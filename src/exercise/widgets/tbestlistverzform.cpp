// SPDX-License-Identifier: GPL-3.0-or-later
#include "tbestlistverzform.h"

#include "programfolders.h"
#include "shell.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvel {

namespace {

struct FolderGroup {
    const char16_t* caption;
    const char16_t* browseTitle;
    const char16_t* note;
};

// In the order of ResultFolder.
constexpr FolderGroup groups[] = {
    {u" Ordner für Bestenlisten ", u"Ordner für Bestenlisten festlegen",
     u"In diesem Ordner werden die Bestenlisten gepeichert. Wenn hierfür ein Netzwerk-Ordner \n"
     u"angegeben wird, so wird eine gemeinsame Liste für alle Rechner geführt, die darauf "
     u"zugreifen, \n"
     u"ansonsten nur für den lokalen Rechner."},
    {u" Ordner für Protokolle ", u"Ordner für Protokolle festlegen", nullptr},
    {u" Ordner für Chronik-Screenshots ", u"Ordner für Chronik-Screenshots festlegen", nullptr},
    {u" Ordner für Bildergalerie ", u"Ordner für Bildergalerie festlegen",
     u"Dieser Ordner ist der Basisordner der Bildergalerie."},
};

} // namespace

TBestListVerzForm::TBestListVerzForm(Shell& shell, QWidget* parent)
    : DecoratedDialog(parent), m_shell(shell), m_ok(makeButton(u"OK"_s)),
      m_cancel(makeButton(u"Abbrechen"_s)) {
    setObjectName(u"BestListVerzForm"_s);
    setWindowTitle(u"Dateiordner"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    for (int i = 0; i < 4; ++i) {
        const FolderGroup& g = groups[i];
        auto* box = new QGroupBox(QString::fromUtf16(g.caption), this);
        auto* boxLayout = new QVBoxLayout(box);
        if (g.note) {
            auto* note = new QLabel(QString::fromUtf16(g.note), box);
            boxLayout->addWidget(note);
        }
        auto* row = new QHBoxLayout;
        m_edits[i] = new QLineEdit(box);
        m_edits[i]->setMinimumWidth(420);
        m_browse[i] = makeButton(u"Durchsuchen..."_s);
        row->addWidget(m_edits[i], 1);
        row->addWidget(m_browse[i]);
        boxLayout->addLayout(row);
        layout->addWidget(box);
        connect(m_browse[i], &QPushButton::clicked, this, [this, i] { browse(ResultFolder(i)); });
    }
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TBestListVerzForm::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
}

void TBestListVerzForm::load() {
    const ResultFolderTexts folders = resultFolders(m_shell.settings());
    for (int i = 0; i < 4; ++i)
        m_edits[i]->setText(folders[i]);
}

void TBestListVerzForm::browse(ResultFolder folder) {
    QLineEdit* target = edit(folder);
    const QString chosen = m_shell.dialogs().chooseFolder(
        QString::fromUtf16(groups[int(folder)].browseTitle), target->text());
    if (!chosen.isEmpty())
        target->setText(withTrailingSlash(chosen));
}

void TBestListVerzForm::okClicked() {
    ResultFolderTexts folders;
    for (int i = 0; i < 4; ++i)
        folders[i] = m_edits[i]->text();
    createDefaultResultFolders(folders, m_shell.state().programFolder);
    const std::optional<ResultFolder> invalid = checkResultFolders(folders);
    // The completed texts are shown, also those checked before a failure.
    for (int i = 0; i < 4; ++i)
        m_edits[i]->setText(folders[i]);
    if (invalid) {
        m_shell.dialogs().error(msgInvalidResultFolder(*invalid));
        edit(*invalid)->setFocus();
        edit(*invalid)->selectAll();
        return;
    }
    storeResultFolders(m_shell.settings(), folders);
    accept();
}

} // namespace quorvel
