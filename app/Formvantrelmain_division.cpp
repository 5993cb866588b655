// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Formvantrelmain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "collection/DivisionRequest.h"
#include "collection/Tdatamanager.h"
#include "dialogs/QtText.h"
#include "settings/CapacityPresets.h"
#include "ui/DecimalSpinEdit.h"
#include "ui/QtListView.h"

namespace {

const char* const DataGroupCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", " Объём носителя ");
const char* const AudioGroupCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", " Объём звуконосителя ");
const char* const CustomCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&произвольный:");
const char* const UnitsName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Единица объёма");
const char* const DiscFootprintCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "учитывать файловую &систему диска (ISO 9660)");
const char* const DiscFootprintHint = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain",
    "Считать, сколько каждый элемент займёт в образе диска: файлы целыми блоками по 2048 байт, "
    "имена в каталогах, служебные области образа. Тогда образ каждого носителя наверняка "
    "поместится на диск.");
const char* const CountHiddenCaption =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "&учитывать скрытые файлы и папки");
const char* const CountHiddenHint = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain",
    "Считать в размерах папок скрытые файлы и папки (имена с точкой в начале) и записывать их на "
    "носители. Без этой отметки они не учитываются, не копируются, не попадают в образы, а при "
    "перемещении остаются на месте.");
const char* const MethodCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Разб&ивать:");
const char* const MethodChoices[] = {
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "как можно полнее каждый носитель"),
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "на наименьшее число носителей")};
const char* const MethodHint = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain",
    "Как можно полнее каждый носитель: носители заполняются по очереди, каждый как можно "
    "полнее. На наименьшее число носителей: все элементы размещаются на как можно меньшем числе "
    "носителей, первые заполнены полнее, последний получает остаток; на странице результатов "
    "сказано, доказано ли, что меньше нельзя.");
const char* const MinutesCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "мин");
const char* const PauseBefore = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Учесть паузу в");
const char* const PauseAfter = QT_TRANSLATE_NOOP("TfrmVantrelMain", "сек у каждой композиции");
const char* const ToleranceGroupCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Допуск");
const char* const ToleranceBefore = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Заполнять носитель на");
const char* const ToleranceAfter = "...100%:";
const char* const LowBoundName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Нижняя граница");
const char* const UpBoundName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Верхняя граница");
const char* const BoundsBetween = "...";
const char* const WorkGroupCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Работа ");
const char* const DivideCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Разделить");
const char* const StopCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Остановить");
const char* const TakeBestCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "&Взять лучший");
const char* const TakeBestHint = QT_TRANSLATE_NOOP(
    "TfrmVantrelMain",
    "Закончить поиск для текущего носителя лучшим найденным вариантом и продолжить со "
    "следующим носителем. Полезно, когда один носитель подбирается слишком долго.");
const char* const MediumCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Носитель:");
const char* const ElementsCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Элементов:");
const char* const CombinationCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Вариант:");
const char* const TimeName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Время разбиения");
const char* const PriorityCaption = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Приоритет процесса:");
const char* const PriorityLowerName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Понизить приоритет");
const char* const PriorityHigherName = QT_TRANSLATE_NOOP("TfrmVantrelMain", "Повысить приоритет");
const char* const PriorityRefused =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Система не разрешает этот приоритет, действует «%1»");
const char* const CheckingText =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Проверка размера элементов...");
const char* const DividingText =
    QT_TRANSLATE_NOOP("TfrmVantrelMain", "Идёт разбиение, пожалуйста подождите...");
const char* const StartTime = "0:00:00";

// The names of the priority positions, from idle to the strongest.
const char* const PriorityNames[] = {QT_TRANSLATE_NOOP("TfrmVantrelMain", "работать при простое"),
                                     QT_TRANSLATE_NOOP("TfrmVantrelMain", "самый низкий"),
                                     QT_TRANSLATE_NOOP("TfrmVantrelMain", "ниже нормального"),
                                     QT_TRANSLATE_NOOP("TfrmVantrelMain", "нормальный"),
                                     QT_TRANSLATE_NOOP("TfrmVantrelMain", "выше нормального"),
                                     QT_TRANSLATE_NOOP("TfrmVantrelMain", "самый высокий"),
                                     QT_TRANSLATE_NOOP("TfrmVantrelMain", "критический")};
