// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/ApplicationSetup.h"
#include "app/Formvantrelmain.h"
#include "app/WindowLanguage.h"
#include "collection/Tdatamanager.h"
#include "dialogs/Formabout.h"
#include "dialogs/Formdirtoobig.h"
#include "dialogs/HelpBook.h"
#include "dialogs/HelpWindow.h"
#include "divide/Dividethread.h"
#include "platform/QtUiThread.h"
#include "tests/app/WindowHarness.h"
#include "tests/doubles/AnswerQueuePrompter.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/RecordingWinampHost.h"
#include "tests/doubles/ScriptedFileChooser.h"
#include "ui/ElidedLabel.h"
#include "ui/QtFileOperationProgress.h"
#include "ui/QtListView.h"
#include "ui/QtPrompter.h"
#include "ui/QuestionTexts.h"
#include "winamp/dialog/Formwinamppath.h"

class FormvantrelmainTest : public QObject {
    Q_OBJECT

    static QStringList Captions(const TfrmVantrelMain& window) {
        QStringList captions;
        for (const auto& row : window.lstCollection->Model().AllRows())
            captions.append(row.Caption);
        return captions;
    }
    static QString Status(const TfrmVantrelMain& window, int panel) {
        return (panel == 0 ? window.statusPanel0 : window.statusPanel1)->text();
    }
    static void SelectRows(TfrmVantrelMain& window, const std::vector<std::size_t>& rows) {
        window.lstCollection->ClearSelection();
        for (const std::size_t row : rows)
            window.lstCollection->Select(row);
    }
    // A division that has found nothing yet: the worker has an empty collection of units, and
    // its end notification waits in the event queue until the test lets events run.
    static void StartEmptyDivision(TfrmVantrelMain& window) {
        TDataManagerTestAccess::StartEmptyDivision(*window.DataManager);
    }

    // Every text a person sees or hears of the widgets shown in root and of its menus:
    // captions, titles, list items, headers and cells, tooltips, accessible names and
    // descriptions.
    static QStringList ShownTexts(QWidget* root) {
        QStringList texts{root->windowTitle()};
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* widget : widgets) {
            if (auto* menu = qobject_cast<QMenu*>(widget)) {
                texts << menu->title();
                for (const QAction* action : menu->actions())
                    texts << action->text() << action->toolTip();
            }
            if (!widget->isVisible())
                continue;
            texts << widget->toolTip() << widget->accessibleName()
                  << widget->accessibleDescription();
            if (auto* label = qobject_cast<QLabel*>(widget))
                texts << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                texts << button->text();
            if (auto* group = qobject_cast<QGroupBox*>(widget))
                texts << group->title();
            if (auto* combo = qobject_cast<QComboBox*>(widget))
                for (int i = 0; i < combo->count(); ++i)
                    texts << combo->itemText(i);
            if (auto* tabs = qobject_cast<QTabBar*>(widget))
                for (int i = 0; i < tabs->count(); ++i)
                    texts << tabs->tabText(i);
            if (auto* bar = qobject_cast<QMenuBar*>(widget))
                for (const QAction* action : bar->actions())
                    texts << action->text();
            if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
                const QAbstractItemModel* model = view->model();
                for (int column = 0; column < model->columnCount(); ++column) {
                    texts << model->headerData(column, Qt::Horizontal).toString();
                    for (int row = 0; row < model->rowCount(); ++row)
                        texts << model->index(row, column).data().toString();
                }
            }
            if (auto* browser = qobject_cast<QTextBrowser*>(widget))
                texts << browser->toPlainText();
        }
        texts.removeAll(QString());
        return texts;
    }
    static QStringList Cyrillic(const QStringList& texts) {
        static const QRegularExpression letter(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
        return texts.filter(letter);
    }
    // The mnemonic letters of the shown controls and the menu bar, as many times as they occur.
    static QStringList Mnemonics(QWidget* root) {
        QStringList letters;
        const auto add = [&letters](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at >= 0 && at + 1 < text.size())
                letters << text.mid(at + 1, 1).toLower();
        };
        for (const QAction* action : root->findChild<QMenuBar*>()->actions())
            add(action->text());
        for (QWidget* widget : root->findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                add(button->text());
            if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
                add(label->text());
        }
        return letters;
    }
    // Divides the collection and waits for the end, so the Results page lists a medium.
    static void DivideAndWait(TfrmVantrelMain& window) {
        window.btnDivide->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.dividing() && window.cmboMedia->count() > 0, 60000);
    }

