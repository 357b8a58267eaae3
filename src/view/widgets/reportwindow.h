// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QTextDocument;

namespace quorvel {

class Shell;
struct FileChoice;

// A window that shows a report and offers it to print, to save as a
// rich-text file and to copy (rich text, HTML and plain text). Subclasses
// show the report their way (the topic list as rich text, the info box as a
// picture) and give it as a text document (printed, copied as HTML and plain
// text) and as rich-text bytes (saved and copied). The dialogs are the
// shell's.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    // `printTitle` names the print job and its dialog, `saveTitle` the save
    // dialog.
    ReportWindow(Shell& shell, const QString& printTitle, const QString& saveTitle,
                 QWidget* parent);

    void copyToClipboard();
    // Writes the rich text to `path`; false (after the error message) when it
    // cannot.
    bool saveTo(const QString& path);
    // The save dialog, then saveTo().
    void save();
    // The print dialog, then the text document onto the chosen printer.
    void print();

protected:
    enum class Action { Copy, Save, Print, Close, Other };
    struct Button {
        Action action;
        QString caption;
        QString name;                  // the component name; may be empty
        std::function<void()> other{}; // what Action::Other does
    };
    // Lays the window out: `content` above a row of `buttons`.
    void setUp(QWidget* content, const std::vector<Button>& buttons);

    virtual void fillDocument(QTextDocument& document) const = 0;
    virtual QByteArray richText() const = 0;
    // What the save dialog offers: by default the title given, the rich-text
    // filter and extension, starting where it was last.
    virtual FileChoice saveChoice() const;

private:
    Shell& m_shell;
    QString m_printTitle;
    QString m_saveTitle;
};

} // namespace quorvel