constexpr int CriticalPriority = 6;

// Tags of the custom spin fields and of the priority buttons.
constexpr int DataFieldTag = 0;
constexpr int AudioFieldTag = 1;
constexpr int PriorityLowerTag = 1;
constexpr int PriorityHigherTag = 2;

// Elapsed time as hours:minutes:seconds; the hours go on counting past a day.
QString ElapsedText(qint64 milliseconds) {
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// A label showing a value: a screen reader reads its current text as its name (Qt takes a
// label's text while no name is set) and its caption as its description; a caption label beside
// it is its label.
void ShowsValue(QLabel* value, const QString& caption, QLabel* captionLabel = nullptr) {
    value->setAccessibleDescription(caption);
    if (captionLabel != nullptr)
        captionLabel->setBuddy(value);
}

// A caption of the capacity presets or units in the window's language.
QString PresetCaption(const char* caption) {
    return QCoreApplication::translate("CapacityPresets", caption);
}

// The window's text for a size or playing time.
QString ValueLabel(const TDataManager& manager, std::uint64_t value) {
    return QString::fromStdString(manager.ValueText(value));
}

}  // namespace

QWidget* TfrmVantrelMain::createDivisionPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(createDataCapacityGroup(page));
    layout->addWidget(createAudioCapacityGroup(page));
    layout->addWidget(createToleranceGroup(page));
    layout->addWidget(createWorkGroup(page));
    layout->addStretch();
    return page;
}

QWidget* TfrmVantrelMain::createDataCapacityGroup(QWidget* page) {
    grpDataMediaCapacity = new QGroupBox(tr(DataGroupCaption), page);
    QRadioButton** const radios[] = {&radioCapacity650, &radioCapacity700,
                                     &radioCapacity800, &radioCapacity4G,
                                     &radioCapacity138, &radioCapacityDataCustom};
    for (int tag = 1; tag <= DataCustomTag; ++tag) {
        const QString caption =
            tag == DataCustomTag ? tr(CustomCaption) : PresetCaption(DataPresets[tag - 1].Caption);
        QRadioButton*& radio = *radios[tag - 1];
        radio = new QRadioButton(caption, grpDataMediaCapacity);
        connect(radio, &QRadioButton::toggled, this, [this, tag](bool checked) {
            if (checked)
                radioDataCapacityClick(tag);
        });
    }
    editCapacityDataCustom = new QSpinBox(grpDataMediaCapacity);
    editCapacityDataCustom->setRange(1, 1000000);
    editCapacityDataCustom->setValue(1);
    editCapacityDataCustom->setEnabled(false);
    editCapacityDataCustom->setAccessibleName(tr(CustomCaption).remove(QLatin1Char('&')));
    connect(editCapacityDataCustom, &QSpinBox::valueChanged, this,
            [this] { editCapacityCustomChange(DataFieldTag); });
    cmboCapacityDataCustomUnits = new QComboBox(grpDataMediaCapacity);
    for (const CapacityPreset& unit : DataUnits)
        cmboCapacityDataCustomUnits->addItem(PresetCaption(unit.Caption));
    cmboCapacityDataCustomUnits->setCurrentIndex(2);
    cmboCapacityDataCustomUnits->setEnabled(false);
    cmboCapacityDataCustomUnits->setAccessibleName(tr(UnitsName));
    connect(cmboCapacityDataCustomUnits, &QComboBox::currentIndexChanged, this,
            [this] { cmboCapacityDataCustomUnitsSelect(); });
    chkDiscFootprint = new QCheckBox(tr(DiscFootprintCaption), grpDataMediaCapacity);
    chkDiscFootprint->setAccessibleName(tr(DiscFootprintCaption).remove(QLatin1Char('&')));
    chkDiscFootprint->setToolTip(tr(DiscFootprintHint));
    connect(chkDiscFootprint, &QCheckBox::toggled, this, [this] { chkDiscFootprintClick(); });
    chkCountHidden = new QCheckBox(tr(CountHiddenCaption), grpDataMediaCapacity);
    chkCountHidden->setAccessibleName(tr(CountHiddenCaption).remove(QLatin1Char('&')));
    chkCountHidden->setToolTip(tr(CountHiddenHint));
    connect(chkCountHidden, &QCheckBox::toggled, this, [this] { chkCountHiddenClick(); });

    auto* grid = new QGridLayout(grpDataMediaCapacity);
    grid->addWidget(radioCapacity650, 0, 0);
    grid->addWidget(radioCapacity700, 1, 0);
    grid->addWidget(radioCapacity800, 2, 0);
    grid->addWidget(radioCapacity4G, 0, 1);
    grid->addWidget(radioCapacity138, 1, 1);
    auto* custom = new QHBoxLayout;
    custom->addWidget(radioCapacityDataCustom);
    custom->addWidget(editCapacityDataCustom, 1);
    custom->addWidget(cmboCapacityDataCustomUnits);
    grid->addLayout(custom, 3, 0, 1, 2);
    grid->addWidget(chkDiscFootprint, 4, 0, 1, 2);
    grid->addWidget(chkCountHidden, 5, 0, 1, 2);
    return grpDataMediaCapacity;
}

