// SPDX-License-Identifier: GPL-3.0-or-later
#include "tnetzuebungtnstartform.h"

#include "documentio.h"
#include "netsettingsfile.h"
#include "participantlink.h"
#include "userprompter.h"

#include <QBuffer>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kNameLength = 20;

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TNetzUebungTnStartForm::TNetzUebungTnStartForm(UserPrompter& prompter, QWidget* parent)
    : DecoratedDialog(parent), m_prompter(prompter), m_name(new QLineEdit(this)),
      m_code(new QLineEdit(this)), m_codeLabel(new QLabel(u"&Unterrichtscode:"_s, this)),
      m_status(new QLabel(this)), m_ok(makeButton(u"Teilnehmen"_s)) {
    setObjectName(u"TNetzUebungTnStartForm"_s);
    setWindowTitle(u"An Netzwerk-Übung teilnehmen"_s);
    setModal(true);
    m_name->setObjectName(u"TNameEdit"_s);
    m_name->setMaxLength(kNameLength);
    m_code->setObjectName(u"UnterrichtscodeEdit"_s);
    m_code->setMaxLength(16);
    m_codeLabel->setBuddy(m_code);
    m_status->setObjectName(u"StatusLab"_s);
    m_ok->setObjectName(u"OKBtn"_s);
    m_ok->setDefault(true);
    QPushButton* cancel = makeButton(u"Abbrechen"_s);

    auto* nameLabel = new QLabel(u"&Name oder Rechnernummer:"_s, this);
    nameLabel->setBuddy(m_name);
    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(new QLabel(u"(max. 20 Zeichen)"_s, this), 0, 2);
    fields->addWidget(m_codeLabel, 1, 0);
    fields->addWidget(m_code, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wrappedLabel(u"Bitte Name eingeben und auf \"Teilnehmen\" klicken, sobald "
                                   u"im Status-Feld eine Netzwerk-Übung angezeigt wird."_s,
                                   this));
    layout->addLayout(fields);
    layout->addWidget(m_status);
    layout->addWidget(wrappedLabel(u"Die Netzwerk-Übung muss vom Lehrer-PC über den Menüpunkt "
                                   u"\"Lehrersteuerung / Netzwerk-Übung initiieren\" gestartet "
                                   u"werden."_s,
                                   this));
    layout->addLayout(buttons);
    resize(460, 250);

    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &TNetzUebungTnStartForm::check);
    connect(m_ok, &QPushButton::clicked, this, &TNetzUebungTnStartForm::join);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, &m_timer, &QTimer::stop);
}

QString TNetzUebungTnStartForm::name() const {
    return m_name->text();
}
QString TNetzUebungTnStartForm::lessonCode() const {
    return m_coded ? m_code->text() : QString();
}

bool TNetzUebungTnStartForm::ask(const ExchangeFiles& files) {
    prepare(files);
    m_timer.start();
    return exec() == QDialog::Accepted;
}

void TNetzUebungTnStartForm::prepare(const ExchangeFiles& files) {
    m_files = files;
    m_ok->setEnabled(false);
    m_coded = false;
    m_codeLabel->setEnabled(false);
    m_code->setEnabled(false);
    m_status->setText(u"Bitte warten..."_s);
    m_status->setStyleSheet(u"color: rgb(0, 0, 0)"_s);
    m_name->setFocus();
    const QString folder = QFileInfo(files.prefix()).absolutePath();
    if (!QDir(folder).exists())
        m_prompter.ask(MessageKind::Warning,
                       u"Der angegebene Kommunikationsordner ist nicht verfügbar. Wählen Sie zur "
                       u"Korrektur den Menüpunkt \"Optionen/Kommunikationsordner...\""_s,
                       MessageButtons::Ok);
}

void TNetzUebungTnStartForm::check() {
    DocumentSummary header;
    const bool available =
        m_files.available() && readDocumentHeader(m_files.documentPath(), header).ok;
    if (available) {
        QString title = header.titel.trimmed();
        if (title.isEmpty())
            title = u"(kein Titel)"_s;
        m_status->setText(u"Netzwerk-Übung verfügbar: "_s + title);
        m_status->setStyleSheet(u"color: rgb(0, 128, 0)"_s);
        // The code field is asked for only when the teacher set a code.
        QByteArray bytes;
        NetzUebSettings settings;
        if (readSmallFile(m_files.settingsPath(), 64 * 1024, bytes)) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            m_coded = readNetzUebSettings(buffer, settings) && !settings.lessonVerifier.isEmpty();
        }
    } else {
        m_status->setText(u"Netzwerk-Übung nicht initiiert. Bitte warten..."_s);
        m_status->setStyleSheet(u"color: rgb(255, 0, 0)"_s);
    }
    m_codeLabel->setEnabled(available && m_coded);
    m_code->setEnabled(available && m_coded);
    m_ok->setEnabled(available);
}

void TNetzUebungTnStartForm::join() {
    if (m_name->text().isEmpty()) {
        m_prompter.ask(MessageKind::Warning, u"Bitte Name oder Rechnernummer eintragen!"_s,
                       MessageButtons::Ok);
        m_name->setFocus();
        return;
    }
    if (m_coded) {
        NetworkInvitation invitation;
        const IoResult read = readInvitation(m_files, m_code->text(), invitation);
        if (read.messages == QStringList{msgWrongLessonCode()}) {
            m_prompter.ask(MessageKind::Warning, msgWrongLessonCode(), MessageButtons::Ok);
            m_code->setFocus();
            m_code->selectAll();
            return;
        }
    }
    m_timer.stop();
    accept();
}

} // namespace quorvel
