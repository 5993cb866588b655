// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the window's code goes: Formvantrelmain.cpp builds the window, its menu, status bar,
// start-up and shutdown, and the operations every page uses; Formvantrelmain_collection.cpp the
// Collection page and its handlers; Formvantrelmain_division.cpp the Division page (capacity,
// tolerance, song pause, the division commands and progress); Formvantrelmain_results.cpp the
// Results page. Each page's controls are members below, created by that page's create...Page.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <QElapsedTimer>
#include <QMainWindow>

#include "items/DivisionListener.h"
#include "settings/Tsettings.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTimer;
class QToolButton;
class QWidget;

class BalloonTip;
class DecimalSpinEdit;
class FileChooser;
class FileOperationService;
class HelpBook;
class Prompter;
class QtFileOperationProgress;
class QtIconList;
class QtListView;
class QtUiThread;
class TDataManager;
class TWinamp;
class UrlOpener;
class WinampHost;
class WinampPathDialog;

// The program's one main window: the Collection, Division and Results pages, the main menu and
// the status bar. It owns the data manager and the settings.
class TfrmVantrelMain : public QMainWindow, private DivisionListener {
    Q_OBJECT

public:
    // Loads the settings from settingsPath. Questions go to prompter, file dialogs to fileChooser
    // and the media player's system calls to winampHost when given (tests); otherwise the window
    // shows real dialogs and talks to this platform's player.
    explicit TfrmVantrelMain(const std::string& settingsPath, Prompter* prompter = nullptr,
                             FileChooser* fileChooser = nullptr, WinampHost* winampHost = nullptr,
                             QWidget* parent = nullptr);
    ~TfrmVantrelMain() override;

    // Adds paths as files dropped on the window would be added (the command line's paths).
    void AddDroppedPaths(const std::vector<std::string>& paths);

private:
    // Services: declared first, so that the settings can still report a failed save through the
    // prompter when they save themselves at the end.
    std::unique_ptr<Prompter> OwnPrompter;
    Prompter* Questions;
    std::unique_ptr<FileChooser> OwnFileChooser;
    FileChooser* Files;
    std::unique_ptr<QtUiThread> UiThreadOfWindow;
    std::unique_ptr<QtIconList> Icons;
    std::unique_ptr<QtFileOperationProgress> FileProgress;
    std::unique_ptr<FileOperationService> FileOperationsOfWindow;
    std::unique_ptr<WinampHost> OwnWinampHost;
    WinampHost* PlayerHost;
    std::unique_ptr<WinampPathDialog> WinampFolderDialog;
    std::unique_ptr<TWinamp> Winamp;  // the media player, for the add command and the Results page
    std::unique_ptr<HelpBook> Help;   // the help pages installed beside the program
    std::unique_ptr<UrlOpener> DesktopLinks;  // the desktop's programs for links and folders
    std::unique_ptr<UrlOpener> Links;  // the About box's links, the results folder; tells failures
    // Where the next folder browse starts: the folder the program started in, then the last one
    // browsed to.
    std::string BrowseFolder;

public:
    // The settings; saved when the window goes if AutoSave is set, after the data manager.
    TSettings Settings;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Window (Formvantrelmain.cpp).
    void createMenu();
    void createStatusBar();
    void FormCreate();
    void FormShow();
    void pageControlChange();
    bool dividing() const;
    void miFileSaveSettingsClick();
    void miFileAutosaveClick();
    void miExitClick();
    void FormHelp();
    void miHelpContentsClick();
    void miHelpAboutClick();
    void setStatusText(int panel, const QString& text);
    // The busy cursor and the status text (naming the player) while the exchange with the media
    // player runs, which waits for the player.
    void waitForPlayer(const char* statusText, const std::function<void()>& exchange);

    // Operations every page uses.
    bool confirmDiscardResults();
    void refreshResultsAction();
    void ShowDivisionProgress(std::int32_t medium, std::uint32_t elements,
                              std::uint64_t combinations, std::uint32_t count) override;
    // ShowDivisionProgress's three meanings.
    void showSearchProgress(std::uint32_t elements, std::uint64_t combinations,
                            std::uint32_t count);
    void resetDivisionProgress(std::uint32_t count);
    void showMediaFound(std::int32_t medium);

