#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The maplist's lines, in order: the server's map rotation. Each line is kept
// as it was added or read; the columns only show its fields. An opened file
// arrives as one insertion, so the list shown updates once however many maps
// it holds.
class MaplistModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Map, MinPlayers, MaxPlayers, Ammo, Weapon, ColumnCount };
    // The whole line as it is written, in every column.
    static constexpr int LineRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    const QStringList &lines() const { return m_lines; }
    void append(const QString &line) { appendLines({line}); }
    void appendLines(const QStringList &lines);

    QModelIndex index(int row, int column = Map, const QModelIndex &parent = {}) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;
    // Moves lines as they are; the text of a line is never looked at.
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                  const QModelIndex &destinationParent, int destinationChild) override;
    // Moves one line so that it ends up at row "to"; false when either is out of range.
    bool moveLine(int from, int to);

private:
    QStringList m_lines;
};
