// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessoncodefield.h"

#include "lessoncode.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

LessonCodeField::LessonCodeField(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)),
      m_make(new QPushButton(u"Code &erzeugen"_s, this)) {
    setObjectName(u"UnterrichtscodeFeld"_s);
    m_edit->setObjectName(u"UnterrichtscodeEdit"_s);
    m_edit->setMaxLength(kLessonCodeMaxLength);
    m_edit->setPlaceholderText(u"ohne Code"_s);
    m_edit->setToolTip(u"Nur wer den Unterrichtscode eingibt, kann an der Netzwerk-Übung "
                       u"teilnehmen. Leer: ohne Code."_s);
    m_make->setObjectName(u"UnterrichtscodeErzeugenBtn"_s);
    auto* label = new QLabel(u"&Unterrichtscode (freiwillig):"_s, this);
    label->setBuddy(m_edit);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(m_make);
    layout->addStretch(1);
    connect(m_make, &QPushButton::clicked, this, [this] { m_edit->setText(newLessonCode()); });
}

QString LessonCodeField::code() const {
    return m_edit->text().trimmed();
}

} // namespace quorvel
