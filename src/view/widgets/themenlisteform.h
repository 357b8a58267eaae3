// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportwindow.h"

class QTextBrowser;

namespace quorvel {

// The window "Themenliste": the topic list as a report, to copy, save as a
// rich-text file or print.
class TThemenlisteForm : public ReportWindow {
    Q_OBJECT
public:
    TThemenlisteForm(Shell& shell, QWidget* parent);

    // Shows `reportMarkup` (replacing what was there).
    void setReport(const QString& reportMarkup);
    QString report() const { return m_report; }
    QTextBrowser* textView() const { return m_text; }

protected:
    void fillDocument(QTextDocument& document) const override;
    QByteArray richText() const override;

private:
    QTextBrowser* m_text;
    QString m_report;
};

} // namespace quorvel
