// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Formvantrelmain.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FormvantrelmainTexts.h"
#include "app/PlayerExchangeStatus.h"
#include "collection/Tdatamanager.h"
#include "dialogs/QtText.h"
#include "platform/FileSystem.h"
#include "platform/PathCompare.h"
#include "platform/PathNames.h"
#include "platform/Utf8Path.h"
#include "ui/FileChooser.h"
#include "ui/QtListView.h"
#include "winamp/Winamp.h"

namespace {

const char* const CollectionTypeLabel = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Разбиваем");
const char* const CollectionTypeNames[] = {QT_TRANSLATE_NOOP("TfrmVantrelMain", "файлы и папки"),
                                           QT_TRANSLATE_NOOP("TfrmVantrelMain", "музкомпозиции")};
const char* const CollectionGroupCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", " Состав сборника: ");
const char* const GroupColumnCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Группа");
const char* const AddCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Добавить... ");
const char* const DelCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Исключить ");
const char* const AddDropDownName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Способ добавления");
const char* const DelDropDownName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Что исключить");
const char* const GroupLabel = QT_TRANSLATE_NOOP("TfrmVantrelMain", "№ группы:");
const char* const GroupHint =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Элементы из одной группы попадут на один носитель");
const char* const AddCommandCaptions[] = {
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "&файл(ы)..."),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "&папку..."),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "&всё из папки..."),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "из файла п&лейлиста .m3u..."),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "из &текущего плейлиста Winamp'а")};
const char* const DelSelectedCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "выделенное");
const char* const DelAllCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "всё");
const char* const ListAddCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Добавить...");
const char* const ListAddPrefix = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Добавить ");
const char* const ListDelCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Исключить");
const char* const ListClearCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Очистить");
const char* const ChooseFilesTitle =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Выберите файлы коллекции для разбиения");
const char* const AnyFilesFilter = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Любые файлы (*)");
const char* const ChooseIncludedFolderTitle =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Выберите папку для включения в коллекцию");
const char* const ChooseCollectionFolderTitle =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Выберите папку с коллекцией");
const char* const ChoosePlaylistTitle =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Выберите список воспроизведения");
const char* const PlaylistFilter =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Списки воспроизведения (*.m3u *.M3U)");
const char* const AddingText = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Добавление новых файлов...");
const char* const GettingPlaylistText =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Получение плейлиста Winamp'а...");
const char* const GettingPlaylistProgressText =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Получение плейлиста Winamp'а: %1 из %2");
const char* const SelectedPrefix = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Выбрано: ");
const char* const DividingText =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Идёт разбиение, пожалуйста подождите...");

// Defaults for remembered add methods the window cannot use.
constexpr std::uint8_t DefaultFilesAddMethod = AddFromFolder;
constexpr std::uint8_t DefaultSongsAddMethod = AddFromWinamp;

// Width of the "Длина" and "Группа" columns at 96 pixels per inch.
constexpr int LengthColumnWidth = 70;
constexpr int GroupColumnWidth = 55;

const TColItem& ItemOfRow(const void* data) {
    return **static_cast<const TItemPosition*>(data);
}

template <typename Number>
int Sign(Number left, Number right) {
    return left < right ? -1 : (right < left ? 1 : 0);
}

}  // namespace

