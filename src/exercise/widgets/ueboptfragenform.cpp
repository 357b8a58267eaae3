// SPDX-License-Identifier: GPL-3.0-or-later
#include "ueboptfragenform.h"

#include "settings.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TUebOptFragenForm::TUebOptFragenForm(ExerciseOptionsDialog* holder, QWidget* parent)
    : ExerciseOptionsDialog(u"UebOptFragenForm"_s,
                            u"Übungseinstellungen für Einzelfragen und Multiple-Choice-Fragen"_s,
                            holder, parent),
      m_falsch(new RadioGroup(u" Abfragemodus "_s,
                              {u" Solange wiederholen, bis jede Frage richtig beantwortet wurde "_s,
                               u" Jede Frage nur einmal stellen "_s},
                              this)),
      m_texte(new RadioGroup(u" Reihenfolge der Antwortvorgaben "_s,
                             {u" Alphabetisch geordnet "_s, u" Zufällig gemischt "_s}, this)),
      m_ziele(new RadioGroup(u" Reihenfolge der Fragen "_s,
                             {u" Wie vorgegeben geordnet "_s, u" Zufällig gemischt "_s}, this)),
      m_zeitlimit(new TimeLimitGroup(this)) {
    m_falsch->setObjectName(u"ZuordnungFalsch"_s);
    m_texte->setObjectName(u"Zuordnungstexte"_s);
    m_ziele->setObjectName(u"Zuordnungsziele"_s);
    auto* grid = new QGridLayout;
    grid->addWidget(m_falsch, 0, 0, 1, 2);
    grid->addWidget(m_texte, 1, 0);
    grid->addWidget(m_ziele, 1, 1);
    grid->addWidget(m_zeitlimit, 2, 0);
    body()->addLayout(grid);
    body()->addStretch(1);
    load(UebOptFragenSettings{});
}

void TUebOptFragenForm::setDokTyp(DokTyp dokTyp) {
    m_texte->button(0)->setText(dokTyp == DokTyp::MultipleChoice ? u" Wie vorgegeben geordnet "_s
                                                                 : u" Alphabetisch geordnet "_s);
}

void TUebOptFragenForm::load(const UebOptFragenSettings& settings) {
    m_falsch->setIndex(std::clamp(settings.ZuordnungFalsch, 0, 1));
    m_texte->setIndex(std::clamp(settings.Zuordnungstexte, 0, 1));
    m_ziele->setIndex(std::clamp(settings.Zuordnungsziele, 0, 1));
    m_zeitlimit->setTime(settings.Zeitlimit, settings.ZLimitMin, settings.ZLimitSek);
}

void TUebOptFragenForm::store(UebOptFragenSettings& settings) const {
    settings.ZuordnungFalsch = m_falsch->index();
    settings.Zuordnungstexte = m_texte->index();
    settings.Zuordnungsziele = m_ziele->index();
    settings.Zeitlimit = m_zeitlimit->index();
    settings.ZLimitMin = m_zeitlimit->minutes()->text();
    settings.ZLimitSek = m_zeitlimit->seconds()->text();
}

} // namespace quorvel
