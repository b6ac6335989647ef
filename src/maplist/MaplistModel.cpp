#include "maplist/MaplistModel.h"

#include "maplist/MaplistLine.h"
#include "settings/ChoiceTables.h"

#include <algorithm>

namespace {

// A code as the override lists show it ("2 Normal", "0 Blaster"); any other
// text is shown as it stands.
QString ammoShown(const QString &field) {
    for (const auto &entry : ChoiceTables::ammoLevels())
        if (field == QString::number(entry.code))
            return QString::fromLatin1(entry.text);
    return field;
}

QString weaponShown(const QString &field) {
    const auto weapons = ChoiceTables::weapons();
    for (int code = 0; code < int(weapons.size()); ++code)
        if (field == QString::number(code))
            return field + u' ' + QString::fromLatin1(weapons[code]);
    return field;
}

} // namespace

void MaplistModel::appendLines(const QStringList &lines) {
    if (lines.isEmpty())
        return;
    const int first = int(m_lines.size());
    beginInsertRows({}, first, first + int(lines.size()) - 1);
    m_lines += lines;
    endInsertRows();
}

QModelIndex MaplistModel::index(int row, int column, const QModelIndex &parent) const {
    return QAbstractTableModel::index(row, column, parent);
}

int MaplistModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

int MaplistModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MaplistModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QString &line = m_lines.at(index.row());
    switch (role) {
    case LineRole:
    case Qt::ToolTipRole: // the line as the file will hold it
        return line;
    case Qt::DisplayRole: {
        const QString field = maplistFields(line).at(index.column());
        if (index.column() == Ammo)
            return ammoShown(field);
        if (index.column() == Weapon)
            return weaponShown(field);
        return field;
    }
    default:
        return {};
    }
}

QVariant MaplistModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    static const char *const kHeadings[][2] = {
        {"Map", "The map's name"},
        {"Min", "Min players"},
        {"Max", "Max players"},
        {"Ammo", "Ammo given (map override)"},
        {"Weapon", "Player respawns with (map override)"},
    };
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kHeadings[section][0]);
    if (role == Qt::ToolTipRole)
        return QString::fromLatin1(kHeadings[section][1]);
    return {};
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
