// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuebprotokollform.h"

#include "protocolfile.h"
#include "reportmarkup.h"
#include "settings.h"
#include "shell.h"
#include "tprotkomform.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TUebProtokollForm::TUebProtokollForm(Shell& shell, QWidget* parent)
    : ReportWindow(shell, u"Übungsprotokoll"_s, u"Übungsprotokoll in Datei speichern"_s, parent),
      m_shell(shell), m_text(new QTextBrowser(this)), m_commentForm(new TProtKomForm(this)) {
    setObjectName(u"UebProtokollForm"_s);
    setWindowTitle(u"Übungsprotokoll"_s);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    resize(640, 640);
    m_text->setObjectName(u"ProtokollText"_s);
    m_text->setReadOnly(true);
    setUp(
        m_text,
        {{Action::Close, u"Schließen"_s, u"SchliessenBtn"_s},
         {Action::Copy, u"In Zwischenablage kopieren"_s, u"KopierenBtn"_s},
         {Action::Save, u"Speichern..."_s, u"SpeichernBtn"_s},
         {Action::Print, u"Drucken..."_s, u"DruckenBtn"_s},
         {Action::Other, u"Kommentar hinzufügen..."_s, u"KommentarBtn"_s, [this] { addComment(); }},
         {Action::Other, u"Per E-Mail versenden"_s, u"EMailBtn"_s, [this] { sendByMail(); }}});
    m_mailButton = findChild<QPushButton*>(u"EMailBtn"_s);
    m_mailButton->setEnabled(false);
}

void TUebProtokollForm::setProtocol(const QString& markup, const QString& documentFile,
                                    bool series) {
    m_markup = markup;
    m_documentFile = documentFile;
    m_series = series;
    renderReportMarkup(*m_text->document(), markup, ReportRendering::Replace);
    m_text->moveCursor(QTextCursor::Start);
}

void TUebProtokollForm::addComment() {
    if (const std::optional<QString> comment = m_commentForm->ask())
        appendComment(*comment);
}

void TUebProtokollForm::appendComment(const QString& comment) {
    const QString added = commentMarkup(comment);
    if (added.isEmpty())
        return;
    // The kept markup ends with a line break, so that the saved file breaks
    // its lines where the window does.
    if (!m_markup.isEmpty() && !m_markup.endsWith(u'\n') && !m_markup.endsWith(u'\r'))
        m_markup += u"\r\n"_s;
    m_markup += added + u"\r\n"_s;
    renderReportMarkup(*m_text->document(), added, ReportRendering::Append);
    m_text->moveCursor(QTextCursor::End);
}

void TUebProtokollForm::setMailHandOver(MailHandOver handOver) {
    m_mail = std::move(handOver);
    m_mailButton->setEnabled(bool(m_mail));
}

void TUebProtokollForm::sendByMail() {
    if (!m_mail)
        return;
    // Right after start the window holds no protocol: a mail of nothing
    // would name no document.
    if (m_markup.trimmed().isEmpty()) {
        m_shell.dialogs().information(msgNoProtocolToMail());
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QString path;
    const IoResult saved = saveProtocolUnderFreeName(
        m_shell.settings().ProtOrdner,
        [&now](int counter) { return mailProtocolName(now, counter); }, m_markup,
        mailProtocolFailureText(), &path);
    if (!saved) {
        for (const QString& message : saved.messages)
            m_shell.dialogs().error(message);
        return;
    }
    const QString body = m_series ? u"Anbei Quorvel-Übungsprotokoll zur Übungsserie\r\n"_s
                                  : u"Anbei Quorvel-Übungsprotokoll zu Themendokument: "_s +
                                        QFileInfo(m_documentFile).fileName() + u"\r\n"_s;
    m_mail(u"Quorvel-Übungsprotokoll"_s, body, {path});
}

void TUebProtokollForm::fillDocument(QTextDocument& document) const {
    document.setDefaultFont(m_text->document()->defaultFont());
    renderReportMarkup(document, m_markup, ReportRendering::Replace);
}

QByteArray TUebProtokollForm::richText() const {
    return protocolRtf(m_markup);
}

FileChoice TUebProtokollForm::saveChoice() const {
    return {u"Übungsprotokoll in Datei speichern"_s,
            u"Rich Text Dokument (*.rtf)|*.rtf|Alle Dateien (*.*)|*.*"_s, u"rtf"_s,
            m_shell.settings().ProtOrdner};
}

} // namespace quorvel
