#include "maplist/MaplistModel.h"

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
