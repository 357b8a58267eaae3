// SPDX-License-Identifier: GPL-3.0-or-later
#include "ueboptkreuzverbindungform.h"

#include "exercisesettings.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TUebOptKreuzverbindungForm::TUebOptKreuzverbindungForm(ExerciseOptionsDialog* holder,
                                                       QWidget* parent)
    : ExerciseOptionsDialog(u"UebOptKreuzverbindungForm"_s,
                            u"Übungseinstellungen für Über-Kreuz-Zuordnung"_s, holder, parent),
      m_zeitlimit(new TimeLimitGroup(this)) {
    body()->addWidget(m_zeitlimit);
    body()->addStretch(1);
    load(CrossMatchingTime{});
}

void TUebOptKreuzverbindungForm::load(const CrossMatchingTime& time) {
    m_zeitlimit->setTime(time.Zeitlimit, time.ZLimitMin, time.ZLimitSek);
}

void TUebOptKreuzverbindungForm::store(CrossMatchingTime& time) const {
    time.Zeitlimit = m_zeitlimit->index();
    time.ZLimitMin = m_zeitlimit->minutes()->text();
    time.ZLimitSek = m_zeitlimit->seconds()->text();
}

} // namespace quorvel
