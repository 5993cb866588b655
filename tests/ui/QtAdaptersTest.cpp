// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <vector>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include "dialogs/Browsefordir.h"
#include "dialogs/ChooserStart.h"
#include "dialogs/QtText.h"
#include "platform/QtUiThread.h"
#ifndef _WIN32
#include "platform/PosixFileOperations.h"
#endif
#include "tests/doubles/AnswerQueuePrompter.h"
#include "ui/DecimalSpinEdit.h"
#include "ui/ElidedLabel.h"
#include "ui/QtFileOperationProgress.h"
#include "ui/QtIconList.h"
#include "ui/QtListView.h"
#include "ui/QtPrompter.h"

Q_DECLARE_METATYPE(std::vector<Answer>)

namespace {

// What the box showed, read when it appears; then a key answers it.
struct SeenBox {
    QString Caption;
    QStringList Buttons;  // left to right
    QString Default;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

void AnswerNextBox(SeenBox& seen, Qt::Key key) {
    QTimer::singleShot(0, [&seen, key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        seen.Caption = box->windowTitle();
        seen.Icon = box->icon();
        QList<QAbstractButton*> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(),
                  [](QAbstractButton* left, QAbstractButton* right) {
                      return left->mapToGlobal(QPoint()).x() < right->mapToGlobal(QPoint()).x();
                  });
        for (QAbstractButton* button : buttons)
            seen.Buttons.append(button->text());
        if (box->defaultButton() != nullptr)
            seen.Default = box->defaultButton()->text();
        QTest::keyClick(box, key);
    });
}

std::vector<std::string> Captions(const QtListView& view) {
    std::vector<std::string> captions;
    for (const auto& row : view.Model().AllRows())
        captions.push_back(row.Caption.toStdString());
    return captions;
}

}  // namespace

class QtAdaptersTest : public QObject {
    Q_OBJECT

private slots:
    void promptsShowTheirCaptionsButtonsAndAnswers_data() {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<std::vector<Answer>>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("texts");
        const std::vector<Answer> all{Answer::Yes, Answer::No, Answer::Cancel, Answer::NoToAll,
                                      Answer::YesToAll};
        const QStringList allTexts{Text("&Да"), Text("&Нет"), Text("Отмена"), Text("Не&т для всех"),
                                   Text("Да для &всех")};
        QTest::newRow("dialog, escape cancels")
            << true << all << int(Answer::Yes) << int(Qt::Key_Escape) << int(Answer::Cancel)
            << Text("Подтверждение") << allTexts;
        QTest::newRow("dialog, enter takes the default")
            << true << all << int(Answer::NoToAll) << int(Qt::Key_Return) << int(Answer::NoToAll)
            << Text("Подтверждение") << allTexts;
        QTest::newRow("box, escape answers no")
            << false << std::vector{Answer::Yes, Answer::No} << int(Answer::No)
            << int(Qt::Key_Escape) << int(Answer::No) << Text("Vantrel")
            << QStringList{Text("&Да"), Text("&Нет")};
        QTest::newRow("box, enter takes the default")
            << false << std::vector{Answer::Yes, Answer::No} << int(Answer::No)
            << int(Qt::Key_Return) << int(Answer::No) << Text("Vantrel")
            << QStringList{Text("&Да"), Text("&Нет")};
        QTest::newRow("notice") << false << std::vector{Answer::Ok} << int(Answer::Ok)
                                << int(Qt::Key_Escape) << int(Answer::Ok) << Text("Vantrel")
                                << QStringList{Text("OK")};
    }
    void promptsShowTheirCaptionsButtonsAndAnswers() {
        QFETCH(bool, dialog);
        QFETCH(std::vector<Answer>, buttons);
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QtPrompter prompter(nullptr);
        SeenBox seen;
        AnswerNextBox(seen, static_cast<Qt::Key>(key));
        const auto chosen = static_cast<Answer>(defaultButton);
        // A name clash is a confirmation dialog, the question about the results a box.
        Question question(dialog ? QuestionKind::NameClash : QuestionKind::DiscardResults);
        question.Answers = buttons;
        question.Default = chosen;
        const Answer chosenAnswer = prompter.Ask(question);

        QFETCH(int, answer);
        QFETCH(QString, caption);
        QFETCH(QStringList, texts);
        QCOMPARE(int(chosenAnswer), answer);
        QCOMPARE(seen.Caption, caption);
        QCOMPARE(seen.Buttons, texts);
        QCOMPARE(seen.Icon, QMessageBox::Question);
        QVERIFY(!seen.Default.isEmpty());
    }

