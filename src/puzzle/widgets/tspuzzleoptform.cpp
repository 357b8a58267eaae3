// SPDX-License-Identifier: GPL-3.0-or-later
#include "tspuzzleoptform.h"

#include "radiogroup.h"
#include "tschiebepuzzle.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

TSPuzzleOptForm::TSPuzzleOptForm(QWidget* parent)
    : DecoratedDialog(parent),
      m_pieces(new RadioGroup(u" Puzzle-Teile "_s,
                              {u" 3 x 3"_s, u" 4 x 4"_s, u" 5 x 5"_s, u" 6 x 6"_s}, this)),
      m_click(new RadioGroup(u" Anklickbarkeit "_s,
                             {u" Nur Nachbarteile anklickbar "_s, u" Jedes Teil anklickbar "_s},
                             this)),
      m_start(makeButton(u"Schiebepuzzle starten"_s)), m_close(makeButton(u"Schließen"_s)) {
    setObjectName(u"SPuzzleOptForm"_s);
    setWindowTitle(u"Einstellungen zum Schiebepuzzle"_s);
    m_pieces->setObjectName(u"PuzzleTeile"_s);
    m_click->setObjectName(u"Anklickbarkeit"_s);
    m_pieces->setIndex(0);
    m_click->setIndex(0);
    m_start->setObjectName(u"StartBtn"_s);
    m_close->setObjectName(u"SchliessenBtn"_s);
    m_start->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(m_pieces, 1);
    groups->addWidget(m_click, 1);
    layout->addLayout(groups);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_start, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

int TSPuzzleOptForm::pieces() const {
    return TSchiebepuzzle::kSmallest + std::max(0, m_pieces->index());
}

bool TSPuzzleOptForm::neighboursOnly() const {
    return m_click->index() != 1;
}

} // namespace quorvel
