// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/Formvantrelmain.h"
#include "collection/Tdatamanager.h"
#include "dialogs/Formdirtoobig.h"
#include "dialogs/QtText.h"
#include "divide/LowBound.h"
#include "platform/ThreadPriority.h"
#include "tests/app/WindowHarness.h"
#include "tests/doubles/AnswerQueuePrompter.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/RecordingWinampHost.h"
#include "tests/doubles/ScriptedFileChooser.h"
#include "ui/DecimalSpinEdit.h"
#include "ui/QtListView.h"

namespace {

// A collection that keeps the search on its first medium for a long time: even sizes between a
// twelfth and an eighth of an odd capacity, which the tolerance of 100 % makes the bound, so no
// combination ever reaches it, and about ten fit on a medium in countless ways.
constexpr std::uint64_t LongSearchCapacity = 1000000001;
const char* const LongSearchSettings = "DataMediumCapacity=1000000001\nCapacityTolerance=100\n";

void AddLongSearchCollection(TDataManager& manager) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::uint64_t> half(41666667, 62500000);
    for (int i = 0; i < 4000; ++i) {
        const std::string name = "item" + std::to_string(i);
        TDataManagerTestAccess::Append(manager,
                                       TColItem(name, "/nowhere/" + name, -1, 2 * half(random)));
    }
}

}  // namespace

class FormvantrelmainDivisionTest : public QObject {
    Q_OBJECT

