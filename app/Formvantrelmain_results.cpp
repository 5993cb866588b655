// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Formvantrelmain.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/FormvantrelmainTexts.h"
#include "app/WindowLanguage.h"
#include "collection/MediumName.h"
#include "collection/ResultsService.h"
#include "collection/Tdatamanager.h"
#include "collection/ValueTexts.h"
#include "dialogs/QtText.h"
#include "platform/PathNames.h"
#include "platform/Prompter.h"
#include "platform/UrlOpener.h"
#include "resources/VantrelIcons.h"
#include "ui/BalloonTip.h"
#include "ui/FileChooser.h"
#include "ui/QtFileOperationProgress.h"
#include "ui/QtListView.h"
#include "winamp/Winamp.h"

namespace {

const char* const MediumGroupCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Состав  ");
const char* const MediumEntryPrefix = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Носитель ");
const char* const MediaName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Носитель");
const char* const SendToWinampCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Передать список в &Winamp");
const char* const SendingText = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Передача списка в Winamp...");
const char* const BaseDirLabel = QT_TRANSLATE_NOOP("TfrmVantrelMain", "В к&аталоге");
const char* const BaseDirButtonName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Выбрать каталог");
const char* const FromGroupCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "для ");
const char* const SelectedMediumCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "в&ыбранного носителя");
const char* const AllMediaCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "всех &носителей");
const char* const SaveTextlistCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "создать &список(ки) элементов «имя№.txt»");
const char* const SavePlaylistCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "создать playlist(ы) «имя№.m3u» &для Winamp'а");
const char* const SubfolderLabel =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "создать подкаталог(и) «имя№» и");
const char* const MoveToFolderCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "пере&местить /");
const char* const CopyToFolderCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "ск&опировать элементы");
const char* const MakeImageCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "создать о&браз(ы) «имя№.iso»");
const char* const ChecksumsCaption = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain", "записать &контрольные суммы «имя№.sha256» при копировании");
const char* const ImageTakesText = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Образ ISO: до ");
const char* const ImageOfText = QT_TRANSLATE_NOOP("TfrmVantrelMain", " из ");
const char* const MinimumPrefix = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Носителей: ");
const char* const MinimumReached =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", ", минимум: %1 — достигнут");
const char* const MinimumNotReached = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain", ", минимум: не меньше %1 — возможно, лишних носителей: %2");
const char* const MediumNameLabel = QT_TRANSLATE_NOOP("TfrmVantrelMain", "где &имя =");
const char* const NumberLabel = QT_TRANSLATE_NOOP("TfrmVantrelMain", "№ = номер носителя");
const char* const ProcessCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Выполнить");
const char* const ChooseBaseDirTitle = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain", "Выберите папку, в которой будут собраны результаты разбиения");
const char* const BadNameTitle = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Ошибка");
const char* const BadNameText = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain", "Имя файла не может содержать\nсимволы   \\ / : * ? \" < > |");
const char* const OpenBaseDirCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Открыть &папку");
// What the status bar says after processing, by action: the count of media, then the folder.
// By ResultsAction.
const char* const DoneTexts[] = {
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Списки записаны для носителей: "),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Плейлисты записаны для носителей: "),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Перемещены элементы носителей: "),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Скопированы элементы носителей: "),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Образы записаны для носителей: ")};
const char* const DoneOfText = QT_TRANSLATE_NOOP("TfrmVantrelMain", " из ");
const char* const FailedText = QT_TRANSLATE_NOOP("TfrmVantrelMain", "; не удалось: ");
const char* const StoppedText = QT_TRANSLATE_NOOP("TfrmVantrelMain", "; прервано");
const char* const DoneWhereText = QT_TRANSLATE_NOOP("TfrmVantrelMain", ", в каталоге ");

// Rows of the medium list shown at the window's smallest size.
constexpr int MediumRowsShown = 7;

// The action that writes disc images, after the four of the lists and the folders.
constexpr int MakeImageTag = 4;

// The glyph "Выполнить" shows for each action, by tag (QIcon draws the disabled one itself).
QIcon ActionGlyph(int tag) {
    if (tag == MakeImageTag)
        return QApplication::style()->standardIcon(QStyle::SP_DriveCDIcon);
    using Glyph = QIcon (*)();
    static constexpr Glyph Glyphs[] = {VantrelIcons::TextList, VantrelIcons::Playlist,
                                       VantrelIcons::MoveTo, VantrelIcons::CopyTo};
    return Glyphs[tag]();
}