    // Collection page (Formvantrelmain_collection.cpp).
    QWidget* createCollectionPage();
    // The collection's group with its list, the add, delete and list menus, and the row of
    // buttons under the list.
    void createCollectionList(QWidget* page);
    void createCollectionMenus();
    void createAddDelPanel(QWidget* page);
    void cmboCollectionTypeSelect();
    void updateDefaultAddCommand();
    void btnAddClick();
    void miAddClick(int tag);
    void addToCollection(const std::vector<std::string>& paths, int addMethod);
    void dropDownMenu(QMenu* menu, QWidget* button);
    void miDelClick(int tag);
    void selectAllItems();
    void popupMenuListViewPopup(const QPoint& position);
    void editGroupChange();
    void lstViewSelectItem(int row);
    void collectionChanged();
    void lstCollectionColumnClick(int column);
    int lstCollectionCompare(const void* left, const void* right) const;

    // Division page (Formvantrelmain_division.cpp).
    QWidget* createDivisionPage();
    QWidget* createDataCapacityGroup(QWidget* page);
    QWidget* createAudioCapacityGroup(QWidget* page);
    QWidget* createToleranceGroup(QWidget* page);
    QWidget* createWorkGroup(QWidget* page);
    void radioDataCapacityClick(int tag);
    void radioAudioCapacityClick(int tag);
    void editCapacityCustomChange(int tag);
    void cmboCapacityDataCustomUnitsSelect();
    void editSongPauseChange();
    void spinEditCapacityToleranceChange();
    void chkDiscFootprintClick();
    void chkCountHiddenClick();
    void cmboDivisionMethodSelect();
    // Tells, after a fewest-media division, whether the number of media is the least possible.
    void showMediaMinimum();
    void showCapacitySettings();
    std::uint64_t currentCapacity() const;
    void btnDivideClick();
    void btnStopClick();
    void btnTakeBestClick();
    void btnPriorityClick(int tag);
    void trackPriorityChange();
    void timerDivisionStatTimer();
    void enableDivisionCommands(bool idle);
    void DivisionEnded() override;

    // Results page (Formvantrelmain_results.cpp).
    QWidget* createResultsPage();
    // The medium's list and what is told above it, the results folder's row, the actions, and
    // the choice of media with "Выполнить".
    QGroupBox* createMediumGroup(QWidget* page);
    QLayout* createBaseDirRow(QWidget* page);
    QWidget* createActionChoices(QWidget* page);
    QLayout* createProcessRow(QWidget* page);
    void showResultsSettings();
    void addResultMedium() override;
    void cmboMediaSelect();
    void btnSendMediumToWinampClick();
    void editResultsBaseDirExit();
    void btnResultsBaseDirClick();
    void radioResultsActionClick(int tag);
    void editResultsMediumNameExit();
    void btnProcessResultsClick();
    bool checkFileName(const QString& text, QLineEdit* edit);
    bool resultsEditsStored();
    void btnOpenResultsBaseDirClick();

    std::unique_ptr<TDataManager> DataManager;

    // While the collection list is sorted: each row's place in the order of the names.
    std::unordered_map<const void*, std::size_t> NameRanks;
    int SortColumn = -1;
    bool SortAscending = false;
    bool ControlsLive = false;
    bool SelectingAll = false;
    bool Shown = false;

    // Window.
    QTabWidget* pageControl = nullptr;
    QWidget* tabSheetCollection = nullptr;
    QWidget* tabSheetDivision = nullptr;
    QWidget* tabSheetResults = nullptr;
    QAction* miFileSaveSettings = nullptr;
    QAction* miFileAutosave = nullptr;
    QAction* miExit = nullptr;
    QAction* miHelpContents = nullptr;
    QAction* miHelpAbout = nullptr;
    QLabel* statusPanel0 = nullptr;
    QLabel* statusPanel1 = nullptr;
    QProgressBar* statusProgressBar = nullptr;

    // Collection page.
    QLabel* lblCollectionType = nullptr;
    QComboBox* cmboCollectionType = nullptr;
    QGroupBox* grpCollection = nullptr;
    QtListView* lstCollection = nullptr;
    QWidget* pnlFileAddDel = nullptr;
    QPushButton* btnAdd = nullptr;
    QToolButton* btnAddDropDown = nullptr;
    QPushButton* btnDel = nullptr;
    QToolButton* btnDelDropDown = nullptr;
    QLabel* lblGroup = nullptr;
    QSpinBox* editGroup = nullptr;
    QMenu* popupMenuAdd = nullptr;
    std::vector<QAction*> addCommands;  // miAddFiles … miAddFromWinamp, by Tag
    QMenu* popupMenuDel = nullptr;
    QAction* miDelSelected = nullptr;
    QAction* miDelAll = nullptr;
    QMenu* popupMenuListView = nullptr;
    QAction* miAdd = nullptr;
    QAction* miDel = nullptr;
    QAction* miClear = nullptr;

