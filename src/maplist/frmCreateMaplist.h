#pragma once

#include "platform/FileDialog.h"

#include <QDialog>

class FolderMapsModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class MaplistModel;
class MaplistView;
class QListView;
class QListWidget;
class QListWidgetItem;
class QModelIndex;
class QPushButton;

// The maplist editor with its map browser. Only hidden between uses, so its
// list and choices last for the whole run.
class frmCreateMaplist : public QDialog {
    Q_OBJECT
public:
    static constexpr qint64 MaxMaplistBytes = 16 * 1024 * 1024;

    explicit frmCreateMaplist(QWidget *parent = nullptr);

    // Shows the editor modally; returns at once, the editor hides itself.
    void showModal();

    // The browser's folder, listed off the window's thread; false, with a
    // message, when it cannot be read, or when the listing was cancelled.
    bool browse(const QString &folder);
    QString browsedFolder() const { return m_folder; }

signals:
    // A maplist was written; the title is the file's name without its folder.
    void saved(const QString &fileTitle);

private:
    static QLabel *headingTip(QWidget *parent);
    // The builders, one per group of controls, each giving its group's layout.
    QLayout *buildBrowser();
    QLayout *buildMapBoxes();
    QLayout *buildOverrides();
    QLayout *buildLineControls();
    QLayout *buildMaplistColumn();
    void connectControls();
    void connectKeys();
    void cXtra_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdOpen_Click();
    void cmdSaveList_Click();
    void cmdMove_Click(int step);
    void Drive1_Change();
    void txtFolder_Enter();
    void Dir1_Change(QListWidgetItem *item);
    void File1_Click(const QModelIndex &index);
    void File1_DblClick(const QModelIndex &index);
    // Shows in the drive list the entry that holds the folder.
    void showDrive(const QString &folder);

    QLineEdit *txtMap = nullptr;
    QLineEdit *txtMinPlayers = nullptr;
    QLineEdit *txtMaxPlayers = nullptr;
    QCheckBox *cXtra = nullptr;
    QComboBox *cmbAmmo = nullptr;
    QComboBox *cmbWeaponRespawn = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRemove = nullptr;
    MaplistView *lstMaps = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdMoveUp = nullptr;
    QPushButton *cmdMoveDown = nullptr;
    QPushButton *cmdSaveList = nullptr;
    QPushButton *cmdCancel = nullptr;
    MaplistModel *m_maps = nullptr;
    QComboBox *Drive1 = nullptr;
    QLineEdit *txtFolder = nullptr;
    QListWidget *Dir1 = nullptr;
    QListView *File1 = nullptr;
    FolderMapsModel *m_folderMaps = nullptr;
    QString m_folder;
    quint64 m_request = 0; // the newest listing asked for
    FileDialog m_dialog;
};