QWidget* TfrmVantrelMain::createCollectionPage() {
    auto* page = new QWidget(this);

    lblCollectionType = new QLabel(tr(CollectionTypeLabel), page);
    cmboCollectionType = new QComboBox(page);
    for (const char* name : CollectionTypeNames)
        cmboCollectionType->addItem(tr(name));
    cmboCollectionType->setAccessibleName(tr(CollectionTypeLabel));
    lblCollectionType->setBuddy(cmboCollectionType);
    connect(cmboCollectionType, &QComboBox::activated, this,
            [this] { cmboCollectionTypeSelect(); });

    createCollectionList(page);
    createCollectionMenus();
    createAddDelPanel(page);

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(lblCollectionType);
    typeRow->addWidget(cmboCollectionType, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(typeRow);
    layout->addWidget(grpCollection, 1);
    layout->addWidget(pnlFileAddDel);
    return page;
}

void TfrmVantrelMain::createCollectionList(QWidget* page) {
    grpCollection = new QGroupBox(tr(CollectionGroupCaption), page);
    lstCollection = new QtListView(
        {tr(PageText::NameColumn), tr(PageText::LengthColumn), tr(GroupColumnCaption)},
        {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter}, false, grpCollection);
    lstCollection->setAccessibleName(tr(CollectionGroupCaption).trimmed());
    const int dpi = logicalDpiX();
    lstCollection->header()->setSectionResizeMode(LengthColumn, QHeaderView::Interactive);
    lstCollection->header()->setSectionResizeMode(GroupColumn, QHeaderView::Interactive);
    // Each column holds its caption whole also while it carries the sort mark.
    QHeaderView* header = lstCollection->header();
    header->setSortIndicatorShown(true);
    header->resizeSection(LengthColumn, std::max(LengthColumnWidth * dpi / 96,
                                                 header->sectionSizeHint(LengthColumn)));
    header->resizeSection(
        GroupColumn, std::max(GroupColumnWidth * dpi / 96, header->sectionSizeHint(GroupColumn)));
    header->setSortIndicatorShown(false);
    lstCollection->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lstCollection->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lstCollectionColumnClick(column); });
    connect(lstCollection, &QtListView::SelectionChanged, this,
            [this](int row) { lstViewSelectItem(row); });
    connect(lstCollection, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { popupMenuListViewPopup(position); });
    auto* groupLayout = new QVBoxLayout(grpCollection);
    groupLayout->addWidget(lstCollection);
}

void TfrmVantrelMain::createCollectionMenus() {
    // The add commands, by Tag.
    popupMenuAdd = new QMenu(this);
    for (int tag = 0; tag < 5; ++tag) {
        QAction* command = popupMenuAdd->addAction(PlayerText(AddCommandCaptions[tag]));
        command->setData(tag);
        connect(command, &QAction::triggered, this, [this, tag] { miAddClick(tag); });
        addCommands.push_back(command);
    }
    popupMenuDel = new QMenu(this);
    miDelSelected = popupMenuDel->addAction(tr(DelSelectedCaption));
    miDelSelected->setShortcut(QKeySequence(Qt::Key_Delete));
    popupMenuDel->setDefaultAction(miDelSelected);
    miDelAll = popupMenuDel->addAction(tr(DelAllCaption));
    connect(miDelSelected, &QAction::triggered, this, [this] { miDelClick(0); });
    connect(miDelAll, &QAction::triggered, this, [this] { miDelClick(1); });

    popupMenuListView = new QMenu(this);
    miAdd = popupMenuListView->addAction(tr(ListAddCaption));
    miAdd->setShortcut(QKeySequence(Qt::Key_Insert));
    miDel = popupMenuListView->addAction(tr(ListDelCaption));
    miDel->setShortcut(QKeySequence(Qt::Key_Delete));
    miDel->setEnabled(false);
    miClear = popupMenuListView->addAction(tr(ListClearCaption));
    for (QAction* action : {miAdd, miDel}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        lstCollection->addAction(action);
    }
    connect(miAdd, &QAction::triggered, this, [this] { btnAddClick(); });
    connect(miDel, &QAction::triggered, this, [this] { miDelClick(0); });
    connect(miClear, &QAction::triggered, this, [this] { miDelClick(1); });
}