private slots:
    void startsFromTheSettingsFile_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("defaultCommand");
        QTest::addColumn<bool>("autoSave");
        QTest::newRow("no file") << QString() << 0 << Text("всё из папки...") << false;
        QTest::newRow("music") << Text("CollectionType=1\nSongsAddMethod=3\nAutoSave=1\n") << 1
                               << Text("из файла плейлиста .m3u...") << true;
        QTest::newRow("out of range") << Text("CollectionType=7\nFilesAddMethod=9\n") << 0
                                      << Text("всё из папки...") << false;
        QTest::newRow("file method for music")
            << Text("CollectionType=1\nSongsAddMethod=1\n") << 1
            << PlayerNamedText("из текущего плейлиста Winamp'а") << false;
    }
    void startsFromTheSettingsFile() {
        QFETCH(QString, settings);
        Harness harness;
        if (!settings.isNull())
            harness.WriteSettings(settings.toStdString());
        TfrmVantrelMain& window = harness.Open();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), Text("Orbek Vantrel"));
        QCOMPARE(window.cmboCollectionType->currentIndex(), Fetched<int>("type"));
        QCOMPARE(window.btnAdd->toolTip(), Fetched<QString>("defaultCommand"));
        QCOMPARE(window.miFileAutosave->isChecked(), Fetched<bool>("autoSave"));
        QCOMPARE(Status(window, 0), window.Settings.CollectionType == 0 ? Text("Всего: 0 (0 Б)")
                                                                        : Text("Всего: 0 (00:00)"));
        QVERIFY(window.cmboCollectionType->isEnabled());
        QVERIFY(!window.btnDivide->isEnabled());
        QVERIFY(!window.btnDelDropDown->isEnabled());
        QVERIFY(!window.btnDel->isEnabled());
        QVERIFY(window.minimumWidth() >= window.logicalDpiX() * 3.54 + 35);
        QCOMPARE(window.pageControl->tabText(1), Text("Разбиение"));
        QCOMPARE(window.pageControl->tabText(2), Text("Результаты"));
    }

    void addCommandsAddAndAreRemembered_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("defaultCommand");
        const QStringList none;
        QTest::newRow("files") << 0 << 0 << false << QStringList{Text("a.txt"), Text("b.txt")}
                               << Text("Выберите файлы коллекции для разбиения")
                               << Text("файл(ы)...");
        QTest::newRow("folder") << 0 << 1 << false << QStringList{Text("box")}
                                << Text("Выберите папку для включения в коллекцию")
                                << Text("папку...");
        QTest::newRow("folder contents")
            << 0 << 2 << false << QStringList{Text("c.txt"), Text("d.txt")}
            << Text("Выберите папку с коллекцией") << Text("всё из папки...");
        QTest::newRow("cancelled folder")
            << 0 << 1 << true << none << Text("Выберите папку для включения в коллекцию")
            << Text("папку...");
        QTest::newRow("playlist") << 1 << 3 << false << QStringList{Text("One"), Text("Two")}
                                  << Text("Выберите список воспроизведения")
                                  << Text("из файла плейлиста .m3u...");
        QTest::newRow("winamp") << 1 << 4 << false << QStringList{Text("Три")} << QString()
                                << PlayerNamedText("из текущего плейлиста Winamp'а");
    }
    void addCommandsAddAndAreRemembered() {
        QFETCH(int, type);
        QFETCH(int, tag);
        QFETCH(bool, cancel);
        QFETCH(QString, title);
        Harness harness;
        harness.WriteSettings("CollectionType=" + std::to_string(type) + "\n");
        const std::string a = harness.File("a.txt", 10);
        const std::string b = harness.File("b.txt", 20);
        harness.File("box/c.txt", 30);
        harness.File("box/d.txt", 40);
        const std::string playlist = harness.Playlist("list.m3u", {"One", "Two"});
        harness.Playlist("WINAMP.m3u", {"Три"});
        harness.Files.Files = tag == 0 ? std::vector{b, a} : std::vector{playlist};
        if (cancel)
            harness.Files.Files.clear();
        else
            harness.Files.Folder = harness.Path("box");
        const auto startFolder = std::filesystem::current_path();
        TfrmVantrelMain& window = harness.Open();

        window.miAddClick(tag);

        QCOMPARE(Captions(window), Fetched<QStringList>("rows"));
        QCOMPARE(window.btnAdd->toolTip(), Fetched<QString>("defaultCommand"));
        QCOMPARE(type == 0 ? window.Settings.FilesAddMethod : window.Settings.SongsAddMethod, tag);
        QVERIFY(harness.Questions.Asked.empty());
        if (tag == 4) {
            QVERIFY(harness.Files.Titles.empty());
            return;
        }
        QCOMPARE(QString::fromStdString(harness.Files.Titles.at(0)), title);
        if (tag == 1 || tag == 2) {
            // The browser starts at the current folder, and the next browse where this one ended;
            // the process's current folder stays.
            QCOMPARE(harness.Files.StartFolders.at(0), Utf8Text(startFolder));
            QCOMPARE(std::filesystem::current_path(), startFolder);
        }
        // The button repeats the remembered command.
        window.btnAdd->click();
        QCOMPARE(QString::fromStdString(harness.Files.Titles.at(1)), title);
        if (tag == 1 || tag == 2) {
            QCOMPARE(harness.Files.StartFolders.at(1),
                     cancel ? Utf8Text(startFolder) : harness.Path("box"));
        }
        QCOMPARE(std::filesystem::current_path(), startFolder);
    }

    void importFromThePlayerCountsAndStops_data() {
        QTest::addColumn<int>("stop");  // 0: none, 1: Esc, 2: the Cancel button
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("whole") << 0 << QStringList{Text("Три")};
        QTest::newRow("Esc") << 1 << QStringList();
        QTest::newRow("Cancel") << 2 << QStringList();
    }
    // The import froze the window for 22 s with no count and no way out; now the status bar
    // counts the entries, and Esc or Cancel stops it with nothing imported and nothing to tell.
    void importFromThePlayerCountsAndStops() {
        QFETCH(int, stop);
        const QString cancelName = QStringLiteral("cancelPlayerExchange");
        Harness harness;
        harness.WriteSettings("CollectionType=1\n");
        harness.Playlist("WINAMP.m3u", {"Три"});
        TfrmVantrelMain& window = harness.Open();
        QString shown;
        QPushButton* cancel = nullptr;
        bool watching = false;
        harness.Player.Watch = [&] {
            if (harness.Player.Progress == nullptr)
                return;
            // A click that reached the window would start a second import inside this one.
            QVERIFY(!watching);
            watching = true;
            harness.Player.Progress->Received(1200, 5000);
            shown = window.statusPanel1->text();
            cancel = window.statusBar()->findChild<QPushButton*>(cancelName);
            QVERIFY(cancel != nullptr);
            QCOMPARE(cancel->text(), Text("Отмена"));
            // The rest of the window takes no input meanwhile.
            QTest::mouseClick(window.btnAdd, Qt::LeftButton);
            if (stop == 1)
                QTest::keyClick(&window, Qt::Key_Escape);
            else if (stop == 2)
                QTest::mouseClick(cancel, Qt::LeftButton);
        };

        window.miAddClick(AddFromWinamp);

        QCOMPARE(shown, PlayerNamedText("Получение плейлиста Winamp'а: 1200 из 5000"));
        QCOMPARE(Captions(window), Fetched<QStringList>("rows"));
        QVERIFY(harness.Questions.Asked.empty());
        QVERIFY(harness.Files.Titles.empty());
        QVERIFY(window.statusBar()->findChild<QPushButton*>(cancelName) == nullptr);
        QVERIFY(window.statusPanel1->text().isEmpty());
    }

    void droppedAndCommandLinePathsAreAdded_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("dividing");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("files") << 0 << false
                               << QStringList{Text("a.txt"), Text("list.m3u"), Text("sub")};
        QTest::newRow("music reads playlists") << 1 << false << QStringList{Text("One")};
        QTest::newRow("refused while dividing") << 0 << true << QStringList();
    }
    void droppedAndCommandLinePathsAreAdded() {
        QFETCH(int, type);
        QFETCH(bool, dividing);
        Harness harness;
        harness.WriteSettings("CollectionType=" + std::to_string(type) + "\n");
        const std::vector<std::string> paths{harness.File("a.txt", 5),
                                             harness.Playlist("list.m3u", {"One"}),
                                             harness.File("sub/x", 1)};
        const std::vector<std::string> dropped{paths[0], paths[1], harness.Path("sub")};
        TfrmVantrelMain& window = harness.Open();
        if (dividing)
            StartEmptyDivision(window);

        // A real drop event over the window, as the desktop delivers it.
        auto* mime = new QMimeData;
        QList<QUrl> urls;
        for (const std::string& path : dropped)
            urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
        mime->setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        QCOMPARE(Captions(window), Fetched<QStringList>("rows"));

        // The command line's paths take the same road, relative ones from the current folder,
        // and add nothing new.
        const auto startFolder = std::filesystem::current_path();
        std::filesystem::current_path(Utf8Path(harness.Root));
        window.AddDroppedPaths({"a.txt", "list.m3u", "sub/"});
        std::filesystem::current_path(startFolder);
        QCOMPARE(Captions(window), Fetched<QStringList>("rows"));
        delete mime;
        QTRY_VERIFY(!window.dividing());
    }

    void removingAsksBeforeDiscardingResults_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("results");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("rows");
        const QStringList all{Text("a"), Text("b"), Text("c")};
        QTest::newRow("selected, no results")
            << 0 << false << -1 << QStringList{Text("a"), Text("c")};
        QTest::newRow("all, no results") << 1 << false << -1 << QStringList();
        QTest::newRow("selected, results kept") << 0 << true << int(Answer::No) << all;
        QTest::newRow("all, results discarded") << 1 << true << int(Answer::Yes) << QStringList();
    }
    void removingAsksBeforeDiscardingResults() {
        QFETCH(bool, results);
        QFETCH(int, answer);
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.AddDroppedPaths({harness.File("a"), harness.File("b"), harness.File("c")});
        if (results)
            window.cmboMedia->addItem(Text("Носитель 1"));
        if (answer >= 0)
            harness.Questions.Reply(static_cast<Answer>(answer));
        SelectRows(window, {1});

        window.miDelClick(Fetched<int>("tag"));

        QCOMPARE(Captions(window), Fetched<QStringList>("rows"));
        QCOMPARE(harness.Questions.Asked.size(), std::size_t{results ? 1U : 0U});
        QCOMPARE(harness.Questions.Unanswered, 0);
        if (results) {
            const auto& question = harness.Questions.Asked[0];
            QCOMPARE(question.Kind, QuestionKind::DiscardResults);
            QCOMPARE(question.Default, Answer::No);
            QCOMPARE(window.cmboMedia->count(), answer == int(Answer::Yes) ? 0 : 1);
        }
        QCOMPARE(window.cmboCollectionType->isEnabled(), Captions(window).isEmpty());
    }

    void sortingByEachColumnBothWays_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("markedColumn");
        QTest::addColumn<bool>("ascending");
        QTest::newRow("name") << QList<int>{0} << QStringList{Text("A"), Text("b"), Text("C")} << 0
                              << true;
        QTest::newRow("name, reversed")
            << QList<int>{0, 0} << QStringList{Text("C"), Text("b"), Text("A")} << 0 << false;
        QTest::newRow("length, ties by name")
            << QList<int>{1} << QStringList{Text("A"), Text("C"), Text("b")} << 1 << true;
        QTest::newRow("length, reversed")
            << QList<int>{1, 1} << QStringList{Text("b"), Text("C"), Text("A")} << 1 << false;
        QTest::newRow("group, ungrouped last")
            << QList<int>{0, 2} << QStringList{Text("C"), Text("b"), Text("A")} << 2 << true;
        QTest::newRow("group, reversed")
            << QList<int>{2, 2} << QStringList{Text("A"), Text("b"), Text("C")} << 2 << false;
    }
    void sortingByEachColumnBothWays() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        // b: 5 GB in group 2; A and C: 100 MB, A without a group, C in group 1.
        const std::uintmax_t megabyte = 1024 * 1024;
        window.AddDroppedPaths({harness.File("b", 5000 * megabyte),
                                harness.File("A", 100 * megabyte),
                                harness.File("C", 100 * megabyte)});
        TDataManagerTestAccess::SetGroups(*window.DataManager, [](const TColItem& item) {
            return item.Name == "b" ? 2U : (item.Name == "C" ? 1U : 0U);
        });

        for (const int column : Fetched<QList<int>>("clicks"))
            window.lstCollectionColumnClick(column);

        QCOMPARE(Captions(window), Fetched<QStringList>("rows"));
        QHeaderView* header = window.lstCollection->header();
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), Fetched<int>("markedColumn"));
        QCOMPARE(header->sortIndicatorOrder(),
                 Fetched<bool>("ascending") ? Qt::AscendingOrder : Qt::DescendingOrder);
    }

    void groupFieldSetsGroupsAndSortsByThem() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.AddDroppedPaths({harness.File("a"), harness.File("b"), harness.File("c")});
        window.lstCollectionColumnClick(0);
        window.lstCollectionColumnClick(0);  // c, b, a
        SelectRows(window, {1, 2});          // b and a

        window.editGroup->setValue(7);

        QCOMPARE(Captions(window), (QStringList{Text("a"), Text("b"), Text("c")}));
        const auto& rows = window.lstCollection->Model().AllRows();
        QCOMPARE(rows[0].SubItems.at(1), Text("7"));
        QCOMPARE(rows[2].SubItems.at(1), Text("нет"));
        QCOMPARE(window.lstCollection->header()->sortIndicatorSection(), 2);
        QCOMPARE(window.lstCollection->SelectedCount(), std::size_t{2});
    }

    void selectionShowsInTheStatusBar_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("group");
        QTest::newRow("one") << QList<int>{1} << Text("/b") << 3;
        QTest::newRow("two") << QList<int>{0, 1} << Text("Выбрано: 2 (1.50 кБ)") << 3;
        QTest::newRow("none") << QList<int>{} << QString() << 0;
        QTest::newRow("ctrl+a") << QList<int>{-1} << Text("Выбрано: 3 (1.50 кБ)") << 0;
    }
    void selectionShowsInTheStatusBar() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.AddDroppedPaths(
            {harness.File("a", 1024), harness.File("b", 512), harness.File("c")});
        TDataManagerTestAccess::SetGroups(
            *window.DataManager, [](const TColItem& item) { return item.Name == "b" ? 3U : 0U; });
        SelectRows(window, {0});
        window.lstCollection->ClearSelection();

        const auto rows = Fetched<QList<int>>("rows");
        if (rows == QList<int>{-1}) {
            window.lstCollection->setFocus();
            QTest::keyClick(window.lstCollection, Qt::Key_A, Qt::ControlModifier);
        }
        for (const int row : rows)
            if (row >= 0)
                window.lstCollection->Select(static_cast<std::size_t>(row));

        QString status = Fetched<QString>("status");
        if (status.startsWith(QLatin1Char('/')))
            status = QString::fromStdString(harness.Path(status.mid(1).toStdString()));
        QCOMPARE(Status(window, 1), status);
        QCOMPARE(window.editGroup->value(), Fetched<int>("group"));
        QCOMPARE(window.btnDel->isEnabled(), !rows.isEmpty());
        QCOMPARE(window.editGroup->isEnabled(), !rows.isEmpty());
        QCOMPARE(Status(window, 0), Text("Всего: 3 (1.50 кБ)"));
    }

    void everyCollectionControlIsReachableAndNamed() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // What a screen reader reads: the label's text where a label names the control (Qt on
        // Linux reads a combo box's name from its label), else the control's own name.
        const auto nameOf = [](QWidget* control) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            const auto labels = accessible->relations(QAccessible::Label);
            const QString name = labels.isEmpty() ? accessible->text(QAccessible::Name)
                                                  : labels.first().first->text(QAccessible::Name);
            return QString(name).remove(QLatin1Char('&'));
        };
        // The collection type can be chosen only while the collection is empty.
        window.pageControl->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.cmboCollectionType);
        QCOMPARE(nameOf(window.cmboCollectionType), Text("Разбиваем"));

        window.AddDroppedPaths({harness.File("a")});
        window.lstCollection->Select(0);
        const std::vector<std::pair<QWidget*, QString>> controls{
            {window.lstCollection, Text("Состав сборника:")},
            {window.btnAdd, Text("Добавить... ")},
            {window.btnAddDropDown, Text("Способ добавления")},
            {window.btnDel, Text("Исключить ")},
            {window.btnDelDropDown, Text("Что исключить")},
            {window.editGroup, Text("№ группы:")}};
        window.pageControl->tabBar()->setFocus();
        const std::vector<QWidget*> reached = TabOrder(controls.size());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            QCOMPARE(reached[i], controls[i].first);
            QCOMPARE(nameOf(controls[i].first), controls[i].second);
        }
        // The buttons' mnemonics are Alt+Д and Alt+И, and nothing else on the window uses them.
        // (Qt's offscreen platform does not map Cyrillic keys to shortcuts, so they are checked
        // by their sequences rather than typed.)
        QCOMPARE(QKeySequence::mnemonic(window.btnAdd->text()),
                 QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(0x0414))));
        QCOMPARE(QKeySequence::mnemonic(window.btnDel->text()),
                 QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(0x0418))));
        for (const QAction* menu : window.menuBar()->actions())
            for (QPushButton* button : {window.btnAdd, window.btnDel})
                QVERIFY(QKeySequence::mnemonic(menu->text()) !=
                        QKeySequence::mnemonic(button->text()));
    }

    void contextMenuOffersTheDefaultCommand() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.popupMenuListViewPopup(QPoint());
        QCOMPARE(window.miAdd->text(), Text("Добавить всё из папки..."));
        QVERIFY(!window.miClear->isEnabled());
        window.popupMenuListView->hide();
    }

    void divisionProgressIsShown_data() {
        QTest::addColumn<int>("medium");
        QTest::addColumn<QString>("mediumText");
        QTest::addColumn<QString>("elementsText");
        QTest::addColumn<QString>("combinationText");
        QTest::newRow("reset") << 0 << Text("0/2") << Text("0/3") << Text("0");
        QTest::newRow("report") << -1 << Text("0/2") << Text("2/3") << Text("17");
        QTest::newRow("medium above the estimate") << 5 << Text("5/2") << Text("0/3") << Text("0");
    }
    void divisionProgressIsShown() {
        QFETCH(int, medium);
        Harness harness;
        harness.WriteSettings("DataMediumCapacity=1000\n");
        TfrmVantrelMain& window = harness.Open();
        window.AddDroppedPaths({harness.File("a", 600), harness.File("b", 600), harness.File("c")});

        window.ShowDivisionProgress(medium, 2, 17, 3);

        QCOMPARE(window.progressBar->maximum(), 2);
        QCOMPARE(window.lblCurMedium->text(), Fetched<QString>("mediumText"));
        QCOMPARE(window.lblCurMediumElements->text(), Fetched<QString>("elementsText"));
        QCOMPARE(window.lblCurCombination->text(), Fetched<QString>("combinationText"));
    }

    void unavailableResultsActionFallsBackToTheTextList() {
        Harness harness;
        harness.WriteSettings("CollectionType=1\n");
        TfrmVantrelMain& window = harness.Open();
        window.radioResultsSavePlaylist->setChecked(true);
        window.cmboCollectionType->setCurrentIndex(0);
        window.cmboCollectionTypeSelect();
        QVERIFY(window.radioResultsSaveTextlist->isChecked());
        QVERIFY(!window.btnSendMediumToWinamp->isVisibleTo(&window));
    }

    // The window finds the help pages copied beside the program in the build tree.
    void helpOpensTheTopicOfThePage_data() {
        QTest::addColumn<int>("page");  // -1: the Help menu's contents
        QTest::addColumn<QString>("topic");
        QTest::newRow("F1 on the Collection page") << 0 << Text("T_Collection.html");
        QTest::newRow("F1 on the Division page") << 1 << Text("T_Divide.html");
        QTest::newRow("F1 on the Results page") << 2 << Text("T_Result.html");
        QTest::newRow("Справка...") << -1 << Text("Property.html");
    }
    void helpOpensTheTopicOfThePage() {
        QFETCH(int, page);
        QFETCH(QString, topic);
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (page >= 0) {
            window.pageControl->setCurrentIndex(page);
            QTest::keyClick(&window, Qt::Key_F1);
        } else {
            window.miHelpContents->trigger();
        }
        const HelpWindow* help = window.Help->Window();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        QCOMPARE(QFileInfo(help->browser->source().toLocalFile()).fileName(), topic);
        QVERIFY(harness.Questions.Asked.empty());
    }

    // Qt's own dialogs spoke English in the Russian window, and a display name made Qt add the
    // program's name to titles that carry it already ("Vantrel - Предупреждение — Vantrel").
    void applicationSpeaksRussianAndNamesItselfOnce() {
        SetUpApplication();
        UseLanguage(TextLanguage::Russian);
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), Text("Отмена"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), Text("Перейти к:"));
        QCOMPARE(QApplication::applicationName(), Text("Vantrel"));
        // With no display name fixed, Qt's display name follows the name and adds nothing.
        QApplication::setApplicationName(QStringLiteral("probe"));
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("probe"));
        QApplication::setApplicationName(Text("Vantrel"));
    }

    // At the window's smallest size the status texts were cut with no way to read them whole.
    void statusPanelsShowLongTextsWhole() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        for (QLabel* panel : {window.statusPanel0, window.statusPanel1})
            QVERIFY(qobject_cast<ElidedLabel*>(panel) != nullptr);
    }

    // At the smallest size the "Группа" caption was clipped by its sort mark, and a medium's
    // list showed only four or five rows.
    void smallestWindowKeepsCaptionsAndRowsReadable() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.lstCollectionColumnClick(2);
        QHeaderView* header = window.lstCollection->header();
        for (int column : {1, 2})
            QVERIFY(header->sectionSize(column) >= header->sectionSizeHint(column));
        for (int row = 0; row < 10; ++row)
            window.lstMedium->AddRow("row" + std::to_string(row), -1, {"1 Б"}, nullptr);
        window.pageControl->setCurrentWidget(window.tabSheetResults);
        QTest::qWait(50);
        window.resize(window.minimumSize());
        QTRY_COMPARE(window.size(), window.minimumSize());
        const QRect seventh = window.lstMedium->visualRect(window.lstMedium->Model().index(6, 0));
        QVERIFY(seventh.bottom() <= window.lstMedium->viewport()->height());
    }

    void aboutBoxIsModalAndGoesWhenClosed() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.miHelpAbout->trigger();
        auto* about = window.findChild<TfrmAbout*>();
        QVERIFY(about != nullptr);
        QVERIFY(about->isVisible());
        QVERIFY(about->isModal());
        about->btnOk->click();
        QTRY_VERIFY(window.findChild<TfrmAbout*>() == nullptr);
    }

    void closingIsRefusedWhileDividing() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        StartEmptyDivision(window);

        QVERIFY(!window.close());
        QCOMPARE(harness.Questions.Asked.size(), std::size_t{1});
        QCOMPARE(harness.Questions.Asked[0].Kind, QuestionKind::StopBeforeExit);

        QTRY_VERIFY(!window.dividing());
        QVERIFY(window.close());
    }

    void settingsSurviveARestart_data() {
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("saveCommand");
        QTest::addColumn<int>("typeAfter");
        QTest::newRow("autosave") << true << false << 1;
        QTest::newRow("saved by command") << false << true << 1;
        QTest::newRow("neither") << false << false << 0;
    }
    void settingsSurviveARestart() {
        QFETCH(bool, autoSave);
        Harness harness;
        {
            TfrmVantrelMain& window = harness.Open();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            if (autoSave)
                window.miFileAutosave->trigger();
            window.cmboCollectionType->setCurrentIndex(1);
            window.cmboCollectionTypeSelect();
            if (Fetched<bool>("saveCommand"))
                QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
            harness.Window.reset();
        }
        TfrmVantrelMain& window = harness.Open();
        QCOMPARE(window.cmboCollectionType->currentIndex(), Fetched<int>("typeAfter"));
        QCOMPARE(window.miFileAutosave->isChecked(), autoSave);
    }

    // A text left out of the translation (or a value text of the core left Russian) showed
    // Cyrillic in the English window; a later English window kept Qt's Russian buttons.
    void englishWindowShowsNoCyrillic() {
        Harness harness("Language=en\n");
        TfrmVantrelMain& window = harness.Open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto expectEnglish = [](QWidget* root, const char* where) {
            const QStringList found = Cyrillic(ShownTexts(root));
            QVERIFY2(found.isEmpty(), qPrintable(QString::fromUtf8(where) + QStringLiteral(": ") +
                                                 found.join(QStringLiteral(" | "))));
        };
        window.pageControl->setCurrentIndex(1);
        QTest::keyClick(&window, Qt::Key_F1);
        HelpWindow* help = window.Help->Window();
        QVERIFY(help != nullptr);
        QVERIFY(
            help->browser->source().toLocalFile().endsWith(QStringLiteral("/en/T_Divide.html")));
        expectEnglish(help, "help window");
        help->close();

        // Music first: the kind can change only while the collection is empty.
        window.cmboCollectionType->setCurrentIndex(MusicTracks);
        window.cmboCollectionTypeSelect();
        for (int page = 0; page < 3; ++page) {
            window.pageControl->setCurrentIndex(page);
            expectEnglish(&window, "music page");
        }
        window.cmboCollectionType->setCurrentIndex(FilesAndFolders);
        window.cmboCollectionTypeSelect();
        window.AddDroppedPaths({harness.File("a.txt", 1536), harness.File("b.txt", 3)});
        window.lstCollection->Select(0);
        window.editGroup->setValue(1);
        DivideAndWait(window);
        for (int page = 0; page < 3; ++page) {
            window.pageControl->setCurrentIndex(page);
            expectEnglish(&window, "files page");
        }

        // The progress window's title was left Russian when the window spoke English.
        window.FileProgress->Started({MediumWork::Collecting, 2}, 10, 1, 2);
        window.FileProgress->Advanced(1, harness.Path("a.txt"));
        expectEnglish(window.FileProgress->Window(), "progress window");
        QCOMPARE(window.FileProgress->Window()->windowTitle(),
                 Text("Medium #2 Gathering the files into one folder..."));
        window.FileProgress->Finished();
        TfrmAbout about(AboutDetails::FromBuild(), *window.Links, &window);
        about.show();
        expectEnglish(&about, "About box");
        TdlgDirTooBig tooBig(&window);
        tooBig.show();
        expectEnglish(&tooBig, "oversized-folder dialog");
        TdlgWinampPath playerFolder(&window, harness.Questions, {});
        playerFolder.show();
        expectEnglish(&playerFolder, "player's folder dialog");
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));

        // Every question kind as the window shows it (caption, text, every button), then every
        // failure reason; HelpPageMissing is the last kind.
        QtPrompter prompter(&window);
        for (int kind = 0; kind <= int(QuestionKind::HelpPageMissing); ++kind) {
            Question question(static_cast<QuestionKind>(kind), "/a.txt", "Winamp");
            question.Paths = {"/a.txt"};
            question.Answers = {Answer::Ok,     Answer::Yes,     Answer::No,
                                Answer::Cancel, Answer::NoToAll, Answer::YesToAll};
            QTimer::singleShot(0, [&] {
                QWidget* box = QApplication::activeModalWidget();
                QVERIFY(box != nullptr);
                expectEnglish(box, qPrintable(QStringLiteral("question %1").arg(kind)));
                QVERIFY2(Cyrillic({box->windowTitle()}).isEmpty(), qPrintable(box->windowTitle()));
                box->close();
            });
            prompter.Ask(question);
        }
        for (int reason = 1; reason <= int(FailureReason::ImageIncomplete); ++reason) {
            const QString text = FailureText({static_cast<FailureReason>(reason), {}});
            QVERIFY2(!text.isEmpty() && Cyrillic({text}).isEmpty(), qPrintable(text));
        }
    }

    // The English translation leaked into a Russian window opened after it, or a Russian
    // locale or the setting "ru" did not give the window's Russian texts; "auto" ignored the
    // locale.
    void russianWindowKeepsItsRussianTexts_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<bool>("russian");
        QTest::newRow("C locale") << QString() << QByteArray("C") << true;
        QTest::newRow("Russian locale") << QString() << QByteArray("ru_RU.UTF-8") << true;
        QTest::newRow("setting ru") << Text("Language=ru\n") << QByteArray("en_US.UTF-8") << true;
        QTest::newRow("English locale") << QString() << QByteArray("en_US.UTF-8") << false;
    }
    void russianWindowKeepsItsRussianTexts() {
        QFETCH(QString, settings);
        QFETCH(QByteArray, locale);
        QFETCH(bool, russian);
        const QByteArray before = qgetenv("LC_MESSAGES");
        qputenv("LC_MESSAGES", locale);
        Harness harness(settings.toStdString());
        TfrmVantrelMain& window = harness.Open();
        qputenv("LC_MESSAGES", before);
        window.AddDroppedPaths({harness.File("a.txt", 1536)});
        const QStringList texts = ShownTexts(&window);
        const char* const originals[] = {
            "Коллекция", "Разбиение",     "Результаты",         "&Файл",
            "Разбиваем", "&Добавить... ", "Всего: 1 (1.50 кБ)", "нет"};
        for (const char* text : originals)
            QCOMPARE(texts.contains(Text(text)), russian);
        QCOMPARE(Cyrillic(texts).isEmpty(), !russian);
    }

    // Two controls of one page shared a mnemonic, so Alt and the letter reached only one of them.
    void mnemonicsAreUniquePerPage_data() {
        QTest::addColumn<QString>("settings");
        QTest::newRow("Russian") << QString();
        QTest::newRow("English") << Text("Language=en\n");
    }
    void mnemonicsAreUniquePerPage() {
        QFETCH(QString, settings);
        for (const int kind : {FilesAndFolders, MusicTracks}) {
            Harness harness(settings.toStdString() + "CollectionType=" + std::to_string(kind) +
                            "\n");
            TfrmVantrelMain& window = harness.Open();
            for (int page = 0; page < 3; ++page) {
                window.pageControl->setCurrentIndex(page);
                const QStringList letters = Mnemonics(&window);
                QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
            }
            // The add menu's entries and the help menu each have a letter of their own.
            QStringList entries;
            for (const QAction* command : window.popupMenuAdd->actions())
                entries << QKeySequence::mnemonic(command->text()).toString();
            QVERIFY(!entries.contains(QString()));
            QCOMPARE(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
            QVERIFY(!QKeySequence::mnemonic(window.menuBar()->actions().last()->text()).isEmpty());
        }
    }
};

QTEST_MAIN(FormvantrelmainTest)
#include "FormvantrelmainTest.moc"
