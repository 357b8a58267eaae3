// SPDX-License-Identifier: GPL-3.0-or-later
#include "tkommverzform.h"

#include "exchangefiles.h"
#include "mailslotwire.h"
#include "userdialogs.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

QString msgNoFolderAccess(const QString& folder) {
    return u"Sie verfügen nicht über ausreichende Zugriffsrechte für den angegebenen "
           u"Kommunikationsordner. Für diesen Ordner ("_s +
           folder +
           u") benötigen Sie Lese- und Schreibzugriffsrechte. \r\n\r\n"
           u"Setzen Sie die nötigen Zugriffsrechte oder wählen Sie unter dem Menüpunkt "
           u"\"Optionen / Kommunikationsordner...\" ein anderes Verzeichnis aus. "
           u"Wenden Sie sich ggf. an Ihren Netzwerkadministrator."_s;
}

TKommVerzForm::TKommVerzForm(UserDialogs& dialogs, QWidget* parent)
    : DecoratedDialog(parent), m_dialogs(dialogs), m_folder(new QLineEdit(this)),
      m_channel(new QLineEdit(this)),
      m_byFolder(new QRadioButton(
          u" Kommunikation erfolgt über den oben angegebenen Kommunikationsordner. "_s, this)),
      m_combined(new QRadioButton(u" Kombiniert: Kommunikationsordner und über Mailslots "
                                  u"(virtuelle Dateien)  -  empfohlen "_s,
                                  this)) {
    setObjectName(u"TKommVerzForm"_s);
    setWindowTitle(u"Kommunikation für Netzwerk-Übungen"_s);
    setModal(true);
    m_folder->setObjectName(u"VerzEdit1"_s);
    m_channel->setObjectName(u"KanalEdit1"_s);
    m_channel->setMaxLength(kMailBoxMaxLength);
    m_channel->setToolTip(u"Alle beteiligten Rechner müssen denselben Kanal verwenden, "
                          u"z. B. \"MASTER-1\"."_s);
    m_byFolder->setObjectName(u"KomRadioDatei"_s);
    m_combined->setObjectName(u"KomRadioMailslot"_s);

    QPushButton* browse = makeButton(u"&Durchsuchen..."_s);
    browse->setObjectName(u"VerzAuswBtn"_s);
    QPushButton* test = makeButton(u"&Zugriffstest"_s);
    test->setObjectName(u"ZugriffTestBtn"_s);
    QPushButton* ok = makeButton(u"OK"_s);
    ok->setDefault(true);
    QPushButton* cancel = makeButton(u"Abbrechen"_s);

    auto* folderGroup = new QGroupBox(u" Kommunikationsordner "_s, this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);
    auto* folderBox = new QVBoxLayout(folderGroup);
    folderBox->addLayout(folderRow);

    auto* channelGroup = new QGroupBox(u" Kommunikationskanal "_s, this);
    auto* channelRow = new QHBoxLayout(channelGroup);
    channelRow->addWidget(m_channel);
    auto* channelHint = new QLabel(u"Alle beteiligten Rechner müssen denselben Kanal "
                                   u"verwenden, z. B. \"MASTER-1\"."_s,
                                   channelGroup);
    channelHint->setWordWrap(true);
    channelRow->addWidget(channelHint, 1);

    auto* methodGroup = new QGroupBox(u" Kommunikationsverfahren "_s, this);
    auto* methodBox = new QVBoxLayout(methodGroup);
    methodBox->addWidget(m_byFolder);
    methodBox->addWidget(m_combined);
    auto* methodHint =
        new QLabel(u"Beim kombinierten Verfahren benötigen die Teilnehmer-PCs nur Lesezugriff "
                   u"auf den Kommunikationsordner; die Firewall muss dafür die Nachrichten "
                   u"der Teilnehmer (UDP) durchlassen."_s,
                   methodGroup);
    methodHint->setWordWrap(true);
    methodBox->addWidget(methodHint);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderGroup);
    layout->addWidget(channelGroup);
    layout->addWidget(methodGroup);
    layout->addLayout(buttons);
    resize(560, 380);

    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            m_dialogs.chooseFolder(u"Kommunikationsordner festlegen"_s, m_folder->text());
        if (!chosen.isEmpty())
            m_folder->setText(chosen);
    });
    connect(test, &QPushButton::clicked, this, [this] { accessTest(false); });
    connect(ok, &QPushButton::clicked, this, &TKommVerzForm::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

NetworkCommunication TKommVerzForm::typed() const {
    NetworkCommunication values;
    values.NetzKomOrdner = m_folder->text();
    values.NetzKomKanal = m_channel->text();
    values.NetzKomVerfahren = m_combined->isChecked() ? 1 : 0;
    return values;
}

NetworkCommunication TKommVerzForm::edit(const NetworkCommunication& current) {
    m_result = current;
    m_folder->setText(current.NetzKomOrdner);
    m_channel->setText(current.NetzKomKanal);
    (current.NetzKomVerfahren == 1 ? m_combined : m_byFolder)->setChecked(true);
    exec();
    return m_result;
}

bool TKommVerzForm::accessTest(bool silent) {
    if (m_combined->isChecked()) {
        if (!silent)
            m_dialogs.information(
                u"Aufgrund Mailslot-Kommunikation kein Datei-Zugriffstest erforderlich."_s);
        return true;
    }
    const QString folder = m_folder->text();
    if (!folderAccessTest(folder)) {
        m_dialogs.ask(MessageKind::Warning, msgNoFolderAccess(folder), MessageButtons::Ok);
        return false;
    }
    if (!silent)
        m_dialogs.information(u"Test für Lese- und Schreibzugriff erfolgreich."_s);
    return true;
}

void TKommVerzForm::confirm() {
    QString folder = m_folder->text();
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        m_folder->setText(folder += u'/');
    // The channel names files in the shared folder and the datagrams' port.
    if (!isPlainMailBoxName(m_channel->text())) {
        m_dialogs.ask(MessageKind::Warning,
                      u"Der Kommunikationskanal ist ungültig: 1 bis 8 Zeichen, ohne \"/\", "
                      u"\"\\\" und \"..\"."_s,
                      MessageButtons::Ok);
        m_channel->setFocus();
        return;
    }
    m_result = typed();
    if (!QDir(folder).exists()) {
        m_dialogs.ask(MessageKind::Warning, u"Der angegebene Ordner ist ungültig."_s,
                      MessageButtons::Ok);
        return;
    }
    if (!accessTest(true))
        return;
    accept();
}

} // namespace quorvel
