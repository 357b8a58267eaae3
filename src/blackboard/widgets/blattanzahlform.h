// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>

class QGroupBox;
class QPushButton;
class QSpinBox;

namespace quorvel {

class Shell;

// A push button that shows a colour and opens the colour dialog of `shell`
// preset with it.
class ColourButton : public QObject {
    Q_OBJECT
public:
    // `shell` must outlive the button.
    ColourButton(QPushButton* button, QColor colour, Shell& shell);
    QColor colour() const { return m_colour; }
    void setColour(QColor colour);
    QPushButton* button() const { return m_button; }

private:
    void choose();

    QPushButton* m_button;
    QColor m_colour;
    Shell& m_shell;
};

// The free-count dialog of the sheet menu: " Freie Eingabe " with the count
// (`AnzEdit`, 1-200) and the line and background colours, which it keeps
// between uses. The caller sets the caption and the count.
class TBlattAnzahlForm : public QDialog {
    Q_OBJECT
public:
    // The colour buttons choose through the dialogs of `shell`, which must outlive the form.
    TBlattAnzahlForm(Shell& shell, QWidget* parent);

    QSpinBox* countEdit() const { return m_count; }
    int count() const;
    void setCount(int count);
    QColor lineColour() const { return m_line->colour(); }
    QColor backgroundColour() const { return m_background->colour(); }
    ColourButton& lineButton() const { return *m_line; }

private:
    QSpinBox* m_count;
    ColourButton* m_line;
    ColourButton* m_background;
};

} // namespace quorvel
