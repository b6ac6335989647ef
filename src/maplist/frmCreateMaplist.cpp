#include "frmCreateMaplist.h"

#include "FolderMapsModel.h"
#include "MaplistLine.h"
#include "MaplistModel.h"
#include "MaplistView.h"
#include "StartFolders.h"
#include "platform/BusyWait.h"
#include "platform/CheckBoxSignal.h"
#include "platform/FileSystem.h"
#include "platform/HostSystem.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"
#include "settings/ChoiceTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

const QString kTextFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");

// A caption; given a control, it names that control for screen readers. A
// list reads only its accessible name, not a buddy's text, so it takes the caption.
QLabel *label(const char *name, const char *text, QWidget *parent, QWidget *named = nullptr) {
    auto *l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    if (named) {
        l->setBuddy(named);
        if (qobject_cast<QAbstractItemView *>(named))
            named->setAccessibleName(l->text());
    }
    return l;
}

QPushButton *button(const char *name, const char *text, QWidget *parent) {
    auto *b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// An editable drop-down with a prompt; only an entry chosen from it counts.
QComboBox *overrideList(const char *name, const char *prompt, QWidget *parent) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setPlaceholderText(QString::fromLatin1(prompt));
    // A screen reader reads the drop-down, and the box in it, as its prompt.
    combo->setAccessibleName(combo->lineEdit()->placeholderText());
    combo->lineEdit()->setAccessibleName(combo->accessibleName());
    combo->setEnabled(false);
    return combo;
}

int chosenEntry(const QComboBox *combo) {
    const int index = combo->currentIndex();
    return index >= 0 && combo->currentText() == combo->itemText(index) ? index : -1;
}

QString startFolder() {
    // Started in a folder that was deleted meanwhile, the home folder.
    QString current = QDir::currentPath();
    if (current.isEmpty() || !TextFile::folderExists(current))
        current = QDir::homePath();
    return StartFolders::first(StartFolders::candidates(QDir::homePath(), StartFolders::ThisSystem),
                               TextFile::folderExists, current);
}

// The places the drive list offers, each with its path as the entry's data:
// on Windows the drives; elsewhere the home folder and the mounted volumes.
void fillDriveList(QComboBox *list) {
    const auto add = [list](const QString &text, const QString &path) {
        list->addItem(text, QDir::cleanPath(path));
    };
    if (HostSystem::Current == HostSystem::Kind::Windows) {
        for (const QFileInfo &drive : QDir::drives())
            add(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());
        return;
    }
    add(QStringLiteral("%1 (home folder)").arg(QDir::homePath()), QDir::homePath());
    // The root folder always, also where the mount table lacks it (a chroot,
    // a container).
    add(QDir::rootPath(), QDir::rootPath());
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (QDir::cleanPath(volume.rootPath()) == QDir::rootPath())
            continue;
        const QString name = volume.displayName();
        add(name == volume.rootPath() ? name
                                      : QStringLiteral("%1 (%2)").arg(volume.rootPath(), name),
            volume.rootPath());
    }
}

// Runs a handler on the list's current entry when one of the keys is pressed
// while the list has the focus.
void onKeys(QAbstractItemView *list, std::initializer_list<QKeySequence> keys,
            const std::function<void(const QModelIndex &)> &handler) {
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, list);
        shortcut->setContext(Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, list, [list, handler] {
            if (const QModelIndex current = list->currentIndex(); current.isValid())
                handler(current);
        });
    }
}

} // namespace

frmCreateMaplist::frmCreateMaplist(QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmCreateMaplist"));
    setWindowTitle(QStringLiteral("Kestrune - Create Maplist"));

    auto *overridesNote =
        label("Label2",
              "Map Overrides:  Use these when you want to override a global setting, like the ammo "
              "given, or weapon respawning on each map.",
              this);
    overridesNote->setWordWrap(true);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(14);
    // The maplist's columns take the most room.
    columns->addLayout(buildBrowser(), 2);
    columns->addLayout(buildLineControls(), 2);
    columns->addLayout(buildMaplistColumn(), 3);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->addWidget(headingTip(this));
    layout->addLayout(columns, 1);
    layout->addWidget(overridesNote);
    // Roomy where the screen allows; on a small screen (800 by 600) no wider
    // or taller than it, leaving room for the window's frame.
    const QSize room = screen()->availableGeometry().size() - QSize(40, 60);
    QSize start = QSize(860, 520).boundedTo(room).expandedTo(minimumSizeHint());
    // Narrower, the wrapped texts take more lines.
    start.setHeight(std::max(start.height(), layout->totalMinimumHeightForWidth(start.width())));
    resize(start);
    Look::showListFocus(this);

    connectControls();
    connectKeys();
    // Form_Load: the browser starts in the game's folder where there is one.
    browse(startFolder());
}