// A base folder as it is stored: the text with a delimiter at its end; an empty text is the root.
std::string StoredFolder(const QString& text) {
    return WithTrailingDelimiter(text.toStdString());
}

}  // namespace

QWidget* TfrmVantrelMain::createResultsPage() {
    auto* page = new QWidget(this);

    QGroupBox* medium = createMediumGroup(page);
    auto* mediaRow = new QHBoxLayout;
    mediaRow->addWidget(cmboMedia, 1);
    mediaRow->addWidget(lblMediumInfo);

    QLayout* baseDirRow = createBaseDirRow(page);
    QWidget* actions = createActionChoices(page);
    QLayout* processRow = createProcessRow(page);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(mediaRow);
    layout->addWidget(lblMediumImage);
    layout->addWidget(lblMediaMinimum);
    layout->addWidget(medium, 1);
    layout->addLayout(baseDirRow);
    layout->addWidget(actions);
    layout->addLayout(processRow);

    balloonTip = new BalloonTip(this);
    btnOpenResultsBaseDir = new QPushButton(tr(OpenBaseDirCaption), this);
    btnOpenResultsBaseDir->hide();
    connect(btnOpenResultsBaseDir, &QPushButton::clicked, this,
            [this] { btnOpenResultsBaseDirClick(); });
    statusBar()->addPermanentWidget(btnOpenResultsBaseDir);
    return page;
}

QGroupBox* TfrmVantrelMain::createMediumGroup(QWidget* page) {
    cmboMedia = new QComboBox(page);
    cmboMedia->setEnabled(false);
    cmboMedia->setAccessibleName(tr(MediaName));
    connect(cmboMedia, &QComboBox::activated, this, [this] { cmboMediaSelect(); });

    auto* medium = new QGroupBox(tr(MediumGroupCaption), page);
    lstMedium = new QtListView({tr(PageText::NameColumn), tr(PageText::LengthColumn)},
                               {Qt::AlignLeft, Qt::AlignRight}, true, medium);
    lstMedium->setAccessibleName(tr(MediumGroupCaption).trimmed());
    // Room for a medium's rows to be browsed, also at the window's smallest size.
    lstMedium->setMinimumHeight(lstMedium->header()->sizeHint().height() +
                                MediumRowsShown * (lstMedium->fontMetrics().height() + 6) +
                                2 * lstMedium->frameWidth());
    lblMediumInfo = new QLabel(tr(PageText::TotalStart), page);
    lblMediumInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btnSendMediumToWinamp = new QPushButton(PlayerText(SendToWinampCaption), medium);
    btnSendMediumToWinamp->setEnabled(false);
    connect(btnSendMediumToWinamp, &QPushButton::clicked, this,
            [this] { btnSendMediumToWinampClick(); });
    auto* mediumLayout = new QVBoxLayout(medium);
    mediumLayout->addWidget(lstMedium, 1);
    mediumLayout->addWidget(btnSendMediumToWinamp, 0, Qt::AlignRight);
    lblMediumImage = new QLabel(page);
    lblMediumImage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMediumImage->hide();
    lblMediaMinimum = new QLabel(page);
    lblMediaMinimum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblMediaMinimum->hide();
    return medium;
}

QLayout* TfrmVantrelMain::createBaseDirRow(QWidget* page) {
    lblResultsBaseDir = new QLabel(tr(BaseDirLabel), page);
    editResultsBaseDir = new QLineEdit(page);
    editResultsBaseDir->setAccessibleName(tr(BaseDirLabel).remove(QLatin1Char('&')));
    lblResultsBaseDir->setBuddy(editResultsBaseDir);
    connect(editResultsBaseDir, &QLineEdit::editingFinished, this,
            [this] { editResultsBaseDirExit(); });
    btnResultsBaseDir = new QToolButton(page);
    btnResultsBaseDir->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    btnResultsBaseDir->setToolTip(tr(ChooseBaseDirTitle));
    btnResultsBaseDir->setAccessibleName(tr(BaseDirButtonName));
    btnResultsBaseDir->setFocusPolicy(Qt::StrongFocus);
    connect(btnResultsBaseDir, &QToolButton::clicked, this, [this] { btnResultsBaseDirClick(); });
    auto* baseDirRow = new QHBoxLayout;
    baseDirRow->addWidget(lblResultsBaseDir);
    baseDirRow->addWidget(editResultsBaseDir, 1);
    baseDirRow->addWidget(btnResultsBaseDir);
    return baseDirRow;
}