QWidget* TfrmVantrelMain::createAudioCapacityGroup(QWidget* page) {
    grpAudioMediaCapacity = new QGroupBox(tr(AudioGroupCaption), page);
    QRadioButton** const radios[] = {&radioCapacity74, &radioCapacity80, &radioCapacity45,
                                     &radioCapacityAudioCustom};
    for (int tag = 1; tag <= AudioCustomTag; ++tag) {
        const QString caption = tag == AudioCustomTag
                                    ? tr(CustomCaption)
                                    : PresetCaption(AudioPresets[tag - 1].Caption);
        QRadioButton*& radio = *radios[tag - 1];
        radio = new QRadioButton(caption, grpAudioMediaCapacity);
        connect(radio, &QRadioButton::toggled, this, [this, tag](bool checked) {
            if (checked)
                radioAudioCapacityClick(tag);
        });
    }
    editCapacityAudioCustom = new QSpinBox(grpAudioMediaCapacity);
    editCapacityAudioCustom->setRange(1, 32000);
    editCapacityAudioCustom->setValue(30);
    editCapacityAudioCustom->setEnabled(false);
    editCapacityAudioCustom->setAccessibleName(tr(CustomCaption).remove(QLatin1Char('&')));
    connect(editCapacityAudioCustom, &QSpinBox::valueChanged, this,
            [this] { editCapacityCustomChange(AudioFieldTag); });
    spinEditSongPause = new DecimalSpinEdit(grpAudioMediaCapacity);
    spinEditSongPause->setRange(0, MaxSongPauseSeconds);
    spinEditSongPause->setSingleStep(0.1);
    spinEditSongPause->setAccessibleName(tr(PauseBefore));
    connect(spinEditSongPause, &DecimalSpinEdit::valueChanged, this,
            [this] { editSongPauseChange(); });
    auto* pauseLabel = new QLabel(tr(PauseBefore), grpAudioMediaCapacity);
    pauseLabel->setBuddy(spinEditSongPause);

    auto* grid = new QGridLayout(grpAudioMediaCapacity);
    grid->addWidget(radioCapacity74, 0, 0);
    grid->addWidget(radioCapacity80, 1, 0);
    grid->addWidget(radioCapacity45, 0, 1);
    auto* custom = new QHBoxLayout;
    custom->addWidget(radioCapacityAudioCustom);
    custom->addWidget(editCapacityAudioCustom);
    custom->addWidget(new QLabel(tr(MinutesCaption), grpAudioMediaCapacity));
    custom->addStretch();
    grid->addLayout(custom, 1, 1);
    auto* pause = new QHBoxLayout;
    pause->addWidget(pauseLabel);
    pause->addWidget(spinEditSongPause);
    pause->addWidget(new QLabel(tr(PauseAfter), grpAudioMediaCapacity));
    pause->addStretch();
    grid->addLayout(pause, 2, 0, 1, 2);
    return grpAudioMediaCapacity;
}

