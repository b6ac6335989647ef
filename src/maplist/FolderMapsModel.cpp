#include "FolderMapsModel.h"

#include "platform/FileSystem.h"

void FolderMapsModel::setMaps(FolderMaps maps) {
    beginResetModel();
    m_maps = std::move(maps);
    endResetModel();
}

bool FolderMapsModel::isMap(const QModelIndex &index) const {
    return index.isValid() && index.row() < m_maps.maps.size();
}

QString FolderMapsModel::mapFileName(const QModelIndex &index) const {
    return isMap(index) ? m_maps.maps.at(index.row()).fileName : QString();
}

QString FolderMapsModel::placesText(const QStringList &places) {
    QStringList named;
    for (const QString &place : places)
        named.append(place == MapsOfFolder::LooseFile    ? QStringLiteral("this folder")
                     : place == MapsOfFolder::MapsFolder ? QStringLiteral("its maps folder")
                                                         : FileSystem::shown(place));
    return QStringLiteral("In ") + named.join(QStringLiteral(", "));
}

QString FolderMapsModel::brokenText(const QString &archive) {
    return QStringLiteral("%1 (cannot be read)").arg(FileSystem::shown(archive));
}

int FolderMapsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_maps.maps.size() + m_maps.broken.size());
}

QVariant FolderMapsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const bool map = isMap(index);
    switch (role) {
    case Qt::DisplayRole:
        return map ? m_maps.maps.at(index.row()).shownName()
                   : brokenText(m_maps.broken.at(index.row() - m_maps.maps.size()).fileName);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return map ? placesText(m_maps.maps.at(index.row()).places)
                   : m_maps.broken.at(index.row() - m_maps.maps.size()).reason;
    default:
        return {};
    }
}

Qt::ItemFlags FolderMapsModel::flags(const QModelIndex &index) const {
    if (!isMap(index))
        return Qt::NoItemFlags; // shown greyed, never chosen
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