QLayout *frmCreateMaplist::buildBrowser() {
    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setAccessibleName(QStringLiteral("Drive"));
    fillDriveList(Drive1);
    // A long mount point would widen the window beyond a small screen.
    Drive1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Drive1->setMinimumContentsLength(12);
    // Screen readers on Linux name a drop-down by the label it is the buddy of.
    auto *lblDrive = label("lblDrive", "Drive:", this, Drive1);
    txtFolder = new QLineEdit(this);
    txtFolder->setObjectName(QStringLiteral("txtFolder"));
    auto *lblFolder = label("lblFolder", "Folder:", this, txtFolder);
    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    m_folderMaps = new FolderMapsModel(this);
    File1 = new QListView(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setModel(m_folderMaps);
    File1->setUniformItemSizes(true);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(lblFolder);
    folderRow->addWidget(txtFolder, 1);
    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(lblDrive);
    driveRow->addWidget(Drive1, 1);
    auto *browser = new QVBoxLayout;
    browser->addLayout(driveRow);
    browser->addLayout(folderRow);
    browser->addWidget(label("Label5", "Choose a directory...", this, Dir1));
    browser->addWidget(Dir1, 1);
    browser->addWidget(label("Label6", "Available Maps", this, File1));
    browser->addWidget(File1, 2);
    return browser;
}

// The map box and the two player bounds, with the caption under the bounds.
QLayout *frmCreateMaplist::buildMapBoxes() {
    txtMap = new QLineEdit(QStringLiteral("q2dm8"), this);
    txtMap->setObjectName(QStringLiteral("txtMap"));
    txtMap->setToolTip(QStringLiteral("Enter a map name here!"));
    txtMap->setAccessibleName(QStringLiteral("Map Name"));
    txtMinPlayers = new QLineEdit(QStringLiteral("0"), this);
    txtMinPlayers->setObjectName(QStringLiteral("txtMinPlayers"));
    txtMaxPlayers = new QLineEdit(QStringLiteral("15"), this);
    txtMaxPlayers->setObjectName(QStringLiteral("txtMaxPlayers"));
    // Named apart, as the one caption "Min / Max  Players" under them cannot be.
    txtMinPlayers->setAccessibleName(QStringLiteral("Min Players"));
    txtMaxPlayers->setAccessibleName(QStringLiteral("Max Players"));
    for (QLineEdit *bound : {txtMinPlayers, txtMaxPlayers})
        bound->setMaximumWidth(60);
    auto *bounds = new QHBoxLayout;
    bounds->addWidget(txtMinPlayers);
    bounds->addWidget(label("Label3", "/", this));
    bounds->addWidget(txtMaxPlayers);
    bounds->addStretch(1);
    auto *boxes = new QVBoxLayout;
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->addWidget(txtMap);
    boxes->addLayout(bounds);
    boxes->addWidget(label("lblplayers", "Min / Max  Players", this));
    return boxes;
}

QLayout *frmCreateMaplist::buildOverrides() {
    cXtra = new QCheckBox(QStringLiteral("Enable Map Overrides"), this);
    cXtra->setObjectName(QStringLiteral("cXtra"));
    cmbAmmo = overrideList("cmbAmmo", "Ammo Given", this);
    for (const auto &entry : ChoiceTables::ammoLevels())
        cmbAmmo->addItem(QString::fromLatin1(entry.text), entry.code);
    cmbWeaponRespawn = overrideList("cmbWeaponRespawn", "Player Respawns With...", this);
    for (const char *weapon : ChoiceTables::weapons())
        cmbWeaponRespawn->addItem(QString::fromLatin1(weapon));
    for (QComboBox *combo : {cmbAmmo, cmbWeaponRespawn})
        combo->setCurrentIndex(-1);
    auto *overrides = new QVBoxLayout;
    overrides->setContentsMargins(0, 0, 0, 0);
    overrides->addWidget(cXtra);
    overrides->addWidget(cmbAmmo);
    overrides->addWidget(cmbWeaponRespawn);
    return overrides;
}

// Built in tab order: the boxes, the overrides, then Add and Remove.
QLayout *frmCreateMaplist::buildLineControls() {
    auto *middle = new QVBoxLayout;
    middle->addLayout(buildMapBoxes());
    middle->addSpacing(8);
    middle->addLayout(buildOverrides());
    middle->addSpacing(8);
    cmdAdd = button("cmdAdd", "Add >>", this);
    cmdAdd->setToolTip(QStringLiteral("Add this map to the maplist!"));
    cmdRemove = button("cmdRemove", "<<  Remove", this);
    cmdRemove->setToolTip(QStringLiteral("Remove a selected map from the list"));
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(Look::emblem(64, picture->devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);
    middle->addWidget(cmdAdd);
    middle->addWidget(cmdRemove);
    middle->addStretch(1);
    middle->addWidget(picture);
    return middle;
}

QLayout *frmCreateMaplist::buildMaplistColumn() {
    cmdOpen = button("cmdOpen", "Open Existing Maplist", this);
    m_maps = new MaplistModel(this);
    lstMaps = new MaplistView(m_maps, this);
    lstMaps->setObjectName(QStringLiteral("lstMaps"));
    cmdMoveUp = button("cmdMoveUp", "Move &Up", this);
    cmdMoveUp->setToolTip(QStringLiteral("Move the selected map up the list (Ctrl+Up)"));
    cmdMoveDown = button("cmdMoveDown", "Move &Down", this);
    cmdMoveDown->setToolTip(QStringLiteral("Move the selected map down the list (Ctrl+Down)"));
    auto *moveRow = new QHBoxLayout;
    moveRow->addWidget(cmdMoveUp);
    moveRow->addWidget(cmdMoveDown);
    cmdSaveList = button("cmdSaveList", "Save Maplist", this);
    cmdCancel = button("cmdCancel", "Cancel", this);
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(cmdSaveList);
    saveRow->addWidget(cmdCancel);
    auto *right = new QVBoxLayout;
    right->addWidget(cmdOpen);
    right->addWidget(label("Label4", "Maplist", this, lstMaps));
    right->addWidget(lstMaps, 1);
    right->addLayout(moveRow);
    right->addLayout(saveRow);
    return right;
}

void frmCreateMaplist::connectControls() {
    connect(cXtra, checkBoxStateChanged, this, &frmCreateMaplist::cXtra_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmCreateMaplist::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmCreateMaplist::cmdRemove_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmCreateMaplist::cmdOpen_Click);
    connect(cmdSaveList, &QPushButton::clicked, this, &frmCreateMaplist::cmdSaveList_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(cmdMoveUp, &QPushButton::clicked, this, [this] { cmdMove_Click(-1); });
    connect(cmdMoveDown, &QPushButton::clicked, this, [this] { cmdMove_Click(+1); });
    connect(Drive1, &QComboBox::activated, this, &frmCreateMaplist::Drive1_Change);
    connect(txtFolder, &QLineEdit::returnPressed, this, &frmCreateMaplist::txtFolder_Enter);
    connect(Dir1, &QListWidget::itemActivated, this, &frmCreateMaplist::Dir1_Change);
    connect(File1, &QListView::clicked, this, &frmCreateMaplist::File1_Click);
    connect(File1, &QListView::doubleClicked, this, &frmCreateMaplist::File1_DblClick);
}

// From the keyboard: Enter opens a folder or adds a map, Space picks a map as
// a click does. The lists take these keys, so Enter never reaches the
// window's buttons as well. Ctrl+Up and Ctrl+Down move a line.
void frmCreateMaplist::connectKeys() {
    onKeys(Dir1, {Qt::Key_Return, Qt::Key_Enter},
           [this](const QModelIndex &index) { Dir1_Change(Dir1->item(index.row())); });
    onKeys(File1, {Qt::Key_Return, Qt::Key_Enter},
           [this](const QModelIndex &index) { File1_DblClick(index); });
    onKeys(File1, {Qt::Key_Space}, [this](const QModelIndex &index) { File1_Click(index); });
    onKeys(lstMaps, {QKeySequence(Qt::ControlModifier | Qt::Key_Up)},
           [this](const QModelIndex &) { cmdMove_Click(-1); });
    onKeys(lstMaps, {QKeySequence(Qt::ControlModifier | Qt::Key_Down)},
           [this](const QModelIndex &) { cmdMove_Click(+1); });
}

QLabel *frmCreateMaplist::headingTip(QWidget *parent) {
    auto *tip = new QLabel(QStringLiteral("Tip:   After choosing the settings you like, you can "
                                          "simply double click on any map you want, and it'll be "
                                          "added to the list."),
                           parent);
    tip->setObjectName(QStringLiteral("Label1"));
    tip->setFont(Look::arialBlack(tip->font(), 9));
    tip->setWordWrap(true);
    return tip;
}

void frmCreateMaplist::showModal() {
    setModal(true);
    show();
}

void frmCreateMaplist::cXtra_Click() {
    const bool on = cXtra->isChecked();
    cmbAmmo->setEnabled(on);
    cmbWeaponRespawn->setEnabled(on);
}

void frmCreateMaplist::cmdAdd_Click() {
    std::optional<MapOverrides> overrides;
    if (cXtra->checkState() == Qt::Checked) {
        const int ammo = chosenEntry(cmbAmmo);
        const int weapon = chosenEntry(cmbWeaponRespawn);
        if (ammo < 0 || weapon < 0) {
            MessageBox::inform(this, QStringLiteral("Please check your Ammo/Weapons settings!"));
            return;
        }
        overrides = MapOverrides{ammo + 1, weapon};
    }
    if (const QString splitting = splittingMapName(txtMap->text()); !splitting.isEmpty()) {
        MessageBox::inform(this, splitting);
        return;
    }
    m_maps->append(
        maplistLine(txtMap->text(), txtMinPlayers->text(), txtMaxPlayers->text(), overrides));
}

void frmCreateMaplist::cmdRemove_Click() {
    const QModelIndexList selected = lstMaps->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        m_maps->removeRow(selected.first().row());
}

void frmCreateMaplist::cmdOpen_Click() {
    m_dialog.setFilter(kTextFilter);
    if (!m_dialog.showOpen(this))
        return;
    const QString path = m_dialog.fileName();
    struct Read {
        TextFile::ReadResult file;
        QString notText;
        QStringList lines;
    };
    const std::optional<Read> read =
        BusyWait::run(this, QStringLiteral("Reading \"%1\"...").arg(FileSystem::shown(path)),
                      [path](const std::atomic_bool &) {
                          Read r{TextFile::readBytes(path, MaxMaplistBytes), {}, {}};
                          r.notText = TextFile::notText(r.file.bytes);
                          if (r.file.ok() && r.notText.isEmpty())
                              r.lines = TextFile::splitLines(r.file.bytes);
                          r.file.bytes.clear();
                          return r;
                      });
    if (!read)
        return;
    if (!read->file.ok()) {
        MessageBox::inform(this, read->file.failure == TextFile::Failure::TooLarge
                                     ? read->file.error +
                                           QStringLiteral("\n\nThis is too large for a maplist.")
                                     : read->file.error);
        return;
    }
    if (!read->notText.isEmpty()) {
        MessageBox::inform(
            this,
            QStringLiteral("Cannot open \"%1\": %2.").arg(FileSystem::shown(path), read->notText));
        return;
    }
    // All lines in one go: the list updates once.
    m_maps->appendLines(read->lines);
}

void frmCreateMaplist::cmdSaveList_Click() {
    m_dialog.setFilter(kTextFilter);
    if (!m_dialog.showSave(this))
        return;
    const TextFile::WriteResult written =
        TextFile::writeLines(m_dialog.fileName(), m_maps->lines());
    if (!written.ok()) {
        MessageBox::inform(this, written.error);
        return;
    }
    emit saved(m_dialog.fileTitle());
    hide();
}

bool frmCreateMaplist::browse(const QString &folder) {
    const QString target = QDir::cleanPath(QDir(folder).absolutePath());
    struct Listed {
        FolderMaps maps;
        QString error;
    };
    const quint64 request = ++m_request;
    const std::optional<Listed> listed = BusyWait::run(
        this, QStringLiteral("Reading the folder \"%1\"...").arg(FileSystem::shown(target)),
        [target](const std::atomic_bool &cancel) {
            Listed l;
            l.maps = MapsOfFolder::read(target, &cancel, &l.error);
            return l;
        });
    // Cancelled, or overtaken by a newer listing: the answer is dropped.
    if (!listed || request != m_request)
        return false;
    if (!listed->error.isEmpty()) {
        MessageBox::inform(this, QStringLiteral("Cannot open the folder \"%1\": %2.")
                                     .arg(FileSystem::shown(target), listed->error));
        return false;
    }
    m_folder = target;
    txtFolder->setText(FileSystem::shown(m_folder));
    showDrive(m_folder);
    FolderMaps maps = listed->maps;
    Dir1->clear();
    if (!QDir(m_folder).isRoot())
        Dir1->addItem(QStringLiteral(".."));
    for (const QString &subfolder : std::as_const(maps.subfolders)) {
        auto *item = new QListWidgetItem(FileSystem::shown(subfolder), Dir1);
        item->setData(Qt::UserRole, subfolder); // its bytes, for a name that is no UTF-8
    }
    m_folderMaps->setMaps(std::move(maps));
    return true;
}

void frmCreateMaplist::showDrive(const QString &folder) {
    // The entry whose path holds the folder most closely.
    const Qt::CaseSensitivity sensitivity =
        HostSystem::CaseInsensitivePaths ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString within = folder.endsWith(u'/') ? folder : folder + u'/';
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        QString path = Drive1->itemData(i).toString();
        if (!path.endsWith(u'/'))
            path += u'/';
        if (path.size() > bestLength && within.startsWith(path, sensitivity)) {
            best = i;
            bestLength = path.size();
        }
    }
    if (best >= 0)
        Drive1->setCurrentIndex(best);
}

void frmCreateMaplist::Drive1_Change() {
    browse(Drive1->currentData().toString());
}

void frmCreateMaplist::txtFolder_Enter() {
    QString typed = txtFolder->text();
    if (typed == u'~' || typed.startsWith(QLatin1String("~/")))
        typed = QDir::homePath() + typed.mid(1);
    const QString folder = QDir(m_folder).absoluteFilePath(QDir::fromNativeSeparators(typed));
    if (!TextFile::folderExists(folder)) {
        MessageBox::inform(this, QStringLiteral("The folder \"%1\" does not exist.")
                                     .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    browse(folder);
}

void frmCreateMaplist::cmdMove_Click(int step) {
    const QModelIndexList selected = lstMaps->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const int to = selected.first().row() + step;
    if (m_maps->moveLine(selected.first().row(), to)) {
        lstMaps->setCurrentIndex(m_maps->index(to));
        lstMaps->scrollTo(m_maps->index(to));
    }
}

void frmCreateMaplist::Dir1_Change(QListWidgetItem *item) {
    const QString name =
        item->data(Qt::UserRole).isValid() ? item->data(Qt::UserRole).toString() : item->text();
    browse(QDir(m_folder).absoluteFilePath(name));
}

void frmCreateMaplist::File1_Click(const QModelIndex &index) {
    // An archive that cannot be read is listed but is no map.
    const QString map = m_folderMaps->mapFileName(index);
    if (map.isEmpty())
        return;
    if (const QString splitting = splittingMapName(map); !splitting.isEmpty()) {
        MessageBox::inform(this, splitting);
        return;
    }
    txtMap->setText(map);
}

void frmCreateMaplist::File1_DblClick(const QModelIndex &index) {
    const QString map = m_folderMaps->mapFileName(index);
    if (map.isEmpty() || !splittingMapName(map).isEmpty()) {
        File1_Click(index); // says why
        return;
    }
    File1_Click(index);
    cmdAdd_Click();
}
