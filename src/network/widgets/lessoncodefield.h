// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace quorvel {

// "Unterrichtscode" in the panel of the dialog that initiates a network
// exercise: empty for none, typed by the teacher or made by the program.
class LessonCodeField : public QWidget {
    Q_OBJECT
public:
    explicit LessonCodeField(QWidget* parent = nullptr);

    // The code without surrounding blanks; empty: none.
    QString code() const;
    QLineEdit* edit() const { return m_edit; }
    QPushButton* makeButton() const { return m_make; }

private:
    QLineEdit* m_edit;
    QPushButton* m_make;
};

} // namespace quorvel
