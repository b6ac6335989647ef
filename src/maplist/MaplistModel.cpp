#include "maplist/MaplistModel.h"

#include <algorithm>

void MaplistModel::appendLines(const QStringList &lines) {
    if (lines.isEmpty())
        return;
    const int first = int(m_lines.size());
    beginInsertRows({}, first, first + int(lines.size()) - 1);
    m_lines += lines;
    endInsertRows();
}

int MaplistModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant MaplistModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_lines.at(index.row());
}

bool MaplistModel::removeRows(int row, int count, const QModelIndex &parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > m_lines.size())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    m_lines.remove(row, count);
    endRemoveRows();
    return true;
}

bool MaplistModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                            const QModelIndex &destinationParent, int destinationChild) {
    const int size = int(m_lines.size());
    if (sourceParent.isValid() || destinationParent.isValid() || count < 1 || sourceRow < 0 ||
        sourceRow + count > size || destinationChild < 0 || destinationChild > size ||
        (destinationChild >= sourceRow && destinationChild <= sourceRow + count))
        return false;
    beginMoveRows({}, sourceRow, sourceRow + count - 1, {}, destinationChild);
    const auto first = m_lines.begin() + sourceRow;
    const auto last = first + count;
    if (destinationChild < sourceRow)
        std::rotate(m_lines.begin() + destinationChild, first, last);
    else
        std::rotate(first, last, m_lines.begin() + destinationChild);
    endMoveRows();
    return true;
}

bool MaplistModel::moveLine(int from, int to) {
    if (from == to)
        return from >= 0 && from < m_lines.size();
    // A move down names the row the line goes before, one past its new place.
    return moveRow({}, from, {}, to > from ? to + 1 : to);
}