QWidget* TfrmVantrelMain::createToleranceGroup(QWidget* page) {
    grpTolerance = new QGroupBox(tr(ToleranceGroupCaption), page);
    spinEditCapacityTolerance = new DecimalSpinEdit(grpTolerance);
    spinEditCapacityTolerance->setRange(MinTolerance, MaxTolerance);
    spinEditCapacityTolerance->setSingleStep(0.1);
    spinEditCapacityTolerance->setValue(99.9);
    spinEditCapacityTolerance->setAccessibleName(tr(ToleranceBefore));
    connect(spinEditCapacityTolerance, &DecimalSpinEdit::valueChanged, this,
            [this] { spinEditCapacityToleranceChange(); });
    auto* before = new QLabel(tr(ToleranceBefore), grpTolerance);
    before->setBuddy(spinEditCapacityTolerance);
    lblLowBound = new QLabel(grpTolerance);
    ShowsValue(lblLowBound, tr(LowBoundName));
    lblUpBound = new QLabel(grpTolerance);
    ShowsValue(lblUpBound, tr(UpBoundName));

    cmboDivisionMethod = new QComboBox(grpTolerance);
    for (const char* choice : MethodChoices)
        cmboDivisionMethod->addItem(tr(choice));
    cmboDivisionMethod->setAccessibleName(tr(MethodCaption).remove(QLatin1Char('&')));
    cmboDivisionMethod->setToolTip(tr(MethodHint));
    connect(cmboDivisionMethod, &QComboBox::currentIndexChanged, this,
            [this] { cmboDivisionMethodSelect(); });
    auto* method = new QLabel(tr(MethodCaption), grpTolerance);
    method->setBuddy(cmboDivisionMethod);

    auto* layout = new QHBoxLayout;
    layout->addWidget(before);
    layout->addWidget(spinEditCapacityTolerance);
    layout->addWidget(new QLabel(Text(ToleranceAfter), grpTolerance));
    layout->addStretch();
    auto* bounds = new QVBoxLayout;
    bounds->setSpacing(0);
    bounds->addWidget(lblLowBound, 0, Qt::AlignRight);
    bounds->addWidget(new QLabel(Text(BoundsBetween), grpTolerance), 0, Qt::AlignRight);
    bounds->addWidget(lblUpBound, 0, Qt::AlignRight);
    layout->addLayout(bounds);
    auto* methodRow = new QHBoxLayout;
    methodRow->addWidget(method);
    methodRow->addWidget(cmboDivisionMethod);
    methodRow->addStretch();
    auto* rows = new QVBoxLayout(grpTolerance);
    rows->addLayout(layout);
    rows->addLayout(methodRow);
    return grpTolerance;
}

