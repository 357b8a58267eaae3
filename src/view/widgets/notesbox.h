// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportwindow.h"

class QComboBox;
class QTextEdit;

namespace quorvel {

// The notes box "Notizbox": a free rich-text notepad beside the view, shown
// non-modally and brought to the front. Its text lives only in this window
// (neither in the document nor in the settings) and stays while the window
// is closed. It copies, saves as rich text and prints like a report window,
// and takes text from the clipboard or a text or rich-text file.
class NotesBox : public ReportWindow {
    Q_OBJECT
public:
    // `shell` must outlive the window. The window answers "Noti&zbox...".
    NotesBox(Shell& shell, QWidget* parent);

    // Shows the window and brings it to the front; the text font is the
    // program font (`Opt-Schriftart`).
    void showBox();

    QTextEdit* textEdit() const { return m_text; }
    QComboBox* fontSizeBox() const { return m_fontSize; }
    QComboBox* widthBox() const { return m_width; }
    QComboBox* heightBox() const { return m_height; }

    // "Löschen": asks, then empties the text.
    void clearText();
    // "aus Zwischenablage".
    void pasteClipboard();
    // "aus Datei...": asks when there is text, then the open dialog.
    void loadFile();
    // Replaces the text by the file `path` (rich text or plain text); false
    // after the error message when it cannot be read.
    bool loadFrom(const QString& path);

protected:
    void fillDocument(QTextDocument& document) const override;
    QByteArray richText() const override;

private:
    void applyFont();
    void applySize();

    Shell& m_shell;
    QTextEdit* m_text;
    QComboBox* m_fontSize;
    QComboBox* m_width;
    QComboBox* m_height;
};

} // namespace quorvel
