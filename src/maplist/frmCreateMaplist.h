#pragma once

#include "platform/FileDialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class MaplistModel;
class QListView;
class QListWidget;
class QListWidgetItem;
class WizardController;

// The maplist editor with its map browser. Only hidden between uses, so its
// list and choices last for the whole run.
class frmCreateMaplist : public QDialog {
    Q_OBJECT
public:
    static constexpr qint64 MaxMaplistBytes = 16 * 1024 * 1024;

    explicit frmCreateMaplist(WizardController &wizard, QWidget *parent = nullptr);

    // Shows the editor modally; returns at once, the editor hides itself.
    void showModal();

    // The browser's folder; false, with a message, when it cannot be read.
    bool browse(const QString &folder);
    QString browsedFolder() const { return m_folder; }

private:
    static QLabel *headingTip(QWidget *parent);
    void cXtra_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdOpen_Click();
    void cmdSaveList_Click();
    void Drive1_Change();
    void Dir1_Change(QListWidgetItem *item);
    void File1_Click(QListWidgetItem *item);
    void File1_DblClick(QListWidgetItem *item);

    WizardController &m_wizard;
    QLineEdit *txtMap = nullptr;
    QLineEdit *txtMinPlayers = nullptr;
    QLineEdit *txtMaxPlayers = nullptr;
    QCheckBox *cXtra = nullptr;
    QComboBox *cmbAmmo = nullptr;
    QComboBox *cmbWeaponRespawn = nullptr;
    QListView *lstMaps = nullptr;
    MaplistModel *m_maps = nullptr;
    QComboBox *Drive1 = nullptr;
    QListWidget *Dir1 = nullptr;
    QListWidget *File1 = nullptr;
    QString m_folder;
    FileDialog m_dialog;
};
