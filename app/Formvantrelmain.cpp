// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Formvantrelmain.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include "app/FormvantrelmainTexts.h"
#include "app/WindowLanguage.h"
#include "collection/Tdatamanager.h"
#include "dialogs/DesktopUrlOpener.h"
#include "dialogs/Formabout.h"
#include "dialogs/HelpBook.h"
#include "dialogs/QtText.h"
#include "dialogs/TellingUrlOpener.h"
#include "platform/FileSystem.h"
#include "platform/IconList.h"
#include "platform/QtUiThread.h"
#include "platform/SystemFileOperations.h"
#include "settings/LanguageChoice.h"
#include "ui/DecimalSpinEdit.h"
#include "ui/ElidedLabel.h"
#include "ui/QtFileChooser.h"
#include "ui/QtFileOperationProgress.h"
#include "ui/QtIconList.h"
#include "ui/QtListView.h"
#include "ui/QtPrompter.h"
#include "winamp/Winamp.h"
#include "winamp/WinampHost.h"
#include "winamp/dialog/Formwinamppath.h"

namespace {

const char* const WindowCaption = "Orbek Vantrel";
const char* const CollectionPageCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Коллекция");
const char* const DivisionPageCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Разбиение");
const char* const ResultsPageCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Результаты");
const char* const FileMenuCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Файл");
const char* const SaveSettingsCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Сохранить настройки");
const char* const AutosaveCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "  &Автосохранение");
const char* const ExitCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "В&ыход");
const char* const HelpMenuCaption = "&?";
const char* const HelpContentsCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Справка...");
const char* const AboutCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&О программе...");

// Help topics of the pages, in page order.
const char* const PageHelpTopics[] = {HelpTopic::Collection, HelpTopic::Division,
                                      HelpTopic::Results};

// Status bar panel 0's width and the minimum client size at 96 pixels per inch, in the
// proportions of the window's design.
constexpr int StatusPanel0Width = 110;
constexpr double MinimumWidthInches = 3.54167;
constexpr double MinimumHeightInches = 3.20833;
constexpr int MinimumWidthMargin = 35;
constexpr int MinimumHeightMargin = 40;

}  // namespace

TfrmVantrelMain::TfrmVantrelMain(const std::string& settingsPath, Prompter* prompter,
                                 FileChooser* fileChooser, WinampHost* winampHost, QWidget* parent)
    : QMainWindow(parent),
      OwnPrompter(prompter ? nullptr : std::make_unique<QtPrompter>(this)),
      Questions(prompter ? prompter : OwnPrompter.get()),
      OwnFileChooser(fileChooser ? nullptr : std::make_unique<QtFileChooser>(this)),
      Files(fileChooser ? fileChooser : OwnFileChooser.get()),
      UiThreadOfWindow(std::make_unique<QtUiThread>()),
      Icons(std::make_unique<QtIconList>()),
      FileProgress(std::make_unique<QtFileOperationProgress>(this)),
      FileOperationsOfWindow(std::make_unique<SystemFileOperations>(*Questions, *FileProgress)),
      OwnWinampHost(winampHost ? nullptr : CreatePlatformWinampHost()),
      PlayerHost(winampHost ? winampHost : OwnWinampHost.get()),
      WinampFolderDialog(std::make_unique<WinampPathDialogQt>(
          this, *Questions,
          [this](QWidget*, std::string& folder, const std::string& title) {
              return Files->ChooseFolder(folder, title);
          })),
      Winamp(std::make_unique<TWinamp>(*PlayerHost, *Questions, *WinampFolderDialog)),
      DesktopLinks(std::make_unique<DesktopUrlOpener>()),
      Links(std::make_unique<TellingUrlOpener>(*DesktopLinks, *Questions)),
      Settings(settingsPath) {
    // Every text below is made in the window's language.
    UseLanguage(ChooseLanguage(Settings.Language));
    Help = std::make_unique<HelpBook>(HelpBook::InstalledFolder(UsedLanguage()), *Questions);
    Settings.SetPrompter(Questions);
    setWindowTitle(Text(WindowCaption));

    pageControl = new QTabWidget(this);
    tabSheetCollection = createCollectionPage();
    tabSheetDivision = createDivisionPage();
    tabSheetResults = createResultsPage();
    pageControl->addTab(tabSheetCollection, tr(CollectionPageCaption));
    pageControl->addTab(tabSheetDivision, tr(DivisionPageCaption));
    pageControl->addTab(tabSheetResults, tr(ResultsPageCaption));
    setCentralWidget(pageControl);
    connect(pageControl, &QTabWidget::currentChanged, this, [this] {
        pageControlChange();
        // A page shown for the first time may need more room than the window had, known once
        // its layout has run.
        QTimer::singleShot(0, this,
                           [this] { setMinimumSize(minimumSize().expandedTo(minimumSizeHint())); });
    });

    createMenu();
    createStatusBar();
    FormCreate();
}

