// SPDX-License-Identifier: GPL-3.0-or-later
#include "themenlisteform.h"

#include "reportmarkup.h"
#include "reportrtf.h"
#include "topiclistreport.h"

#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TThemenlisteForm::TThemenlisteForm(Shell& shell, QWidget* parent)
    : ReportWindow(shell, u"Themenliste"_s, topicListSaveTitle(), parent),
      m_text(new QTextBrowser(this)) {
    setObjectName(u"ThemenlisteForm"_s);
    setWindowTitle(u"Themenliste"_s);
    resize(520, 600);
    m_text->setObjectName(u"ThemenlisteText"_s);
    setUp(m_text, {{Action::Copy, u"In Zwischenablage kopieren"_s, u"KopierenBtn"_s},
                   {Action::Save, u"Speichern..."_s, u"SpeichernBtn"_s},
                   {Action::Print, u"Drucken..."_s, u"DruckenBtn"_s},
                   {Action::Close, u"Schließen"_s, u"SchliessenBtn"_s}});
}

void TThemenlisteForm::setReport(const QString& reportMarkup) {
    m_report = reportMarkup;
    renderReportMarkup(*m_text->document(), reportMarkup, ReportRendering::Replace);
    m_text->moveCursor(QTextCursor::Start); // the list is read from its top
}

void TThemenlisteForm::fillDocument(QTextDocument& document) const {
    document.setDefaultFont(m_text->document()->defaultFont());
    renderReportMarkup(document, m_report, ReportRendering::Replace);
}

QByteArray TThemenlisteForm::richText() const {
    return reportMarkupToRtf(m_report, font().family());
}

} // namespace quorvel