QWidget* TfrmVantrelMain::createActionChoices(QWidget* page) {
    auto* actions = new QWidget(page);
    radioResultsSaveTextlist = new QRadioButton(tr(SaveTextlistCaption), actions);
    radioResultsSavePlaylist = new QRadioButton(PlayerText(SavePlaylistCaption), actions);
    radioResultsMoveToFolder = new QRadioButton(tr(MoveToFolderCaption), actions);
    radioResultsCopyToFolder = new QRadioButton(tr(CopyToFolderCaption), actions);
    radioResultsMakeImage = new QRadioButton(tr(MakeImageCaption), actions);
    const QRadioButton* const byTag[] = {radioResultsSaveTextlist, radioResultsSavePlaylist,
                                         radioResultsMoveToFolder, radioResultsCopyToFolder,
                                         radioResultsMakeImage};
    for (int tag = 0; tag <= MakeImageTag; ++tag) {
        // Checked by the user or by the program, the button shows that action's glyph.
        connect(byTag[tag], &QRadioButton::toggled, this, [this, tag](bool checked) {
            if (checked)
                radioResultsActionClick(tag);
        });
    }
    auto* subfolder = new QLabel(tr(SubfolderLabel), actions);
    auto* collectRow = new QHBoxLayout;
    collectRow->addWidget(radioResultsMoveToFolder);
    collectRow->addWidget(radioResultsCopyToFolder);
    chkResultsChecksums = new QCheckBox(tr(ChecksumsCaption), actions);
    chkResultsChecksums->setAccessibleName(tr(ChecksumsCaption).remove(QLatin1Char('&')));
    connect(chkResultsChecksums, &QCheckBox::toggled, this,
            [this](bool checked) { Settings.ChecksumLists = checked; });
    collectRow->addStretch();
    auto* nameLabel = new QLabel(tr(MediumNameLabel), actions);
    editResultsMediumName = new QLineEdit(actions);
    editResultsMediumName->setAccessibleName(tr(MediumNameLabel).remove(QLatin1Char('&')));
    nameLabel->setBuddy(editResultsMediumName);
    connect(editResultsMediumName, &QLineEdit::editingFinished, this,
            [this] { editResultsMediumNameExit(); });
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(editResultsMediumName, 1);
    nameRow->addWidget(new QLabel(tr(NumberLabel), actions));
    auto* actionsLayout = new QVBoxLayout(actions);
    actionsLayout->setContentsMargins(0, 0, 0, 0);
    actionsLayout->addWidget(radioResultsSaveTextlist);
    actionsLayout->addWidget(radioResultsSavePlaylist);
    actionsLayout->addWidget(subfolder);
    actionsLayout->addLayout(collectRow);
    actionsLayout->addWidget(chkResultsChecksums);
    actionsLayout->addLayout(nameRow);
    actionsLayout->addWidget(radioResultsMakeImage);
    return actions;
}

QLayout* TfrmVantrelMain::createProcessRow(QWidget* page) {
    auto* from = new QGroupBox(tr(FromGroupCaption), page);
    radioResultsSelectedMedium = new QRadioButton(tr(SelectedMediumCaption), from);
    radioResultsSelectedMedium->setChecked(true);
    radioResultsAllMedia = new QRadioButton(tr(AllMediaCaption), from);
    radioResultsAllMedia->setEnabled(false);
    auto* fromLayout = new QVBoxLayout(from);
    fromLayout->addWidget(radioResultsSelectedMedium);
    fromLayout->addWidget(radioResultsAllMedia);
    btnProcessResults = new QPushButton(tr(ProcessCaption), page);
    btnProcessResults->setEnabled(false);
    connect(btnProcessResults, &QPushButton::clicked, this, [this] { btnProcessResultsClick(); });
    auto* processRow = new QHBoxLayout;
    processRow->addWidget(from, 1);
    processRow->addWidget(btnProcessResults, 0, Qt::AlignBottom);
    return processRow;
}

