// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;

namespace quorvel {

class TSchiebepuzzle;

// The status panel of the sliding puzzle (`SPuzzleStatusPan`): the cells in
// place of all, those out of place, the quota, the moves and the time taken.
class SPuzzleStatusPan : public QFrame {
    Q_OBJECT
public:
    explicit SPuzzleStatusPan(QWidget* parent = nullptr);

    // Shows the figures of `puzzle` as they are now.
    void showPuzzle(const TSchiebepuzzle& puzzle);
    // Sets the clock label; false (and nothing repainted) when its text is
    // already that.
    bool setClock(const QString& text);

    QLabel* label(const QString& name) const;

private:
    QLabel* m_right;
    QLabel* m_total;
    QLabel* m_wrong;
    QLabel* m_quote;
    QLabel* m_moves;
    QLabel* m_clock;
};

} // namespace quorvel