void TfrmVantrelMain::createAddDelPanel(QWidget* page) {
    pnlFileAddDel = new QWidget(page);
    btnAdd = new QPushButton(tr(AddCaption), pnlFileAddDel);
    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    btnAddDropDown = new QToolButton(pnlFileAddDel);
    btnAddDropDown->setArrowType(Qt::DownArrow);
    btnAddDropDown->setAccessibleName(tr(AddDropDownName));
    btnAddDropDown->setToolTip(tr(AddDropDownName));
    connect(btnAddDropDown, &QToolButton::clicked, this,
            [this] { dropDownMenu(popupMenuAdd, btnAdd); });
    btnDel = new QPushButton(tr(DelCaption), pnlFileAddDel);
    btnDel->setEnabled(false);
    connect(btnDel, &QPushButton::clicked, this, [this] { miDelClick(0); });
    btnDelDropDown = new QToolButton(pnlFileAddDel);
    btnDelDropDown->setArrowType(Qt::DownArrow);
    btnDelDropDown->setAccessibleName(tr(DelDropDownName));
    btnDelDropDown->setToolTip(tr(DelDropDownName));
    btnDelDropDown->setEnabled(false);
    connect(btnDelDropDown, &QToolButton::clicked, this, [this] {
        miDelSelected->setEnabled(lstCollection->SelectedCount() > 0);
        dropDownMenu(popupMenuDel, btnDel);
    });
    for (QToolButton* arrow : {btnAddDropDown, btnDelDropDown})
        arrow->setFocusPolicy(Qt::StrongFocus);
    lblGroup = new QLabel(tr(GroupLabel), pnlFileAddDel);
    lblGroup->setToolTip(tr(GroupHint));
    lblGroup->setEnabled(false);
    editGroup = new QSpinBox(pnlFileAddDel);
    editGroup->setRange(0, 255);
    editGroup->setEnabled(false);
    editGroup->setToolTip(tr(GroupHint));
    editGroup->setAccessibleName(tr(GroupLabel));
    lblGroup->setBuddy(editGroup);
    connect(editGroup, &QSpinBox::valueChanged, this, [this] { editGroupChange(); });

    auto* buttons = new QHBoxLayout(pnlFileAddDel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnAddDropDown);
    buttons->addSpacing(6);
    buttons->addWidget(btnDel);
    buttons->addWidget(btnDelDropDown);
    buttons->addStretch();
    buttons->addWidget(lblGroup);
    buttons->addSpacing(4);
    buttons->addWidget(editGroup);
}

void TfrmVantrelMain::cmboCollectionTypeSelect() {
    Settings.CollectionType =
        static_cast<std::uint8_t>(std::max(0, cmboCollectionType->currentIndex()));
    DataManager->SetCollectionType(static_cast<CollectionKind>(Settings.CollectionType));
    const bool files = Settings.CollectionType == FilesAndFolders;
    for (int tag = AddFiles; tag <= AddFromFolder; ++tag)
        addCommands[static_cast<std::size_t>(tag)]->setEnabled(files);
    updateDefaultAddCommand();
    grpAudioMediaCapacity->setVisible(!files);
    grpDataMediaCapacity->setVisible(files);
    spinEditCapacityToleranceChange();
    btnSendMediumToWinamp->setVisible(!files);
    // Disc images are made of data media.
    radioResultsMakeImage->setVisible(files);
    radioResultsMakeImage->setEnabled(files && DataManager->GetItemsAreFiles());
    radioResultsSavePlaylist->setEnabled(!files);
    refreshResultsAction();
}

void TfrmVantrelMain::updateDefaultAddCommand() {
    // A remembered method out of range, or one the collection type cannot use, falls back to
    // the type's default.
    std::uint8_t& method = Settings.CollectionType == FilesAndFolders ? Settings.FilesAddMethod
                                                                      : Settings.SongsAddMethod;
    if (method > AddFromWinamp)
        method = Settings.CollectionType == FilesAndFolders ? DefaultFilesAddMethod
                                                            : DefaultSongsAddMethod;
    if (Settings.CollectionType != FilesAndFolders && method < AddFromPlaylist)
        method = DefaultSongsAddMethod;
    QAction* command = addCommands[method];
    popupMenuAdd->setDefaultAction(command);
    btnAdd->setToolTip(QString(command->text()).remove(QLatin1Char('&')));
}

void TfrmVantrelMain::btnAddClick() {
    QAction* command = popupMenuAdd->defaultAction();
    if (command != nullptr && command->isEnabled())
        miAddClick(command->data().toInt());
}