void TfrmVantrelMain::showResultsSettings() {
    editResultsBaseDir->setText(QString::fromStdString(Settings.ResultsBaseDir));
    (Settings.CollectionType == FilesAndFolders ? radioResultsMoveToFolder
                                                : radioResultsSavePlaylist)
        ->setChecked(true);
    editResultsMediumName->setText(QString::fromStdString(Settings.MediumName));
    chkResultsChecksums->setChecked(Settings.ChecksumLists);
}

void TfrmVantrelMain::addResultMedium() {
    const int number = cmboMedia->count() + 1;
    cmboMedia->addItem(tr(MediumEntryPrefix) + QString::number(number));
    ShowDivisionProgress(number, 0, 0, 0);
    if (number == 1) {
        cmboMedia->setEnabled(true);
        cmboMedia->setCurrentIndex(0);
        cmboMediaSelect();
        btnSendMediumToWinamp->setEnabled(true);
        btnProcessResults->setEnabled(true);
    }
}

void TfrmVantrelMain::showMediaMinimum() {
    const std::uint32_t bound = DataManager->GetMediaLowerBound();
    const auto media = static_cast<std::uint32_t>(DataManager->GetMedia().size());
    lblMediaMinimum->setVisible(bound != 0);
    if (bound == 0)
        return;
    lblMediaMinimum->setText(tr(MinimumPrefix) + QString::number(media) +
                             (media <= bound
                                  ? tr(MinimumReached).arg(bound)
                                  : tr(MinimumNotReached).arg(bound).arg(media - bound)));
    lblMediaMinimum->setAccessibleName(lblMediaMinimum->text());
}

void TfrmVantrelMain::cmboMediaSelect() {
    const int index = cmboMedia->currentIndex();
    if (index < 0)
        return;
    const std::string total = DataManager->ShowMedium(static_cast<std::size_t>(index));
    lblMediumInfo->setText(tr(PageText::TotalPrefix) + QString::number(lstMedium->RowCount()) +
                           QStringLiteral(" (") + QString::fromStdString(total) +
                           QStringLiteral(")"));
    // With the disc count on, what the medium's image takes at most, beside the capacity.
    const bool image = Settings.CollectionType == 0 && Settings.DiscFootprint;
    lblMediumImage->setVisible(image);
    if (image) {
        const std::uint64_t footprint =
            DataManager->MediumFootprint(static_cast<std::size_t>(index));
        lblMediumImage->setText(
            tr(ImageTakesText) +
            QString::fromStdString(PreciseSizeText(footprint, UsedLanguage())) + tr(ImageOfText) +
            QString::fromStdString(PreciseSizeText(Settings.DataMediumCapacity, UsedLanguage())));
        lblMediumImage->setAccessibleName(lblMediumImage->text());
    }
}

void TfrmVantrelMain::btnSendMediumToWinampClick() {
    const int index = cmboMedia->currentIndex();
    if (index >= 0) {
        waitForPlayer(SendingText, [this, index] {
            DataManager->SendMediumToWinamp(static_cast<std::size_t>(index), *Winamp);
        });
    }
}

bool TfrmVantrelMain::checkFileName(const QString& text, QLineEdit* edit) {
    if (IsMediumNameAllowed(text.toStdString()))
        return true;
    balloonTip->ShowUnder(edit, tr(BadNameTitle), tr(BadNameText));
    // Taking the focus back makes the control that was about to get it leave at once; that
    // leaving is no decision of the user's and is not checked.
    RefusingName = true;
    edit->setFocus();
    RefusingName = false;
    return false;
}

void TfrmVantrelMain::editResultsBaseDirExit() {
    if (RefusingName)
        return;
    // The delimiter belongs in a folder text, and on Windows the colon of its drive letter; every
    // other character of a name's list does not.
    QString name = editResultsBaseDir->text();
    if (PathsHaveDriveLetters && name.lastIndexOf(QLatin1Char(':')) == 1)
        name.remove(1, 1);
    name.remove(QChar::fromLatin1(PathDelimiter));
    if (checkFileName(name, editResultsBaseDir))
        Settings.ResultsBaseDir = StoredFolder(editResultsBaseDir->text());
}