TfrmVantrelMain::~TfrmVantrelMain() {
    // The controls go with the base class, after this body: a control losing its focus then
    // must not reach a handler of a window that is no longer there.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
    // The data manager goes first; the settings save themselves afterwards.
    DataManager.reset();
    // The list views outlive the icon list (child widgets go with the base class).
    lstCollection->SetIconLookup({});
    lstMedium->SetIconLookup({});
}

void TfrmVantrelMain::createMenu() {
    QMenu* fileMenu = menuBar()->addMenu(tr(FileMenuCaption));
    miFileSaveSettings = fileMenu->addAction(tr(SaveSettingsCaption));
    miFileSaveSettings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(miFileSaveSettings, &QAction::triggered, this, [this] { miFileSaveSettingsClick(); });
    miFileAutosave = fileMenu->addAction(tr(AutosaveCaption));
    miFileAutosave->setCheckable(true);
    connect(miFileAutosave, &QAction::triggered, this, [this] { miFileAutosaveClick(); });
    fileMenu->addSeparator();
    miExit = fileMenu->addAction(tr(ExitCaption));
    connect(miExit, &QAction::triggered, this, [this] { miExitClick(); });

    QMenu* helpMenu = menuBar()->addMenu(Text(HelpMenuCaption));
    miHelpContents = helpMenu->addAction(tr(HelpContentsCaption));
    connect(miHelpContents, &QAction::triggered, this, [this] { miHelpContentsClick(); });
    miHelpAbout = helpMenu->addAction(tr(AboutCaption));
    connect(miHelpAbout, &QAction::triggered, this, [this] { miHelpAboutClick(); });

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { FormHelp(); });

    // Ctrl+Tab and Ctrl+Shift+Tab turn the page from every control: a list view would otherwise
    // take them as its own keys.
    const auto turnPage = [this](int step) {
        const int count = pageControl->count();
        for (int index = pageControl->currentIndex(), tried = 1; tried < count; ++tried) {
            index = (index + step + count) % count;
            if (pageControl->isTabEnabled(index)) {
                pageControl->setCurrentIndex(index);
                return;
            }
        }
    };
    auto* nextPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextPage, &QShortcut::activated, this, [turnPage] { turnPage(1); });
    auto* previousPage = new QShortcut(this);
    previousPage->setKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    connect(previousPage, &QShortcut::activated, this, [turnPage] { turnPage(-1); });
}

void TfrmVantrelMain::createStatusBar() {
    // Texts wider than the window are cut and shown whole as the panel's tooltip.
    statusPanel0 = new ElidedLabel(tr(PageText::TotalStart), this);
    statusPanel0->setMinimumWidth(StatusPanel0Width * logicalDpiX() / 96);
    statusPanel1 = new ElidedLabel(this);
    // An indeterminate indicator over panel 1, shown while a division runs.
    statusProgressBar = new QProgressBar(this);
    statusProgressBar->setRange(0, 0);
    statusProgressBar->setTextVisible(false);
    statusProgressBar->setMaximumHeight(statusPanel0->sizeHint().height());
    statusProgressBar->hide();
    statusBar()->addWidget(statusPanel0);
    statusBar()->addWidget(statusPanel1, 1);
    statusBar()->addWidget(statusProgressBar, 1);
}