void TfrmVantrelMain::miAddClick(int tag) {
    switch (tag) {
        case AddFiles:
        case AddFromPlaylist: {
            const bool files = tag == AddFiles;
            const std::vector<std::string> chosen =
                Files->ChooseFiles(files ? ChooseFilesTitle : ChoosePlaylistTitle,
                                   files ? AnyFilesFilter : PlaylistFilter);
            if (!chosen.empty())
                addToCollection(chosen, tag);
            break;
        }
        case AddFolder:
        case AddFromFolder: {
            if (BrowseFolder.empty()) {
                std::error_code error;
                BrowseFolder = Utf8Text(std::filesystem::current_path(error));
            }
            std::string folder = BrowseFolder;
            if (Files->ChooseFolder(folder, tag == AddFolder ? ChooseIncludedFolderTitle
                                                             : ChooseCollectionFolderTitle))
                addToCollection({folder}, tag);
            // The next browse starts where this one ended.
            BrowseFolder = folder;
            break;
        }
        case AddFromWinamp: {
            std::string playlist;
            waitForPlayer(GettingPlaylistText, [this, &playlist] {
                PlayerExchangeStatus progress(
                    statusBar(), statusPanel1, statusProgressBar,
                    [](std::size_t entries, std::size_t total) {
                        return PlayerText(GettingPlaylistProgressText).arg(entries).arg(total);
                    });
                playlist = Winamp->getWinampPlaylistFile(&progress);
            });
            if (!playlist.empty())
                addToCollection({playlist}, AddFromPlaylist);
            break;
        }
        default:
            return;
    }
    (Settings.CollectionType == FilesAndFolders ? Settings.FilesAddMethod
                                                : Settings.SongsAddMethod) =
        static_cast<std::uint8_t>(tag);
    updateDefaultAddCommand();
}

void TfrmVantrelMain::AddDroppedPaths(const std::vector<std::string>& paths) {
    // The worker reads the collection while a division runs, so nothing may change it then.
    if (dividing() || paths.empty())
        return;
    // Paths typed on the command line may be relative to the folder the program started in; each
    // item keeps its full path.
    std::vector<std::string> full;
    for (const std::string& path : paths)
        full.push_back(FullPath(path));
    addToCollection(full, Settings.CollectionType == FilesAndFolders ? AddFiles : AddFromPlaylist);
}

void TfrmVantrelMain::addToCollection(const std::vector<std::string>& paths, int addMethod) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setStatusText(1, tr(AddingText));
    DataManager->AddItems(paths, addMethod);
    setStatusText(1, QString());
    collectionChanged();
    QApplication::restoreOverrideCursor();
}

void TfrmVantrelMain::dropDownMenu(QMenu* menu, QWidget* button) {
    // Qt moves the menu above the button when there is no room below.
    menu->popup(button->mapToGlobal(button->rect().bottomLeft()));
}

void TfrmVantrelMain::miDelClick(int tag) {
    if (!confirmDiscardResults())
        return;
    if (tag == 1)
        selectAllItems();
    DataManager->RemoveSelected();
    collectionChanged();
    lstViewSelectItem(-1);
}

void TfrmVantrelMain::selectAllItems() {
    SelectingAll = true;
    lstCollection->selectAll();
    SelectingAll = false;
}

void TfrmVantrelMain::popupMenuListViewPopup(const QPoint& position) {
    miAdd->setText(tr(ListAddPrefix) + btnAdd->toolTip());
    miClear->setEnabled(lstCollection->RowCount() > 0 && !dividing());
    popupMenuListView->popup(lstCollection->viewport()->mapToGlobal(position));
}

void TfrmVantrelMain::editGroupChange() {
    if (!ControlsLive)
        return;
    DataManager->SetGroupOfSelected(static_cast<std::uint32_t>(editGroup->value()));
    SortAscending = false;
    lstCollectionColumnClick(GroupColumn);
}

