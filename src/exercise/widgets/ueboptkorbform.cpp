// SPDX-License-Identifier: GPL-3.0-or-later
#include "ueboptkorbform.h"

#include "settings.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TUebOptKorbForm::TUebOptKorbForm(ExerciseOptionsDialog* holder, QWidget* parent)
    : ExerciseOptionsDialog(u"UebOptKorbForm"_s, u"Übungseinstellungen für Cluster-Übung"_s, holder,
                            parent),
      m_abfrageModus(new RadioGroup(
          u" Abfragemodus "_s, {u" Freie Zuordnung "_s, u" Einzelabfrage Texte/Bilder "_s}, this)),
      m_zeitlimit(new TimeLimitGroup(this)) {
    m_abfrageModus->setObjectName(u"AbfrageModus"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(m_abfrageModus, 1);
    row->addWidget(m_zeitlimit, 1);
    body()->addLayout(row);
    body()->addStretch(1);
    load(UebOptKorbSettings{});
}

void TUebOptKorbForm::load(const UebOptKorbSettings& settings) {
    m_abfrageModus->setIndex(std::clamp(settings.AbfrageModus, 0, 1));
    m_zeitlimit->setTime(settings.Zeitlimit, settings.ZLimitMin, settings.ZLimitSek);
}

void TUebOptKorbForm::store(UebOptKorbSettings& settings) const {
    settings.AbfrageModus = m_abfrageModus->index();
    settings.Zeitlimit = m_zeitlimit->index();
    settings.ZLimitMin = m_zeitlimit->minutes()->text();
    settings.ZLimitSek = m_zeitlimit->seconds()->text();
}

} // namespace quorvel