void TfrmVantrelMain::btnResultsBaseDirClick() {
    std::string folder = Settings.ResultsBaseDir;
    if (!Files->ChooseFolder(folder, ChooseBaseDirTitle))
        return;
    Settings.ResultsBaseDir = WithTrailingDelimiter(folder);
    editResultsBaseDir->setText(QString::fromStdString(Settings.ResultsBaseDir));
}

void TfrmVantrelMain::radioResultsActionClick(int tag) {
    if (tag < 0 || tag > MakeImageTag)
        return;
    btnProcessResults->setIcon(ActionGlyph(tag));
}

void TfrmVantrelMain::editResultsMediumNameExit() {
    if (RefusingName)
        return;
    if (checkFileName(editResultsMediumName->text(), editResultsMediumName))
        Settings.MediumName = editResultsMediumName->text().toStdString();
}

bool TfrmVantrelMain::resultsEditsStored() {
    // An edit the user has not left yet, or whose text was refused, is checked now: processing
    // uses what the edits show or nothing.
    if (StoredFolder(editResultsBaseDir->text()) != Settings.ResultsBaseDir) {
        editResultsBaseDirExit();
        if (StoredFolder(editResultsBaseDir->text()) != Settings.ResultsBaseDir)
            return false;
    }
    if (editResultsMediumName->text().toStdString() != Settings.MediumName) {
        editResultsMediumNameExit();
        if (editResultsMediumName->text().toStdString() != Settings.MediumName)
            return false;
    }
    return true;
}

void TfrmVantrelMain::btnProcessResultsClick() {
    if (!resultsEditsStored())
        return;
    const std::pair<QRadioButton*, ResultsAction> actions[] = {
        {radioResultsSaveTextlist, ResultsAction::TextLists},
        {radioResultsSavePlaylist, ResultsAction::Playlists},
        {radioResultsMoveToFolder, ResultsAction::Move},
        {radioResultsCopyToFolder, ResultsAction::Copy},
        {radioResultsMakeImage, ResultsAction::Images}};
    const auto checked = std::find_if(std::begin(actions), std::end(actions),
                                      [](const auto& action) { return action.first->isChecked(); });
    if (checked == std::end(actions))
        return;
    const std::string baseDir = Settings.ResultsBaseDir;
    const ResultsRequest request{
        .Action = checked->second,
        .Medium = radioResultsSelectedMedium->isChecked() ? cmboMedia->currentIndex() : -1,
        .BaseFolder = baseDir,
        .MediumName = Settings.MediumName,
        .Checksums = Settings.ChecksumLists,
        .Capacity = Settings.DataMediumCapacity};
    const ResultsOutcome outcome = ProcessResults(*DataManager, request, *FileProgress);
    if (outcome.Refused != ResultsOutcome::Refusal::None) {
        // What the status bar said of an earlier run is no answer to this one.
        setStatusText(1, QString());
        btnOpenResultsBaseDir->hide();
        // The page offers no action its items cannot take: only the folder is told.
        if (outcome.Refused == ResultsOutcome::Refusal::BaseFolder)
            Questions->Ask(Question(QuestionKind::BaseFolderMissing));
        return;
    }

    // Only media done whole count as done; failures and an early end are said as well.
    const TProcessedMedia& processed = outcome.Processed;
    QString report =
        tr(DoneTexts[static_cast<int>(checked->second)]) + QString::number(processed.Done);
    if (processed.Done != outcome.Wanted)
        report += tr(DoneOfText) + QString::number(outcome.Wanted);
    if (processed.Failed != 0)
        report += tr(FailedText) + QString::number(processed.Failed);
    if (processed.Stopped)
        report += tr(StoppedText);
    setStatusText(1, report + tr(DoneWhereText) + QString::fromStdString(baseDir));
    ProcessedBaseDir = baseDir;
    btnOpenResultsBaseDir->show();
}

void TfrmVantrelMain::btnOpenResultsBaseDirClick() {
    Links->OpenUrl(
        QUrl::fromLocalFile(QString::fromStdString(ProcessedBaseDir)).toString().toStdString());
}