QWidget* TfrmVantrelMain::createWorkGroup(QWidget* page) {
    auto* work = new QGroupBox(tr(WorkGroupCaption), page);
    btnDivide = new QPushButton(tr(DivideCaption), work);
    btnDivide->setEnabled(false);
    connect(btnDivide, &QPushButton::clicked, this, [this] { btnDivideClick(); });
    btnStop = new QPushButton(tr(StopCaption), work);
    btnStop->setEnabled(false);
    connect(btnStop, &QPushButton::clicked, this, [this] { btnStopClick(); });
    btnTakeBest = new QPushButton(tr(TakeBestCaption), work);
    btnTakeBest->setEnabled(false);
    btnTakeBest->setToolTip(tr(TakeBestHint));
    connect(btnTakeBest, &QPushButton::clicked, this, [this] { btnTakeBestClick(); });
    progressBar = new QProgressBar(work);
    progressBar->setRange(0, 100);
    progressBar->setTextVisible(false);
    lblCurMedium = new QLabel(QStringLiteral("0/0"), work);
    lblCurMediumElements = new QLabel(QStringLiteral("0/0"), work);
    lblCurCombination = new QLabel(QStringLiteral("0"), work);
    lblDivisionTime = new QLabel(Text(StartTime), work);
    ShowsValue(lblDivisionTime, tr(TimeName));
    lblProcessPriorityName = new QLabel(tr(PriorityNames[3]), work);
    ShowsValue(lblProcessPriorityName, tr(PriorityCaption));
    btnPriorityLower = new QToolButton(work);
    btnPriorityLower->setArrowType(Qt::LeftArrow);
    btnPriorityLower->setAccessibleName(tr(PriorityLowerName));
    trackPriority = new QSlider(Qt::Horizontal, work);
    trackPriority->setRange(0, CriticalPriority);
    trackPriority->setPageStep(1);
    trackPriority->setTickPosition(QSlider::TicksBelow);
    trackPriority->setValue(3);
    trackPriority->setAccessibleName(tr(PriorityCaption));
    connect(trackPriority, &QSlider::valueChanged, this, [this] { trackPriorityChange(); });
    btnPriorityHigher = new QToolButton(work);
    btnPriorityHigher->setArrowType(Qt::RightArrow);
    btnPriorityHigher->setAccessibleName(tr(PriorityHigherName));
    for (QToolButton* button : {btnPriorityLower, btnPriorityHigher}) {
        const int tag = button == btnPriorityLower ? PriorityLowerTag : PriorityHigherTag;
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setToolTip(button->accessibleName());
        connect(button, &QToolButton::clicked, this, [this, tag] { btnPriorityClick(tag); });
    }
    timerDivisionStat = new QTimer(this);
    timerDivisionStat->setInterval(1000);
    connect(timerDivisionStat, &QTimer::timeout, this, [this] { timerDivisionStatTimer(); });

    auto* commands = new QHBoxLayout;
    commands->addWidget(btnDivide);
    commands->addWidget(btnStop);
    commands->addWidget(btnTakeBest);
    auto* grid = new QGridLayout(work);
    grid->addLayout(commands, 0, 0, 1, 3);
    grid->addWidget(progressBar, 1, 0, 1, 3);
    const char* const captions[] = {MediumCaption, ElementsCaption, CombinationCaption};
    QLabel* const values[] = {lblCurMedium, lblCurMediumElements, lblCurCombination};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(tr(captions[i]), work);
        ShowsValue(values[i], tr(captions[i]), caption);
        grid->addWidget(caption, 2 + i, 0);
        grid->addWidget(values[i], 2 + i, 1);
    }
    grid->addWidget(lblDivisionTime, 4, 2, Qt::AlignRight);
    auto* priorityLabel = new QLabel(tr(PriorityCaption), work);
    priorityLabel->setBuddy(trackPriority);
    grid->addWidget(priorityLabel, 5, 0);
    grid->addWidget(lblProcessPriorityName, 5, 1, 1, 2);
    auto* priority = new QHBoxLayout;
    priority->addWidget(btnPriorityLower);
    priority->addWidget(trackPriority, 1);
    priority->addWidget(btnPriorityHigher);
    grid->addLayout(priority, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return work;
}

void TfrmVantrelMain::radioDataCapacityClick(int tag) {
    editCapacityDataCustom->setEnabled(tag == DataCustomTag);
    cmboCapacityDataCustomUnits->setEnabled(tag == DataCustomTag);
    if (!ControlsLive)
        return;
    const std::uint64_t previous = Settings.DataMediumCapacity;
    if (tag == DataCustomTag)
        editCapacityCustomChange(DataFieldTag);
    else
        Settings.DataMediumCapacity = DataPresets[tag - 1].Capacity;
    if (confirmDiscardResults()) {
        spinEditCapacityToleranceChange();
    } else {
        Settings.DataMediumCapacity = previous;
        showCapacitySettings();
    }
}

void TfrmVantrelMain::radioAudioCapacityClick(int tag) {
    editCapacityAudioCustom->setEnabled(tag == AudioCustomTag);
    if (!ControlsLive)
        return;
    const std::uint64_t previous = Settings.AudioMediumCapacity;
    if (tag == AudioCustomTag)
        editCapacityCustomChange(AudioFieldTag);
    else
        Settings.AudioMediumCapacity = AudioPresets[tag - 1].Capacity;
    if (confirmDiscardResults()) {
        spinEditCapacityToleranceChange();
    } else {
        Settings.AudioMediumCapacity = previous;
        showCapacitySettings();
    }
}

void TfrmVantrelMain::editCapacityCustomChange(int tag) {
    if (ControlsLive) {
        if (tag == DataFieldTag)
            cmboCapacityDataCustomUnitsSelect();
        else
            Settings.AudioMediumCapacity =
                static_cast<std::uint64_t>(editCapacityAudioCustom->value()) * HundredthsPerMinute;
    }
    ShowDivisionProgress(0, 0, 0, 0);
    spinEditCapacityToleranceChange();
}

