#include "Formvantrelmain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "QtListView.h"

namespace {

const char* const MediumGroupCaption = "Состав  ";
const char* const NameColumn = "Имя";
const char* const LengthColumn = "Длина";
const char* const TotalStart = "Всего: 0";
const char* const SendToWinampCaption = "Передать список в &Winamp";
const char* const FromGroupCaption = "для ";
const char* const SelectedMediumCaption = "выбранного носителя";
const char* const AllMediaCaption = "всех носителей";
const char* const SaveTextlistCaption = "создать список(ки) элементов «имя№.txt»";
const char* const SavePlaylistCaption = "создать playlist(ы) «имя№.m3u» для Winamp'а";
const char* const MoveToFolderCaption = "переместить /";
const char* const CopyToFolderCaption = "скопировать элементы";
const char* const ProcessCaption = "Выполнить";

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

QWidget* TfrmVantrelMain::createResultsPage() {
    auto* page = new QWidget(this);
    auto* medium = new QGroupBox(Text(MediumGroupCaption), page);
    cmboMedia = new QComboBox(medium);
    cmboMedia->setEnabled(false);
    lstMedium = new QtListView({Text(NameColumn), Text(LengthColumn)},
                               {Qt::AlignLeft, Qt::AlignRight}, true, medium);
    lstMedium->setAccessibleName(Text(MediumGroupCaption).trimmed());
    lblMediumInfo = new QLabel(Text(TotalStart), medium);
    lblMediumInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btnSendMediumToWinamp = new QPushButton(Text(SendToWinampCaption), medium);
    btnSendMediumToWinamp->setEnabled(false);
    auto* mediumLayout = new QVBoxLayout(medium);
    mediumLayout->addWidget(cmboMedia);
    mediumLayout->addWidget(lstMedium);
    mediumLayout->addWidget(lblMediumInfo);
    mediumLayout->addWidget(btnSendMediumToWinamp);

    auto* from = new QGroupBox(Text(FromGroupCaption), page);
    radioResultsSelectedMedium = new QRadioButton(Text(SelectedMediumCaption), from);
    radioResultsSelectedMedium->setChecked(true);
    radioResultsAllMedia = new QRadioButton(Text(AllMediaCaption), from);
    radioResultsAllMedia->setEnabled(false);
    auto* fromLayout = new QVBoxLayout(from);
    fromLayout->addWidget(radioResultsSelectedMedium);
    fromLayout->addWidget(radioResultsAllMedia);

    auto* actions = new QWidget(page);
    radioResultsSaveTextlist = new QRadioButton(Text(SaveTextlistCaption), actions);
    radioResultsSavePlaylist = new QRadioButton(Text(SavePlaylistCaption), actions);
    radioResultsMoveToFolder = new QRadioButton(Text(MoveToFolderCaption), actions);
    radioResultsCopyToFolder = new QRadioButton(Text(CopyToFolderCaption), actions);
    auto* actionsLayout = new QVBoxLayout(actions);
    for (QRadioButton* action : {radioResultsSaveTextlist, radioResultsSavePlaylist,
                                 radioResultsMoveToFolder, radioResultsCopyToFolder})
        actionsLayout->addWidget(action);
    btnProcessResults = new QPushButton(Text(ProcessCaption), page);
    btnProcessResults->setEnabled(false);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(medium, 1);
    layout->addWidget(from);
    layout->addWidget(actions);
    layout->addWidget(btnProcessResults);
    return page;
}

void TfrmVantrelMain::addResultMedium() {
    // Lists the delivered medium; the Results page fills this in.
}
