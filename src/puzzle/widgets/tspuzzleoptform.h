// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

class QPushButton;

namespace quorvel {

class RadioGroup;

// "Einstellungen zum Schiebepuzzle" (`TSPuzzleOptForm`): the number of
// pieces (3 x 3 to 6 x 6) and which pieces may be clicked. Made once; its
// choices last for the program run and are not stored. Accepted by
// "Schiebepuzzle starten", rejected by "Schließen".
class TSPuzzleOptForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TSPuzzleOptForm(QWidget* parent = nullptr);

    // The board's side, 3 to 6.
    int pieces() const;
    bool neighboursOnly() const;

    RadioGroup* piecesGroup() const { return m_pieces; }
    RadioGroup* clickGroup() const { return m_click; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* closeButton() const { return m_close; }

private:
    RadioGroup* m_pieces;
    RadioGroup* m_click;
    QPushButton* m_start;
    QPushButton* m_close;
};

} // namespace quorvel
