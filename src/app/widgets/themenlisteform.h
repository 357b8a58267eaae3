#pragma once

#include <QDialog>
#include <functional>

class QTextBrowser;

namespace quorvel {

class UserPrompter;

// The window "Themenliste": the topic list as a report, to copy (rich text,
// HTML and plain text), save as a rich-text file or print.
class TThemenlisteForm : public QDialog {
    Q_OBJECT
public:
    explicit TThemenlisteForm(QWidget* parent = nullptr);

    // Shows `reportMarkup` (replacing what was there).
    void setReport(const QString& reportMarkup);
    QString report() const { return m_report; }
    QTextBrowser* textView() const { return m_text; }

    // Tests replace the save dialog (empty: cancelled).
    void setFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }
    void setPrompter(std::function<UserPrompter&()> prompter) { m_prompter = std::move(prompter); }

    void copyToClipboard();
    // Writes the rich text to `path`; false (after the error message) when it cannot.
    bool saveTo(const QString& path);
    void save();
    void print();

private:
    QTextBrowser* m_text;
    QString m_report;
    std::function<QString()> m_chooseFile;
    std::function<UserPrompter&()> m_prompter;
};

} // namespace quorvel