    // Division page.
    QGroupBox* grpDataMediaCapacity = nullptr;
    QRadioButton* radioCapacity650 = nullptr;
    QRadioButton* radioCapacity700 = nullptr;
    QRadioButton* radioCapacity800 = nullptr;
    QRadioButton* radioCapacity4G = nullptr;
    QRadioButton* radioCapacity138 = nullptr;
    QRadioButton* radioCapacityDataCustom = nullptr;
    QSpinBox* editCapacityDataCustom = nullptr;
    QCheckBox* chkDiscFootprint = nullptr;
    QCheckBox* chkCountHidden = nullptr;
    QComboBox* cmboDivisionMethod = nullptr;
    QComboBox* cmboCapacityDataCustomUnits = nullptr;
    QGroupBox* grpAudioMediaCapacity = nullptr;
    QRadioButton* radioCapacity74 = nullptr;
    QRadioButton* radioCapacity80 = nullptr;
    QRadioButton* radioCapacity45 = nullptr;
    QRadioButton* radioCapacityAudioCustom = nullptr;
    QSpinBox* editCapacityAudioCustom = nullptr;
    DecimalSpinEdit* spinEditSongPause = nullptr;
    QGroupBox* grpTolerance = nullptr;
    DecimalSpinEdit* spinEditCapacityTolerance = nullptr;
    QLabel* lblLowBound = nullptr;
    QLabel* lblUpBound = nullptr;
    QPushButton* btnDivide = nullptr;
    QPushButton* btnStop = nullptr;
    QPushButton* btnTakeBest = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* lblCurMedium = nullptr;
    QLabel* lblCurMediumElements = nullptr;
    QLabel* lblCurCombination = nullptr;
    QLabel* lblDivisionTime = nullptr;
    QLabel* lblProcessPriorityName = nullptr;
    QSlider* trackPriority = nullptr;
    QToolButton* btnPriorityLower = nullptr;
    QToolButton* btnPriorityHigher = nullptr;
    QTimer* timerDivisionStat = nullptr;
    QElapsedTimer DivisionStart;     // monotonic, so the elapsed time survives midnight
    std::int32_t MediaEstimate = 0;  // the media the collection needs at least

    // Results page: what the other pages clear or enable (the rest comes with the page).
    QComboBox* cmboMedia = nullptr;
    QtListView* lstMedium = nullptr;
    QLabel* lblMediumInfo = nullptr;
    QPushButton* btnSendMediumToWinamp = nullptr;
    QRadioButton* radioResultsSelectedMedium = nullptr;
    QRadioButton* radioResultsAllMedia = nullptr;
    QRadioButton* radioResultsSaveTextlist = nullptr;
    QRadioButton* radioResultsSavePlaylist = nullptr;
    QRadioButton* radioResultsMoveToFolder = nullptr;
    QRadioButton* radioResultsCopyToFolder = nullptr;
    QRadioButton* radioResultsMakeImage = nullptr;
    QLabel* lblMediumImage = nullptr;   // what the medium's disc image takes
    QLabel* lblMediaMinimum = nullptr;  // after a fewest-media division: how near the least
    QCheckBox* chkResultsChecksums = nullptr;
    QPushButton* btnProcessResults = nullptr;
    QLabel* lblResultsBaseDir = nullptr;
    QLineEdit* editResultsBaseDir = nullptr;
    QToolButton* btnResultsBaseDir = nullptr;
    QLineEdit* editResultsMediumName = nullptr;
    QPushButton* btnOpenResultsBaseDir = nullptr;  // in the status bar, after processing
    BalloonTip* balloonTip = nullptr;
    bool RefusingName = false;     // the focus goes back to a refused edit
    std::string ProcessedBaseDir;  // where the last processing wrote

    friend class FormvantrelmainTest;
    friend class FormvantrelmainDivisionTest;
    friend class FormvantrelmainResultsTest;
};
