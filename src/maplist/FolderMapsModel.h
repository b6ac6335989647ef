#pragma once

#include "FolderMaps.h"

#include <QAbstractListModel>

// The map browser's file list: the maps of a folder by name, each with a tool
// tip that says where it lies, then each archive that cannot be read, once,
// disabled, with the reason as its tool tip.
class FolderMapsModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setMaps(FolderMaps maps);
    const FolderMaps &maps() const { return m_maps; }

    // The map's file name, or empty for an archive that cannot be read.
    QString mapFileName(const QModelIndex &index) const;

    // "In this folder, pak0.pak": where a map lies, in words.
    static QString placesText(const QStringList &places);
    // How an archive that cannot be read is listed.
    static QString brokenText(const QString &archive);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    bool isMap(const QModelIndex &index) const;

    FolderMaps m_maps;
};
