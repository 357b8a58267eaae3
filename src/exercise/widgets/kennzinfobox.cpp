// SPDX-License-Identifier: GPL-3.0-or-later
#include "kennzinfobox.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

QString TKennzInfoBox::text() {
    const std::pair<QString, QString> blocks[] = {
        {u"\"Richtig gelöst\":"_s,
         u"Gibt die bisherige Anzahl der richtig gelösten Fragen (bzw. Zuordnungen) und deren "
         u"Gesamtanzahl in der aktuellen Übungseinheit an (\"richtig\")."_s},
        {u"\"Fehlversuche\":"_s,
         u"Gibt die bisherige Anzahl der falschen Zuordnungen bzw. Antworten an (\"falsch\")."_s},
        {u"\"Akt. Erfolgsquote\":"_s,
         u"Die aktuelle Erfolgsquote ist:   Q = richtig / (richtig + falsch)"_s},
        {u"\"Gesamtleistung\":"_s,
         u"Die bisherige Gesamtleistung ist:   L = richtig / (richtig + falsch + offen)\n"
         u"Diese Kennzahl ist die Grundlage der Leistungsbewertung (Benotung) am Ende der "
         u"Übung. Der Parameter \"offen\" bezeichnet die aktuelle Anzahl der Positionen ohne "
         u"Zuordnungsversuch bzw. die Anzahl der noch nicht gestellten Fragen."_s},
        {u"\"Benötigte Zeit\" / \"Restzeit\":"_s,
         u"Zeit im Format \"Minuten:Sekunden\", die bisher verstrichen ist bzw. die bei "
         u"aktiviertem Zeitlimit noch zur Verfügung steht, bis die Übung abgebrochen wird."_s},
    };
    QString all;
    for (const auto& [heading, explanation] : blocks)
        all += heading + u'\n' + explanation + u"\n\n"_s;
    return all;
}

TKennzInfoBox::TKennzInfoBox(QWidget* parent)
    : DecoratedDialog(parent), m_text(new QPlainTextEdit(text(), this)) {
    setObjectName(u"KennzInfoBox"_s);
    setWindowTitle(u"Information zu den Kennzahlen"_s);
    setModal(true);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* close = new QPushButton(u"Schließen"_s, this);
    close->setMinimumSize(110, 30);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(m_text, 1);
    outer->addLayout(buttons);
    resize(520, 420);
}

} // namespace quorvel