void TfrmVantrelMain::FormCreate() {
    const auto iconOf = [this](std::int32_t index) { return Icons->Icon(index); };
    lstCollection->SetIconLookup(iconOf);
    lstMedium->SetIconLookup(iconOf);
    // The medium list's rows are numbered after the collection's (see lstViewSelectItem).
    connect(lstMedium, &QtListView::SelectionChanged, this, [this](int row) {
        lstViewSelectItem(row < 0 ? -1 : static_cast<int>(lstCollection->RowCount()) + row);
    });
    DataManager = std::make_unique<TDataManager>(
        *lstCollection, *lstMedium,
        TDataManagerHost{*Questions, *UiThreadOfWindow, *this, *FileOperationsOfWindow, *Icons});
    DataManager->SetCollectionType(static_cast<CollectionKind>(Settings.CollectionType));
    DataManager->SetCountHidden(Settings.CountHidden);
    DataManager->SetTextLanguage(UsedLanguage());
    SortColumn = -1;
    SortAscending = false;
}

void TfrmVantrelMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TfrmVantrelMain::FormShow() {
    miFileAutosave->setChecked(Settings.AutoSave);
    pageControlChange();
    if (Settings.CollectionType > MusicTracks)
        Settings.CollectionType = FilesAndFolders;
    cmboCollectionType->setCurrentIndex(Settings.CollectionType);
    cmboCollectionTypeSelect();
    showCapacitySettings();
    spinEditCapacityTolerance->setValue(std::round(Settings.CapacityTolerance * 10000.0) / 10000.0);
    collectionChanged();
    showResultsSettings();

    // Never smaller than the design's client area, scaled to the screen, nor than the layout
    // needs to show every control whole.
    const int dpi = logicalDpiX();
    const int width = static_cast<int>(dpi * MinimumWidthInches + MinimumWidthMargin);
    const int height = static_cast<int>(dpi * MinimumHeightInches + MinimumHeightMargin) +
                       menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    setMinimumSize(QSize(width, height).expandedTo(minimumSizeHint()));
    // The window opens at that size, centred on its screen.
    resize(minimumSize());
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    ControlsLive = true;
}

void TfrmVantrelMain::pageControlChange() {
    lstCollection->ClearSelection();
    lstMedium->ClearSelection();
    setAcceptDrops(pageControl->currentWidget() == tabSheetCollection &&
                   tabSheetCollection->isEnabled());
}

bool TfrmVantrelMain::dividing() const {
    return DataManager && DataManager->GetThread() != nullptr;
}

void TfrmVantrelMain::closeEvent(QCloseEvent* event) {
    if (dividing()) {
        Questions->Ask(Question(QuestionKind::StopBeforeExit));
        event->ignore();
        return;
    }
    event->accept();
}

void TfrmVantrelMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !dividing())
        event->acceptProposedAction();
}

void TfrmVantrelMain::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(QDir::toNativeSeparators(url.toLocalFile()).toStdString());
    event->acceptProposedAction();
    AddDroppedPaths(paths);
}

void TfrmVantrelMain::miFileSaveSettingsClick() {
    Settings.Save();
}

void TfrmVantrelMain::miFileAutosaveClick() {
    Settings.AutoSave = miFileAutosave->isChecked();
}

void TfrmVantrelMain::miExitClick() {
    close();
}

// F1: the current page's topic; without the help pages nothing visible happens.
void TfrmVantrelMain::FormHelp() {
    const int page = std::clamp(pageControl->currentIndex(), 0, 2);
    Help->ShowTopic(Text(PageHelpTopics[page]), HelpBook::IfMissing::StayQuiet);
}