    // A window dividing the long-search collection.
    static TfrmVantrelMain& StartLongDivision(Harness& harness) {
        TfrmVantrelMain& window = harness.Open();
        AddLongSearchCollection(*window.DataManager);
        window.collectionChanged();
        window.btnDivide->click();
        return window;
    }
    static void StopAndWait(TfrmVantrelMain& window) {
        window.btnStop->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.dividing(), 30000);
    }
    static void Type(DecimalSpinEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

private slots:
    void declinedMediumChangeKeepsTheOldMedium_data() {
        QTest::addColumn<QString>("capacity");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<quint64>("capacityAfter");
        QTest::newRow("700 MB kept") << "734003200"
                                     << "800" << false << "700" << quint64{734003200};
        QTest::newRow("4.38 GB kept") << "4700766208"
                                      << "700" << false << "4G" << quint64{4700766208};
        QTest::newRow("800 MB taken") << "734003200"
                                      << "800" << true << "800" << quint64{838860800};
    }
    void declinedMediumChangeKeepsTheOldMedium() {
        QFETCH(QString, capacity);
        QFETCH(QString, chosen);
        QFETCH(bool, accept);
        QFETCH(QString, shown);
        QFETCH(quint64, capacityAfter);
        Harness harness("DataMediumCapacity=" + capacity.toStdString() + "\n");
        TfrmVantrelMain& window = harness.Open();
        const std::map<QString, QRadioButton*> radios{
            {QStringLiteral("700"), window.radioCapacity700},
            {QStringLiteral("800"), window.radioCapacity800},
            {QStringLiteral("4G"), window.radioCapacity4G}};
        window.cmboMedia->addItem(Text("Носитель 1"));
        harness.Questions.Reply(accept ? Answer::Yes : Answer::No);

        radios.at(chosen)->click();

        QCOMPARE(harness.Questions.Asked.size(), std::size_t{1});
        QVERIFY(radios.at(shown)->isChecked());
        QCOMPARE(window.Settings.DataMediumCapacity, capacityAfter);
        QCOMPARE(window.cmboMedia->count(), accept ? 0 : 1);
        QCOMPARE(window.lblUpBound->text(),
                 QString::fromStdString(window.DataManager->ValueText(capacityAfter)));
    }

    void customCapacityIsShownInItsLargestUnit_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("value");
        QTest::newRow("bytes, beyond the field") << "DataMediumCapacity=1500000\n"
                                                 << "Байт" << 1000000;
        QTest::newRow("megabytes") << "DataMediumCapacity=3145728\n"
                                   << "МБайт" << 3;
        QTest::newRow("kilobytes") << "DataMediumCapacity=5120\n"
                                   << "кБайт" << 5;
        QTest::newRow("minutes, truncated") << "CollectionType=1\nAudioMediumCapacity=199999\n"
                                            << "" << 33;
    }
    void customCapacityIsShownInItsLargestUnit() {
        QFETCH(QString, settings);
        QFETCH(QString, unit);
        QFETCH(int, value);
        Harness harness(settings.toStdString());
        TfrmVantrelMain& window = harness.Open();
        const std::uint64_t dataBefore = window.Settings.DataMediumCapacity;
        const std::uint64_t audioBefore = window.Settings.AudioMediumCapacity;
        if (unit.isEmpty()) {
            QVERIFY(window.radioCapacityAudioCustom->isChecked());
            QVERIFY(window.editCapacityAudioCustom->isEnabled());
            QCOMPARE(window.editCapacityAudioCustom->value(), value);
        } else {
            QVERIFY(window.radioCapacityDataCustom->isChecked());
            QVERIFY(window.cmboCapacityDataCustomUnits->isEnabled());
            QCOMPARE(window.cmboCapacityDataCustomUnits->currentText(), unit);
            QCOMPARE(window.editCapacityDataCustom->value(), value);
        }
        // Showing a capacity never changes it.
        QCOMPARE(window.Settings.DataMediumCapacity, dataBefore);
        QCOMPARE(window.Settings.AudioMediumCapacity, audioBefore);
    }

    void decimalFieldsTakeEitherSeparatorAndComeBackIntoRange_data() {
        QTest::addColumn<bool>("pause");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("standing");
        QTest::addColumn<double>("afterFocusLoss");
        QTest::newRow("pause, comma, truncated") << true << "1,2345" << 123.0 << 123.0;
        QTest::newRow("pause, point") << true << "1.5" << 150.0 << 150.0;
        QTest::newRow("pause above the range") << true << "15" << 1500.0 << 1000.0;
        QTest::newRow("tolerance, comma") << false << "85,5" << 85.5 << 85.5;
        QTest::newRow("tolerance below the range") << false << "5" << 5.0 << 80.0;
    }
    void decimalFieldsTakeEitherSeparatorAndComeBackIntoRange() {
        QFETCH(bool, pause);
        QFETCH(QString, typed);
        QFETCH(double, standing);
        QFETCH(double, afterFocusLoss);
        Harness harness("CollectionType=1\n");
        TfrmVantrelMain& window = harness.Open();
        window.pageControl->setCurrentWidget(window.tabSheetDivision);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto setting = [&] {
            return pause ? double(window.Settings.SongPause)
                         : double(window.Settings.CapacityTolerance);
        };

        Type(pause ? window.spinEditSongPause : window.spinEditCapacityTolerance, typed);
        QCOMPARE(setting(), double(float(standing)));
        window.btnPriorityHigher->setFocus();
        QCOMPARE(setting(), double(float(afterFocusLoss)));
    }

    void boundsFollowTheTolerance_data() {
        QTest::addColumn<double>("tolerance");
        QTest::addColumn<quint64>("lowBound");
        QTest::newRow("100 %: both bounds the capacity") << 100.0 << quint64{734003200};
        QTest::newRow("80 %") << 80.0 << quint64{587202560};
        QTest::newRow("99.9 % held in single precision") << 99.9 << quint64{733269208};
    }
    void boundsFollowTheTolerance() {
        QFETCH(double, tolerance);
        QFETCH(quint64, lowBound);
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.spinEditCapacityTolerance->setValue(tolerance);
        const auto text = [&](std::uint64_t value) {
            return QString::fromStdString(window.DataManager->ValueText(value));
        };
        QCOMPARE(window.lblLowBound->text(), text(lowBound));
        QCOMPARE(window.lblUpBound->text(), text(734003200));
    }

    void emptyCollectionShowsAnEmptyBarNotABusyOne() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        QVERIFY(window.progressBar->maximum() > window.progressBar->minimum());
        QCOMPARE(window.progressBar->value(), 0);
        QCOMPARE(window.lblCurMedium->text(), QStringLiteral("0/0"));
    }

    void priorityChangesDuringARun_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::newRow("lowest") << 1 << Text("самый низкий");
        QTest::newRow("below normal") << 2 << Text("ниже нормального");
        QTest::newRow("above normal") << 4 << Text("выше нормального");
        QTest::newRow("highest") << 5 << Text("самый высокий");
        QTest::newRow("critical") << 6 << Text("критический");
    }
    void priorityChangesDuringARun() {
        QFETCH(int, position);
        QFETCH(QString, name);
        Harness harness(LongSearchSettings);
        TfrmVantrelMain& window = StartLongDivision(harness);
        QVERIFY(window.dividing());
        const QColor normal = window.lblCurMedium->palette().color(QPalette::WindowText);

        window.trackPriority->setValue(position);

        QCOMPARE(window.lblProcessPriorityName->text(), name);
        QCOMPARE(window.lblProcessPriorityName->palette().color(QPalette::WindowText),
                 position == 6 ? QColor(Qt::red) : normal);
        QCOMPARE(window.DataManager->GetDivisionPriority(), position);
        // Where the system keeps the search weaker, the control says which priority it has.
        const int inForce = StrongestPositionAllowed(position);
        QCOMPARE(window.trackPriority->toolTip().isEmpty(), inForce == position);
        QTRY_COMPARE(window.DataManager->GetThread()->WorkerPosition().value_or(-1), inForce);

        window.btnPriorityLower->click();
        QCOMPARE(window.trackPriority->value(), position - 1);
        QCOMPARE(window.lblProcessPriorityName->palette().color(QPalette::WindowText), normal);
        StopAndWait(window);
    }

    void stopBeforeTheFirstMedium() {
        Harness harness(LongSearchSettings);
        TfrmVantrelMain& window = StartLongDivision(harness);
        QVERIFY(window.dividing());
        for (QWidget* idle : std::initializer_list<QWidget*>{
                 window.btnDivide, window.pnlFileAddDel, window.grpDataMediaCapacity,
                 window.grpAudioMediaCapacity, window.grpTolerance})
            QVERIFY(!idle->isEnabled());
        QVERIFY(!window.miAdd->isEnabled());
        QVERIFY(window.btnStop->isEnabled());
        QVERIFY(window.btnTakeBest->isEnabled());
        QCOMPARE(window.statusPanel1->text(), Text("Идёт разбиение, пожалуйста подождите..."));
        QVERIFY(window.statusProgressBar->isVisible());

        StopAndWait(window);

        QVERIFY(window.DataManager->GetMedia().empty());
        for (QWidget* idle : std::initializer_list<QWidget*>{
                 window.btnDivide, window.pnlFileAddDel, window.grpDataMediaCapacity,
                 window.grpAudioMediaCapacity, window.grpTolerance, window.radioResultsAllMedia})
            QVERIFY(idle->isEnabled());
        QVERIFY(window.miAdd->isEnabled());
        QVERIFY(!window.btnStop->isEnabled());
        QVERIFY(!window.btnTakeBest->isEnabled());
        QVERIFY(window.statusPanel1->text().isEmpty());
        QVERIFY(!window.statusProgressBar->isVisible());
        QVERIFY(window.close());
    }

    // The stored way shows on the Division page, reaches the division, and the Results page
    // tells the proven least; catches a choice that is shown but not used.
    void fewestMediaChoiceReachesTheDivisionAndTheResults() {
        Harness harness("DataMediumCapacity=1000\nDivisionMethod=1\n");
        TfrmVantrelMain& window = harness.Open();
        QCOMPARE(window.cmboDivisionMethod->currentIndex(), 1);
        int number = 0;
        for (const std::uint64_t size : {264, 115, 209, 686, 205, 325, 117}) {
            const std::string name = "item" + std::to_string(number++);
            TDataManagerTestAccess::Append(*window.DataManager,
                                           TColItem(name, "/nowhere/" + name, -1, size));
        }
        window.collectionChanged();
        window.btnDivide->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.dividing(), 30000);
        QCOMPARE(window.DataManager->GetMedia().size(), std::size_t{2});
        QVERIFY(!window.lblMediaMinimum->isHidden());
        QCOMPARE(window.lblMediaMinimum->text(), Text("Носителей: 2, минимум: 2 — достигнут"));
        window.cmboDivisionMethod->setCurrentIndex(0);
        QCOMPARE(window.Settings.DivisionMethod, std::uint8_t{0});
    }

    void takeBestDeliversTheMediumBeingSearched() {
        Harness harness(LongSearchSettings);
        TfrmVantrelMain& window = StartLongDivision(harness);
        QVERIFY(window.dividing());
        // Once the search has reported from its first medium, it is under way.
        QTRY_VERIFY(window.lblCurCombination->text() != QStringLiteral("0"));
        QVERIFY(window.DataManager->GetMedia().empty());

        window.btnTakeBest->click();

        QTRY_VERIFY_WITH_TIMEOUT(!window.DataManager->GetMedia().empty(), 20000);
        StopAndWait(window);
        const TMedium& first = window.DataManager->GetMedia().front();
        QVERIFY(!first.empty());
        std::uint64_t total = 0;
        for (const auto& item : first)
            total += item->Size;
        QVERIFY(total <= LongSearchCapacity);
    }

    void refusedPreparationReturnsToTheCollection() {
        Harness harness("DataMediumCapacity=1000\n");
        TfrmVantrelMain& window = harness.Open();
        TDataManagerTestAccess::Append(*window.DataManager,
                                       TColItem("big", "/nowhere/big", -1, 5000));
        window.DataManager->ShowCollection();
        window.collectionChanged();
        window.pageControl->setCurrentWidget(window.tabSheetDivision);

        window.btnDivide->click();  // the oversized item is asked about and the answer is Cancel

        QVERIFY(!window.dividing());
        QCOMPARE(window.pageControl->currentWidget(), window.tabSheetCollection);
        // The page switch cleared the row the cancelled question selected.
        QCOMPARE(window.lstCollection->SelectedRows(), std::vector<std::size_t>{0});
        QVERIFY(window.statusPanel1->text().isEmpty());
        QVERIFY(window.btnDivide->isEnabled());
    }

    // Would catch the disc count not read from the settings, or changed without asking while
    // media found with the other count are shown.
    void discCountComesFromTheSettingsAndAsksBeforeDiscarding() {
        for (const bool accept : {false, true}) {
            Harness harness("DiscFootprint=1\n");
            TfrmVantrelMain& window = harness.Open();
            QVERIFY(window.chkDiscFootprint->isChecked());
            window.cmboMedia->addItem(Text("Носитель 1"));
            harness.Questions.Reply(accept ? Answer::Yes : Answer::No);

            window.chkDiscFootprint->click();

            QCOMPARE(harness.Questions.Asked.size(), std::size_t{1});
            QCOMPARE(window.chkDiscFootprint->isChecked(), !accept);
            QCOMPARE(window.Settings.DiscFootprint, !accept);
            QCOMPARE(window.cmboMedia->count(), accept ? 0 : 1);
        }
    }

    // Would catch the hidden-entries option not read from the settings, not handed to the data
    // manager at start, or changed without measuring the collection again.
    void countHiddenComesFromTheSettingsAndMeasuresTheCollectionAgain() {
        Harness harness("CountHidden=1\n");
        TfrmVantrelMain& window = harness.Open();
        QVERIFY(window.chkCountHidden->isChecked());
        QVERIFY(window.DataManager->GetCountHidden());
        harness.File("album/track", 600);
        harness.HiddenFile("album/.hidden", 300);
        window.DataManager->AddItems({harness.Path("album")}, AddFolder);
        QCOMPARE(window.DataManager->GetTotalSize(), std::uint64_t{900});

        window.chkCountHidden->click();

        QVERIFY(!window.Settings.CountHidden);
        QCOMPARE(window.DataManager->GetTotalSize(), std::uint64_t{600});
        QVERIFY(window.statusPanel0->text().contains(Text("600")));
    }

    void everyDivisionControlIsReachableAndNamed() {
        Harness harness("DataMediumCapacity=5120\n");
        TfrmVantrelMain& window = harness.Open();
        TDataManagerTestAccess::Append(*window.DataManager, TColItem("a", "/nowhere/a", -1, 1));
        window.collectionChanged();
        window.pageControl->setCurrentWidget(window.tabSheetDivision);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The name a screen reader reads: the one given, else the caption.
        const auto nameOf = [](QWidget* control) {
            const QString name =
                control->accessibleName().isEmpty()
                    ? QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name)
                    : control->accessibleName();
            return QString(name).remove(QLatin1Char('&'));
        };
        const std::vector<std::pair<QWidget*, QString>> controls{
            {window.radioCapacityDataCustom, Text("произвольный:")},
            {window.editCapacityDataCustom, Text("произвольный:")},
            {window.cmboCapacityDataCustomUnits, Text("Единица объёма")},
            {window.chkDiscFootprint, Text("учитывать файловую систему диска (ISO 9660)")},
            {window.chkCountHidden, Text("учитывать скрытые файлы и папки")},
            {window.spinEditCapacityTolerance, Text("Заполнять носитель на")},
            {window.cmboDivisionMethod, Text("Разбивать:")},
            {window.btnDivide, Text("Разделить")},
            {window.btnPriorityLower, Text("Понизить приоритет")},
            {window.trackPriority, Text("Приоритет процесса:")},
            {window.btnPriorityHigher, Text("Повысить приоритет")}};
        controls.front().first->setFocus();
        std::vector<QWidget*> reached{QApplication::focusWidget()};
        for (QWidget* next : TabOrder(controls.size() - 1))
            reached.push_back(next);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            QCOMPARE(reached[i], controls[i].first);
            QCOMPARE(nameOf(controls[i].first), controls[i].second);
        }
        // Mnemonics of the page's captions are unique among themselves and the menus.
        QList<QKeySequence> mnemonics;
        for (const QAction* menu : window.menuBar()->actions())
            mnemonics.append(QKeySequence::mnemonic(menu->text()));
        for (const QAbstractButton* button :
             window.grpDataMediaCapacity->findChildren<QAbstractButton*>())
            mnemonics.append(QKeySequence::mnemonic(button->text()));
        for (const QPushButton* button : {window.btnDivide, window.btnStop, window.btnTakeBest})
            mnemonics.append(QKeySequence::mnemonic(button->text()));
        for (const QKeySequence& mnemonic : mnemonics)
            QCOMPARE(mnemonics.count(mnemonic), 1);
    }

    // Value labels named after their captions were read as "Носитель:" twice and never as
    // their value; the tolerance field told its value as 0.
    void screenReadersReadTheValues() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.ShowDivisionProgress(-1, 3, 42, 7);
        const std::vector<std::pair<QLabel*, QString>> values{
            {window.lblLowBound, Text("Нижняя граница")},
            {window.lblUpBound, Text("Верхняя граница")},
            {window.lblCurMedium, Text("Носитель:")},
            {window.lblCurMediumElements, Text("Элементов:")},
            {window.lblCurCombination, Text("Вариант:")},
            {window.lblDivisionTime, Text("Время разбиения")},
            {window.lblProcessPriorityName, Text("Приоритет процесса:")}};
        for (const auto& [label, caption] : values) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(accessible->text(QAccessible::Name), label->text());
            QCOMPARE(accessible->text(QAccessible::Description), caption);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(window.lblUpBound)->text(QAccessible::Name),
                 Text("700 МБ"));
        // A caption beside its value is that value's label (as is the group around it).
        QStringList labels;
        for (const auto& [label, relation] :
             QAccessible::queryAccessibleInterface(window.lblCurMedium)
                 ->relations(QAccessible::Label))
            labels.append(label->text(QAccessible::Name));
        QVERIFY(labels.contains(Text("Носитель:")));
        QCOMPARE(QAccessible::queryAccessibleInterface(window.spinEditCapacityTolerance)
                     ->valueInterface()
                     ->currentValue()
                     .toDouble(),
                 99.9);
    }

    void dirTooBigDialogAnswers_data() {
        QTest::addColumn<bool>("exclude");
        QTest::addColumn<bool>("forAll");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("answer");
        QTest::newRow("expand") << false << false << true << int(Answer::Expand);
        QTest::newRow("exclude") << true << false << true << int(Answer::Exclude);
        QTest::newRow("expand for all") << false << true << true << int(Answer::ExpandForAll);
        QTest::newRow("exclude for all") << true << true << true << int(Answer::ExcludeForAll);
        QTest::newRow("cancel") << true << true << false << int(Answer::Cancel);
    }
    void dirTooBigDialogAnswers() {
        QFETCH(bool, exclude);
        QFETCH(bool, forAll);
        QFETCH(bool, ok);
        QFETCH(int, answer);
        TdlgDirTooBig dialog;
        dialog.SetMessage(Text("Папка «/a» не помещается на выбранный носитель"));
        QVERIFY(dialog.windowTitle().endsWith(Text(" - Предупреждение")));
        const auto radios = dialog.findChildren<QRadioButton*>();
        QCOMPARE(radios.size(), 2);
        QVERIFY(radios[0]->isChecked());
        radios[exclude ? 1 : 0]->click();
        if (forAll)
            dialog.findChild<QCheckBox*>()->click();
        QTimer::singleShot(0, &dialog, [&] {
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                if (button->text() == Text(ok ? "&OK" : "О&тмена"))
                    button->click();
        });
        QCOMPARE(int(dialog.Ask()), answer);
    }
};

QTEST_MAIN(FormvantrelmainDivisionTest)
#include "FormvantrelmainDivisionTest.moc"