void TfrmVantrelMain::lstViewSelectItem(int row) {
    const std::size_t total = lstCollection->RowCount();
    const std::size_t selected = lstCollection->SelectedCount();
    if (SelectingAll && selected < total)
        return;
    const auto setGroupField = [this](int value) {
        const bool live = ControlsLive;
        ControlsLive = false;
        editGroup->setValue(value);
        ControlsLive = live;
    };
    if (row >= 0) {
        const QString text = QString::fromStdString(DataManager->SelectionText());
        setStatusText(1, selected < 2 ? text
                                      : tr(SelectedPrefix) + QString::number(selected) +
                                            QStringLiteral(" (") + text + QStringLiteral(")"));
        // Rows past the collection's are the medium list's (see FormCreate).
        const auto index = static_cast<std::size_t>(row);
        const void* rowData =
            index < total ? lstCollection->RowData(index) : lstMedium->RowData(index - total);
        setGroupField(static_cast<int>(ItemOfRow(rowData).Group));
    } else if (selected == 0) {
        setGroupField(0);
        setStatusText(1, dividing() ? tr(DividingText) : QString());
    }
    miDel->setEnabled(selected > 0 && !dividing());
    btnDel->setEnabled(selected > 0);
    lblGroup->setEnabled(selected > 0);
    editGroup->setEnabled(selected > 0);
}

void TfrmVantrelMain::collectionChanged() {
    // The name column stretches by itself over the width the other columns leave.
    const std::size_t count = DataManager->GetItems().size();
    setStatusText(0,
                  tr(PageText::TotalPrefix) + QString::number(count) + QStringLiteral(" (") +
                      QString::fromStdString(DataManager->ValueText(DataManager->GetTotalSize())) +
                      QStringLiteral(")"));
    ShowDivisionProgress(0, 0, 0, static_cast<std::uint32_t>(count));
    cmboCollectionType->setEnabled(count == 0);
    btnDelDropDown->setEnabled(count != 0);
    btnDivide->setEnabled(count != 0);
    radioResultsMoveToFolder->setEnabled(DataManager->GetItemsAreFiles());
    radioResultsCopyToFolder->setEnabled(DataManager->GetItemsAreFiles());
    radioResultsMakeImage->setEnabled(DataManager->GetItemsAreFiles() &&
                                      Settings.CollectionType == 0);
    refreshResultsAction();
}

void TfrmVantrelMain::lstCollectionColumnClick(int column) {
    if (SortColumn >= 0)
        lstCollection->SetSortMark(-1, SortAscending);
    if (column == SortColumn) {
        SortAscending = !SortAscending;
    } else {
        SortColumn = column;
        SortAscending = true;
    }
    lstCollection->SetSortMark(SortColumn, SortAscending);

    // Names are collated once, not in every comparison: a row's rank in name order stands for
    // its name.
    std::vector<const std::string*> names;
    std::vector<const void*> rows;
    names.reserve(lstCollection->RowCount());
    rows.reserve(lstCollection->RowCount());
    for (std::size_t row = 0; row < lstCollection->RowCount(); ++row) {
        rows.push_back(lstCollection->RowData(row));
        names.push_back(&ItemOfRow(rows.back()).Name);
    }
    const PathSortKeys keys(names);
    std::vector<std::size_t> byName(rows.size());
    for (std::size_t i = 0; i < byName.size(); ++i)
        byName[i] = i;
    std::stable_sort(byName.begin(), byName.end(),
                     [&](std::size_t left, std::size_t right) { return keys.Less(left, right); });
    NameRanks.clear();
    NameRanks.reserve(rows.size());
    for (std::size_t rank = 0; rank < byName.size(); ++rank)
        NameRanks[rows[byName[rank]]] = rank;

    lstCollection->SortRows(
        [this](const void* left, const void* right) { return lstCollectionCompare(left, right); });
    NameRanks.clear();
}

int TfrmVantrelMain::lstCollectionCompare(const void* left, const void* right) const {
    const TColItem& first = ItemOfRow(left);
    const TColItem& second = ItemOfRow(right);
    int result = 0;
    if (SortColumn == LengthColumn) {
        result = Sign(first.Size, second.Size);
    } else if (SortColumn == GroupColumn) {
        // Ungrouped items (0) come after every group.
        result = first.Group != 0 && second.Group != 0 ? Sign(first.Group, second.Group)
                                                       : Sign(second.Group, first.Group);
    }
    if (result == 0)
        result = Sign(NameRanks.at(left), NameRanks.at(right));
    return SortAscending ? result : -result;
}
