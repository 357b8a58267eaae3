// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlgridmodel.h"

#include "teacherstate.h"

namespace quorvel {

namespace {

constexpr int kFixedColumns = 13;
constexpr int kFixedWidths[kFixedColumns] = {30, 60, 60, 45, 50, 40, 40, 40, 40, 40, 40, 50, 30};
constexpr int kFieldWidth = 25;

const QStringList& fixedHeaders() {
    static const QStringList headers = TeacherState(TeacherState::Setup{}).headers();
    return headers;
}

Qt::Alignment alignmentOf(int column) {
    return column == 1 || column == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
}

} // namespace

const QColor& ControlGridModel::solvedColour() {
    static const QColor colour(0xC6, 0xEF, 0xC6);
    return colour;
}

const QColor& ControlGridModel::solvedLateColour() {
    static const QColor colour(0xFF, 0xEE, 0xA8);
    return colour;
}

const QColor& ControlGridModel::wrongColour() {
    static const QColor colour(0xF7, 0xC4, 0xC4);
    return colour;
}

ControlGridModel::ControlGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ControlGridModel::setState(const TeacherState* state) {
    beginResetModel();
    m_state = state;
    endResetModel();
}

void ControlGridModel::update(int row, bool added, const QList<int>& columns) {
    if (!m_state)
        return;
    if (added) {
        // The first participant takes the empty row the grid starts with.
        if (row == 0) {
            Q_EMIT dataChanged(index(0, 0), index(0, columnCount() - 1));
        } else {
            beginInsertRows({}, row, row);
            endInsertRows();
        }
        return;
    }
    for (int column : columns) {
        const QModelIndex cell = index(row, column);
        Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole, Qt::BackgroundRole});
    }
}

int ControlGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_state ? qMax(1, static_cast<int>(m_state->participants().size())) : 1;
}

int ControlGridModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_state ? m_state->columnCount() : kFixedColumns;
}

QVariant ControlGridModel::data(const QModelIndex& index, int role) const {
    if (!m_state || !index.isValid() || index.row() >= m_state->participants().size())
        return role == Qt::TextAlignmentRole ? QVariant(alignmentOf(index.column())) : QVariant();
    const TeacherState::Participant& p = m_state->participants().at(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return p.cells.value(column);
    case Qt::TextAlignmentRole:
        return QVariant(alignmentOf(column));
    case Qt::BackgroundRole: {
        if (column == 3) {
            const QString& status = p.cells.at(3);
            if (status == QLatin1String("abgebr."))
                return QColor(0xD9, 0xD9, 0xD9);
            if (status == QLatin1String("timeout"))
                return QColor(0xFF, 0xD5, 0xA6);
            return {};
        }
        if (column < kFixedColumns)
            return {};
        const TeacherState::FieldResult& field = p.fields[std::size_t(column - kFixedColumns)];
        if (field.solved)
            return field.wrongAttempts == 0 ? solvedColour() : solvedLateColour();
        if (field.wrongAttempts > 0)
            return wrongColour();
        return {};
    }
    default:
        return {};
    }
}

QVariant ControlGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_state ? m_state->headers().value(section) : fixedHeaders().value(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant(alignmentOf(section));
    return {};
}

QList<int> ControlGridModel::widths() const {
    QList<int> widths(std::begin(kFixedWidths), std::end(kFixedWidths));
    for (int column = kFixedColumns; column < columnCount(); ++column)
        widths << kFieldWidth;
    return widths;
}

QList<Qt::Alignment> ControlGridModel::alignments() const {
    QList<Qt::Alignment> alignments;
    for (int column = 0; column < columnCount(); ++column)
        alignments << alignmentOf(column);
    return alignments;
}

} // namespace quorvel