void TfrmVantrelMain::cmboCapacityDataCustomUnitsSelect() {
    if (ControlsLive) {
        const int unit = cmboCapacityDataCustomUnits->currentIndex();
        Settings.DataMediumCapacity =
            unit < 0 ? 0
                     : static_cast<std::uint64_t>(editCapacityDataCustom->value()) *
                           DataUnits[unit].Capacity;
    }
    spinEditCapacityToleranceChange();
}

void TfrmVantrelMain::editSongPauseChange() {
    if (!ControlsLive)
        return;
    if (confirmDiscardResults()) {
        Settings.SongPause = SongPauseOfTenThousandths(spinEditSongPause->fixedValue());
        return;
    }
    ControlsLive = false;
    spinEditSongPause->setValue(Settings.SongPause * 0.01);
    ControlsLive = true;
}

void TfrmVantrelMain::spinEditCapacityToleranceChange() {
    if (ControlsLive)
        Settings.CapacityTolerance = static_cast<float>(spinEditCapacityTolerance->value());
    const std::uint64_t capacity = currentCapacity();
    lblUpBound->setText(ValueLabel(*DataManager, capacity));
    lblLowBound->setText(
        ValueLabel(*DataManager, TDataManager::LowBoundOf(capacity, Settings.CapacityTolerance)));
}

void TfrmVantrelMain::cmboDivisionMethodSelect() {
    // How to divide changes nothing of the results there are.
    if (ControlsLive)
        Settings.DivisionMethod = static_cast<std::uint8_t>(cmboDivisionMethod->currentIndex());
}

void TfrmVantrelMain::chkDiscFootprintClick() {
    if (!ControlsLive)
        return;
    // The count decides what fits, so the media found with the other count go first.
    if (confirmDiscardResults()) {
        Settings.DiscFootprint = chkDiscFootprint->isChecked();
        return;
    }
    ControlsLive = false;
    chkDiscFootprint->setChecked(Settings.DiscFootprint);
    ControlsLive = true;
}

void TfrmVantrelMain::chkCountHiddenClick() {
    if (!ControlsLive)
        return;
    // The items are measured again, so the media found with the other measure go first.
    if (confirmDiscardResults()) {
        Settings.CountHidden = chkCountHidden->isChecked();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        DataManager->SetCountHidden(Settings.CountHidden);
        collectionChanged();
        QApplication::restoreOverrideCursor();
        return;
    }
    ControlsLive = false;
    chkCountHidden->setChecked(Settings.CountHidden);
    ControlsLive = true;
}

std::uint64_t TfrmVantrelMain::currentCapacity() const {
    return Settings.CollectionType == FilesAndFolders ? Settings.DataMediumCapacity
                                                      : Settings.AudioMediumCapacity;
}

void TfrmVantrelMain::showCapacitySettings() {
    ControlsLive = false;
    QRadioButton* const dataRadios[] = {radioCapacity650, radioCapacity700, radioCapacity800,
                                        radioCapacity4G, radioCapacity138};
    QRadioButton* dataRadio = radioCapacityDataCustom;
    if (const auto preset = PresetIndexOf(DataPresets, Settings.DataMediumCapacity)) {
        dataRadio = dataRadios[*preset];
    } else {
        const CustomCapacity custom = CustomDataCapacity(Settings.DataMediumCapacity);
        cmboCapacityDataCustomUnits->setCurrentIndex(custom.Unit);
        editCapacityDataCustom->setValue(static_cast<int>(
            std::min<std::uint64_t>(custom.Count, editCapacityDataCustom->maximum())));
    }
    dataRadio->setChecked(true);

    QRadioButton* audio = radioCapacityAudioCustom;
    QRadioButton* const audioRadios[] = {radioCapacity74, radioCapacity80, radioCapacity45};
    if (const auto preset = PresetIndexOf(AudioPresets, Settings.AudioMediumCapacity))
        audio = audioRadios[*preset];
    else
        editCapacityAudioCustom->setValue(static_cast<int>(
            std::min<std::uint64_t>(Settings.AudioMediumCapacity / HundredthsPerMinute,
                                    editCapacityAudioCustom->maximum())));
    audio->setChecked(true);

    spinEditSongPause->setValue(Settings.SongPause * 0.01);
    chkDiscFootprint->setChecked(Settings.DiscFootprint);
    chkCountHidden->setChecked(Settings.CountHidden);
    cmboDivisionMethod->setCurrentIndex(Settings.DivisionMethod);
    ControlsLive = true;
}

