// SPDX-License-Identifier: GPL-3.0-or-later
#include "spuzzlestatuspan.h"

#include "statuscolumn.h"
#include "tschiebepuzzle.h"

#include <QGridLayout>
#include <QLabel>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

SPuzzleStatusPan::SPuzzleStatusPan(QWidget* parent) : QFrame(parent) {
    setObjectName(u"SPuzzleStatusPan"_s);
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 1, 6, 1);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(0);
    m_total = new QLabel(this);
    m_total->setObjectName(u"GesAnzLab"_s);
    m_right = addStatusColumn(*grid, this, u"Richtig:"_s, u"RichtigLab"_s, m_total);
    m_wrong = addStatusColumn(*grid, this, u"Falsch:"_s, u"FalschLab"_s);
    m_quote = addStatusColumn(*grid, this, u"Lösungsquote:"_s, u"QuoteLab"_s);
    m_moves = addStatusColumn(*grid, this, u"Züge:"_s, u"ZuegeLab"_s);
    m_clock = addStatusColumn(*grid, this, u"Benötigte Zeit:"_s, u"UebZeitLab"_s);
}

void SPuzzleStatusPan::showPuzzle(const TSchiebepuzzle& puzzle) {
    m_right->setText(puzzle.inPlaceText());
    m_total->setText(puzzle.totalText());
    m_wrong->setText(puzzle.outOfPlaceText());
    m_quote->setText(puzzle.quoteText());
    m_moves->setText(puzzle.movesText());
}

bool SPuzzleStatusPan::setClock(const QString& text) {
    if (m_clock->text() == text)
        return false;
    m_clock->setText(text);
    return true;
}

QLabel* SPuzzleStatusPan::label(const QString& name) const {
    return findChild<QLabel*>(name);
}

} // namespace quorvel