void TfrmVantrelMain::miHelpContentsClick() {
    Help->ShowTopic(Text(HelpTopic::Contents), HelpBook::IfMissing::Tell);
}

// Modal to the window without blocking the caller; it goes when it is closed.
void TfrmVantrelMain::miHelpAboutClick() {
    auto* about = new TfrmAbout(AboutDetails::FromBuild(), *Links, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void TfrmVantrelMain::setStatusText(int panel, const QString& text) {
    QLabel* label = panel == 0 ? statusPanel0 : statusPanel1;
    label->setText(text);
    label->repaint();
}

void TfrmVantrelMain::waitForPlayer(const char* statusText, const std::function<void()>& exchange) {
    setStatusText(1, PlayerText(statusText));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    exchange();
    QApplication::restoreOverrideCursor();
    setStatusText(1, QString());
}

bool TfrmVantrelMain::confirmDiscardResults() {
    if (cmboMedia->count() == 0)
        return true;
    Question discard(QuestionKind::DiscardResults);
    discard.Answers = {Answer::Yes, Answer::No};
    discard.Default = Answer::No;
    if (Questions->Ask(discard) != Answer::Yes)
        return false;
    cmboMedia->clear();
    lblMediaMinimum->hide();
    lstMedium->Clear();
    ShowDivisionProgress(0, 0, 0, static_cast<std::uint32_t>(lstCollection->RowCount()));
    lblMediumInfo->setText(tr(PageText::TotalStart));
    cmboMedia->setEnabled(false);
    btnSendMediumToWinamp->setEnabled(false);
    radioResultsAllMedia->setEnabled(false);
    btnProcessResults->setEnabled(false);
    return true;
}

void TfrmVantrelMain::refreshResultsAction() {
    const bool unavailable =
        (radioResultsSavePlaylist->isChecked() && !radioResultsSavePlaylist->isEnabled()) ||
        (radioResultsMoveToFolder->isChecked() && !radioResultsMoveToFolder->isEnabled()) ||
        (radioResultsCopyToFolder->isChecked() && !radioResultsCopyToFolder->isEnabled()) ||
        (radioResultsMakeImage->isChecked() && !radioResultsMakeImage->isEnabled());
    if (unavailable)
        radioResultsSaveTextlist->click();
}

void TfrmVantrelMain::ShowDivisionProgress(std::int32_t medium, std::uint32_t elements,
                                           std::uint64_t combinations, std::uint32_t count) {
    if (medium == -1)
        showSearchProgress(elements, combinations, count);
    else if (medium == 0)
        resetDivisionProgress(count);
    else
        showMediaFound(medium);
}

void TfrmVantrelMain::showSearchProgress(std::uint32_t elements, std::uint64_t combinations,
                                         std::uint32_t count) {
    lblCurMediumElements->setText(QStringLiteral("%1/%2").arg(elements).arg(count));
    lblCurCombination->setText(QString::number(combinations));
}

// Recomputes the estimated number of media for the current capacity and shows none found.
void TfrmVantrelMain::resetDivisionProgress(std::uint32_t count) {
    const bool files = Settings.CollectionType == FilesAndFolders;
    const std::uint64_t capacity =
        files ? Settings.DataMediumCapacity : Settings.AudioMediumCapacity;
    const std::int32_t estimate =
        capacity == 0 ? 0
                      : DataManager->EstimateMediaCount(capacity, files ? 0 : Settings.SongPause);
    MediaEstimate = estimate;
    // A bar without range would show a busy indicator instead of an empty bar.
    progressBar->setMaximum(std::max(estimate, 1));
    if (count != 0)
        lblCurMediumElements->setText(QStringLiteral("0/%1").arg(count));
    showMediaFound(0);
}

void TfrmVantrelMain::showMediaFound(std::int32_t medium) {
    progressBar->setValue(std::min(medium, progressBar->maximum()));
    lblCurMedium->setText(QStringLiteral("%1/%2").arg(medium).arg(MediaEstimate));
}
