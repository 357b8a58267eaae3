// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>

namespace quorvel {

class TeacherState;

// The participant grid of the control display over the teacher's state: the
// texts as they arrive, the per-column alignment, and colours that show the
// state of every field at a glance (solved at once, solved after wrong
// attempts, wrong and still open) and participants who gave up or ran out of
// time. The texts are always there, so a black-and-white print loses nothing.
// A message changes only its own cells.
class ControlGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ControlGridModel(QObject* parent = nullptr);

    // The state shown; null shows an empty grid of the 13 fixed columns.
    void setState(const TeacherState* state);
    // What one message changed (NetworkTeacher::rowChanged).
    void update(int row, bool added, const QList<int>& columns);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The grid's pixel widths and alignments, as printed and shown.
    QList<int> widths() const;
    QList<Qt::Alignment> alignments() const;

    static const QColor& solvedColour();
    static const QColor& solvedLateColour();
    static const QColor& wrongColour();

private:
    const TeacherState* m_state = nullptr;
};

} // namespace quorvel
