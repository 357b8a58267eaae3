// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace quorvel {

class Shell;
struct UebungsrueckmeldungSettings;

// "Übungsrückmeldung": the right and wrong messages, the two sound files
// (with "Durchsuchen...") and the three captions of the multiple-choice tick
// counter. "OK" stores all seven values as entered; "Abbrechen" discards.
class TUebungsrueckmeldungForm : public DecoratedDialog {
    Q_OBJECT
public:
    // The shell's file dialog chooses the sound files, starting in
    // `soundFolder` the first time.
    TUebungsrueckmeldungForm(Shell& shell, QString soundFolder, QWidget* parent = nullptr);

    void load(const UebungsrueckmeldungSettings& settings);
    void store(UebungsrueckmeldungSettings& settings) const;

    QLineEdit* richtigText() const { return m_richtigText; }
    QLineEdit* falschText() const { return m_falschText; }
    QLineEdit* richtigTonDatei() const { return m_richtigTon; }
    QLineEdit* falschTonDatei() const { return m_falschTon; }
    QLineEdit* mcText(int index) const { return m_mcTexts[size_t(index)]; }
    QPushButton* browseButton(int index) const { return m_browse[size_t(index)]; }

private:
    void browse(QLineEdit* edit);

    Shell& m_shell;
    QString m_soundFolder;
    bool m_browsed = false;
    QLineEdit* m_richtigText;
    QLineEdit* m_falschText;
    QLineEdit* m_richtigTon;
    QLineEdit* m_falschTon;
    std::array<QLineEdit*, 3> m_mcTexts{};
    std::array<QPushButton*, 2> m_browse{};
};

} // namespace quorvel