void TfrmVantrelMain::btnDivideClick() {
    if (!confirmDiscardResults())
        return;
    const DivisionRequest request{.Kind = static_cast<CollectionKind>(Settings.CollectionType),
                                  .Capacity = currentCapacity(),
                                  .Tolerance = Settings.CapacityTolerance,
                                  .Pause = Settings.SongPause,
                                  .DiscCount = Settings.DiscFootprint,
                                  .Method = static_cast<DivisionMethod>(Settings.DivisionMethod)};

    setStatusText(1, tr(CheckingText));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const bool started = StartDivision(*DataManager, request);
    collectionChanged();
    QApplication::restoreOverrideCursor();
    if (!started) {
        // The page switch clears the selection; the item a cancelled question was about is
        // selected again after it.
        const std::vector<std::size_t> located = lstCollection->SelectedRows();
        pageControl->setCurrentWidget(tabSheetCollection);
        for (const std::size_t row : located)
            lstCollection->Select(row);
        if (!located.empty())
            lstCollection->ScrollIntoView(located.front());
        setStatusText(1, QString());
        return;
    }

    setStatusText(1, tr(DividingText));
    // The indicator takes panel 1's place; its hint carries the panel's text.
    statusProgressBar->setToolTip(tr(DividingText));
    statusPanel1->hide();
    statusProgressBar->show();
    enableDivisionCommands(false);
    lblDivisionTime->setText(Text(StartTime));
    DivisionStart.start();
    timerDivisionStat->start();
}

void TfrmVantrelMain::btnStopClick() {
    DataManager->StopDivision();
}

void TfrmVantrelMain::btnTakeBestClick() {
    DataManager->TakeBestMedium();
}

void TfrmVantrelMain::btnPriorityClick(int tag) {
    // The track bar keeps its position inside its range and reports the change itself.
    trackPriority->setValue(trackPriority->value() + (tag == PriorityLowerTag ? -1 : 1));
}

void TfrmVantrelMain::trackPriorityChange() {
    const int position = trackPriority->value();
    lblProcessPriorityName->setText(tr(PriorityNames[position]));
    QPalette palette = lblProcessPriorityName->parentWidget()->palette();
    if (position == CriticalPriority)
        palette.setColor(QPalette::WindowText, Qt::red);
    lblProcessPriorityName->setPalette(palette);

    const int inForce = DataManager->SetDivisionPriority(position);
    const QString refused =
        inForce == position ? QString() : tr(PriorityRefused).arg(tr(PriorityNames[inForce]));
    trackPriority->setToolTip(refused);
    lblProcessPriorityName->setToolTip(refused);
}

void TfrmVantrelMain::timerDivisionStatTimer() {
    DataManager->RequestDivisionProgress();
    // The media found so far, also where the Results page has not counted them yet.
    ShowDivisionProgress(static_cast<std::int32_t>(DataManager->GetMedia().size()), 0, 0, 0);
    lblDivisionTime->setText(ElapsedText(DivisionStart.elapsed()));
}

void TfrmVantrelMain::enableDivisionCommands(bool idle) {
    for (QWidget* control :
         {static_cast<QWidget*>(pnlFileAddDel), static_cast<QWidget*>(grpDataMediaCapacity),
          static_cast<QWidget*>(grpAudioMediaCapacity), static_cast<QWidget*>(grpTolerance),
          static_cast<QWidget*>(btnDivide)})
        control->setEnabled(idle);
    miAdd->setEnabled(idle);
    btnStop->setEnabled(!idle);
    btnTakeBest->setEnabled(!idle);
}

void TfrmVantrelMain::DivisionEnded() {
    timerDivisionStat->stop();
    statusProgressBar->hide();
    statusPanel1->show();
    setStatusText(1, QString());
    enableDivisionCommands(true);
    radioResultsAllMedia->setEnabled(true);
    DataManager->DivisionFinished();
    showMediaMinimum();
}