    void folderBrowserStartsThereAndReturnsTheChoice_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("large");
        QTest::newRow("chosen") << true << false;
        QTest::newRow("cancelled") << false << false;
        // A folder too large to list quickly: the browser opens above it, with it selected.
        QTest::newRow("large folder") << true << true;
    }
    void folderBrowserStartsThereAndReturnsTheChoice() {
        QFETCH(bool, accept);
        QFETCH(bool, large);
        QTemporaryDir root;
        const QString start = root.filePath(QStringLiteral("start"));
        const QString target = root.filePath(QStringLiteral("target"));
        QDir().mkpath(start);
        QDir().mkpath(target);
        for (std::size_t file = 0; large && file <= LargeFolderEntries; ++file)
            std::ofstream(start.toStdString() + "/" + std::to_string(file)).close();
        QString startedAt;
        QStringList selected;
        bool foldersOnly = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            startedAt = dialog->directory().absolutePath();
            selected = dialog->selectedFiles();
            foldersOnly = dialog->fileMode() == QFileDialog::Directory &&
                          dialog->testOption(QFileDialog::ShowDirsOnly);
            if (!accept) {
                dialog->reject();
                return;
            }
            dialog->selectFile(target);
            static_cast<QDialog*>(dialog)->accept();
        });
        // The program's paths have the platform's delimiters.
        std::string folder = QDir::toNativeSeparators(start).toStdString();

        const bool chosen = BrowseForFolder(nullptr, folder, "Выберите папку");

        QCOMPARE(startedAt, large ? QDir(root.path()).absolutePath() : start);
        if (large)
            QCOMPARE(selected, QStringList{start});
        QVERIFY(foldersOnly);
        QCOMPARE(chosen, accept);
        QCOMPARE(QString::fromStdString(folder), QDir::toNativeSeparators(accept ? target : start));
    }

    // The next dialog would list first the large folder this one ended in, or (Windows, where
    // Qt's "/" was taken for no delimiter) the current folder instead of the one above.
    void browserEndingInALargeFolderLeavesIt() {
        QTemporaryDir root;
        const QString large = root.filePath(QStringLiteral("large"));
        QDir().mkpath(large);
        for (std::size_t file = 0; file <= LargeFolderEntries; ++file)
            QFile(large + QLatin1Char('/') + QString::number(file)).open(QIODevice::WriteOnly);
        QTimer::singleShot(0, [large] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->setDirectory(large);
            dialog->reject();
        });
        std::string folder = QDir::toNativeSeparators(root.path()).toStdString();

        QVERIFY(!BrowseForFolder(nullptr, folder, "Выберите папку"));

        QCOMPARE(QFileDialog().directory().absolutePath(), QDir(root.path()).absolutePath());
    }

    // The decimal field had no value property: screen readers read 0 whatever it showed.
    void decimalFieldTellsScreenReadersItsValue() {
        DecimalSpinEdit field;
        field.setRange(80, 100);
        field.setSingleStep(0.1);
        field.setValue(99.9);
        QAccessibleValueInterface* value =
            QAccessible::queryAccessibleInterface(&field)->valueInterface();
        QVERIFY(value != nullptr);
        QCOMPARE(value->currentValue().toDouble(), 99.9);
        QCOMPARE(value->minimumValue().toDouble(), 80.0);
        QCOMPARE(value->maximumValue().toDouble(), 100.0);
        QCOMPARE(value->minimumStepSize().toDouble(), 0.1);

        field.setValue(85.5);
        QCOMPARE(value->currentValue().toDouble(), 85.5);
    }

    void iconListKeepsEachIconOnce() {
        QTemporaryDir root;
        QtIconList icons;
        std::vector<std::int32_t> indexes;
        for (const char* name : {"a", "b", "c.txt", "d.TXT", "e/", "f/"}) {
            const QString path = root.filePath(QString::fromUtf8(name));
            if (path.endsWith(QLatin1Char('/')))
                QDir().mkpath(path);
            else
                QFile(path).open(QIODevice::WriteOnly);
            const std::string native = QDir::cleanPath(path).toStdString();
            indexes.push_back(icons.IconIndexOf(native, ReadPathAttributes(native)));
        }
        QVERIFY(indexes[0] >= 0);
        QCOMPARE(indexes[1], indexes[0]);  // files without extension
        QCOMPARE(indexes[3], indexes[2]);  // one extension in either case
        QCOMPARE(indexes[5], indexes[4]);  // folders
        QVERIFY(indexes[4] != indexes[0]);
        QVERIFY(!icons.Icon(indexes[4]).isNull());
        QCOMPARE(icons.IconIndexOf("/nonexistent", std::nullopt), -1);
    }

    void syncStepsRunOnTheUiThread() {
        QtUiThread ui;
        std::atomic<bool> ranOnUi{false};
        std::atomic<bool> finished{false};
        bool result = false;
        std::thread worker([&] {
            result = ui.RunSync([&] { ranOnUi = QThread::currentThread() == qApp->thread(); },
                                [] { return false; });
            finished = true;
        });
        QTRY_VERIFY(finished.load());
        worker.join();
        QVERIFY(result);
        QVERIFY(ranOnUi.load());
    }

    void abandonedSyncStepsNeverRun() {
        QtUiThread ui;
        bool ran = false;
        bool result = true;
        std::thread worker([&] { result = ui.RunSync([&] { ran = true; }, [] { return true; }); });
        worker.join();  // returns without the UI thread's help
        QCoreApplication::processEvents();
        QVERIFY(!result);
        QVERIFY(!ran);
    }

    void selfSortingListKeepsCaptionOrder_data() {
        QTest::addColumn<bool>("batch");
        QTest::newRow("one by one") << false;
        QTest::newRow("in one update") << true;
    }
    void selfSortingListKeepsCaptionOrder() {
        QtListView view({Text("Имя"), Text("Длина")}, {Qt::AlignLeft, Qt::AlignRight}, true);
        QFETCH(bool, batch);
        if (batch)
            view.BeginUpdate();
        for (const char* caption : {"b", "C", "a", "Б", "а"})
            view.AddRow(caption, -1, {"1"}, nullptr);
        if (batch)
            view.EndUpdate();
        const std::vector<std::string> sorted = Captions(view);
        QCOMPARE(sorted.size(), std::size_t{5});
        QCOMPARE(sorted[0], std::string("a"));
        QCOMPARE(sorted[2], std::string("C"));
        QVERIFY(sorted[3] == "а" && sorted[4] == "Б");
    }

    // Rows without an icon (links, missing paths) stood further left than the others.
    void rowsWithoutAnIconKeepTheIconsRoom() {
        QtListView view({Text("Имя")}, {Qt::AlignLeft}, false);
        QtIconList icons;
        view.SetIconLookup([&icons](std::int32_t index) { return icons.Icon(index); });
        QTemporaryDir root;
        const std::string folder = root.path().toStdString();
        view.AddRow("with", icons.IconIndexOf(folder, ReadPathAttributes(folder)), {}, nullptr);
        view.AddRow("unknown", 12345, {}, nullptr);
        view.AddRow("none", -1, {}, nullptr);
        const auto decoration = [&view](int row) {
            return view.Model().data(view.Model().index(row, 0), Qt::DecorationRole).value<QIcon>();
        };
        const QSize room = view.iconSize().isValid() ? view.iconSize() : QSize(16, 16);
        for (int row = 0; row < 3; ++row) {
            QVERIFY(!decoration(row).isNull());
            QCOMPARE(decoration(row).actualSize(room), decoration(0).actualSize(room));
        }
    }

    // Status texts longer than the window were cut off with no way to read them whole.
    void cutLabelShowsItsWholeTextAsTooltip() {
        const QString text =
            Text("Списки записаны для носителей: 217, в каталоге /home/user/CDRs/");
        ElidedLabel label(text);
        label.show();
        QVERIFY(label.minimumSizeHint().width() < label.sizeHint().width());
        for (const bool narrow : {false, true}) {
            label.resize(narrow ? 80 : label.sizeHint().width() + 20, label.sizeHint().height());
            QCOMPARE(label.IsCut(), narrow);
            QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), label.mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(&label, &help);
            QCOMPARE(QToolTip::text(), narrow ? text : QString());
            QToolTip::hideText();
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(&label)->text(QAccessible::Name), text);
    }

    void sortingAndDeletingKeepTheRightRows() {
        QtListView view({Text("Имя")}, {Qt::AlignLeft}, false);
        const int values[] = {3, 1, 2, 5, 4};
        for (const int& value : values)
            view.AddRow(std::to_string(value), -1, {}, &value);
        view.Select(0);  // "3"
        view.Select(3);  // "5"
        int reported = 0;
        connect(&view, &QtListView::SelectionChanged, [&] { ++reported; });

        view.SortRows([](const void* left, const void* right) {
            return *static_cast<const int*>(left) - *static_cast<const int*>(right);
        });
        QCOMPARE(Captions(view), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
        QCOMPARE(view.SelectedRows(), (std::vector<std::size_t>{2, 4}));
        QCOMPARE(reported, 0);
        QCOMPARE(view.FindData(&values[1], 3), std::optional<std::size_t>(0));

        view.DeleteSelected();
        QCOMPARE(Captions(view), (std::vector<std::string>{"1", "2", "4"}));
        QCOMPARE(view.SelectedCount(), std::size_t{0});
    }

    void progressWindowShowsTheFileAndItsCancelStopsInsideIt() {
#ifdef _WIN32
        QSKIP("the cancel is injected between the blocks of the POSIX copy");
#else
        QWidget owner;
        owner.show();
        QtFileOperationProgress progress(&owner);
        AnswerQueuePrompter questions;
        PosixFileOperations service(questions, progress);
        QTemporaryDir folder;
        const std::string root = folder.path().toStdString();
        // 40 MB: the copy goes in blocks, and the cancel comes before the second one.
        const std::string source = root + "/big.bin";
        std::ofstream(source) << "head";
        std::filesystem::resize_file(source, 40 * 1024 * 1024);
        const auto checksum = [&source] {
            QFile file(QString::fromStdString(source));
            file.open(QIODevice::ReadOnly);
            return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5);
        };
        const QByteArray before = checksum();
        std::filesystem::create_directory(root + "/disk2");

        QString title;
        QString label;
        int value = -1;
        bool shown = false;
        FileOperationFaults faults;
        faults.BeforeWrite = [&](const std::string&, std::uint64_t offset) {
            if (offset > 0 && value < 0) {
                QProgressDialog* window = progress.Window();
                title = window->windowTitle();
                label = window->labelText();
                value = window->value();
                shown = window->isVisible();
                window->findChild<QPushButton*>()->click();
            }
            return 0;
        };
        service.InjectFaults(faults);

        const bool finished =
            !service
                 .Run(FileOperationKind::Copy, {FileOperationSource{source}}, root + "/disk2",
                      WorkTitle{MediumWork::Collecting, 2}, FileOperationPart{2, 4})
                 .Cancelled;

        QVERIFY(!finished);
        QVERIFY(shown);
        QCOMPARE(title, Text("Носитель №2 Сбор файлов в один каталог..."));
        // The run's progress: medium 2 of 4 has begun, so the bar stands past a quarter.
        QVERIFY(label.startsWith(Text("Носитель 2 из 4\n")));
        QVERIFY(label.endsWith(Text("big.bin")));
        QVERIFY(value > 250 && value < 500);
        QVERIFY(std::filesystem::is_empty(root + "/disk2"));
        QCOMPARE(checksum(), before);
        QVERIFY(progress.Window() == nullptr);
        QVERIFY(questions.Asked.empty());
#endif
    }
};

QTEST_MAIN(QtAdaptersTest)
#include "QtAdaptersTest.moc"
