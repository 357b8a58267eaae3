// SPDX-License-Identifier: GPL-3.0-or-later
#include "uebungsrueckmeldungform.h"

#include "settings.h"
#include "shell.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TUebungsrueckmeldungForm::TUebungsrueckmeldungForm(Shell& shell, QString soundFolder,
                                                   QWidget* parent)
    : DecoratedDialog(parent), m_shell(shell), m_soundFolder(std::move(soundFolder)),
      m_richtigText(new QLineEdit(this)), m_falschText(new QLineEdit(this)),
      m_richtigTon(new QLineEdit(this)), m_falschTon(new QLineEdit(this)) {
    setObjectName(u"UebungsrueckmeldungForm"_s);
    setWindowTitle(u"Übungsrückmeldung"_s);
    setModal(true);
    resize(600, 0);

    auto* texts = new QGroupBox(u" Textrückmeldung (bis ca. 30 Zeichen, Größe skaliert)"_s, this);
    auto* textForm = new QFormLayout(texts);
    textForm->addRow(u"Richtige Antwort:"_s, m_richtigText);
    textForm->addRow(u"Falsche Antwort:"_s, m_falschText);

    auto* sounds = new QGroupBox(u" Tondateien (WAV-Dateien) "_s, this);
    auto* soundForm = new QFormLayout(sounds);
    const std::array<QLineEdit*, 2> soundEdits = {m_richtigTon, m_falschTon};
    const std::array<QString, 2> soundLabels = {u"Richtige Antwort:"_s, u"Falsche Antwort:"_s};
    for (size_t i = 0; i < soundEdits.size(); ++i) {
        auto* row = new QHBoxLayout;
        m_browse[i] = new QPushButton(u"Durchsuchen..."_s, this);
        row->addWidget(soundEdits[i], 1);
        row->addWidget(m_browse[i]);
        soundForm->addRow(soundLabels[i], row);
        connect(m_browse[i], &QPushButton::clicked, this,
                [this, edit = soundEdits[i]] { browse(edit); });
    }

    auto* ticks = new QGroupBox(u" Textrückmeldung (kurz) für Multiple-Choice-Fragen mit "
                                u"teilweise richtiger Antwort "_s,
                                this);
    auto* tickForm = new QFormLayout(ticks);
    const std::array<QString, 3> tickLabels = {u"Richtige Häkchen:"_s, u"Falsche Häkchen:"_s,
                                               u"Fehlende Häkchen:"_s};
    for (size_t i = 0; i < m_mcTexts.size(); ++i) {
        m_mcTexts[i] = new QLineEdit(this);
        tickForm->addRow(tickLabels[i], m_mcTexts[i]);
    }

    auto* ok = new QPushButton(u"OK"_s, this);
    auto* cancel = new QPushButton(u"Abbrechen"_s, this);
    for (QPushButton* button : {ok, cancel})
        button->setMinimumSize(110, 30);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(texts);
    outer->addWidget(sounds);
    outer->addWidget(ticks);
    outer->addLayout(buttons);
}

void TUebungsrueckmeldungForm::load(const UebungsrueckmeldungSettings& settings) {
    m_richtigText->setText(settings.RichtigText);
    m_falschText->setText(settings.FalschText);
    m_richtigTon->setText(settings.RichtigTonDatei);
    m_falschTon->setText(settings.FalschTonDatei);
    m_mcTexts[0]->setText(settings.MCRichtigText);
    m_mcTexts[1]->setText(settings.MCFalschText);
    m_mcTexts[2]->setText(settings.MCFehlendText);
}

void TUebungsrueckmeldungForm::store(UebungsrueckmeldungSettings& settings) const {
    settings.RichtigText = m_richtigText->text();
    settings.FalschText = m_falschText->text();
    settings.RichtigTonDatei = m_richtigTon->text();
    settings.FalschTonDatei = m_falschTon->text();
    settings.MCRichtigText = m_mcTexts[0]->text();
    settings.MCFalschText = m_mcTexts[1]->text();
    settings.MCFehlendText = m_mcTexts[2]->text();
}

void TUebungsrueckmeldungForm::browse(QLineEdit* edit) {
    FileChoice choice;
    choice.title = u"Ton-Datei auswählen"_s;
    choice.filter = u"WAV-Tondatei (*.wav)|*.wav|Alle Dateien (*.*)|*.*"_s;
    // The sound folder the first time; later where the dialog was left.
    if (!m_browsed)
        choice.folder = m_soundFolder;
    choice.fileName = edit->text();
    m_browsed = true;
    const QString chosen = m_shell.dialogs().chooseOpenFile(choice);
    if (chosen.isEmpty())
        return;
    // A file from the sound folder is kept by its name, as the defaults are.
    const QFileInfo file(chosen);
    edit->setText(file.absolutePath() + u'/' == m_soundFolder ? file.fileName() : chosen);
}

} // namespace quorvel
