// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include "collection/Tdatamanager.h"
#include "dialogs/TellingUrlOpener.h"
#include "tests/app/WindowHarness.h"
#include "tests/doubles/DataManagerTestAccess.h"
#include "tests/doubles/RecordingUrlOpener.h"
#include "ui/BalloonTip.h"
#include "ui/QtFileOperationProgress.h"
#include "ui/QtListView.h"

namespace fs = std::filesystem;

namespace {

// A path below root, relative to it and written with "/".
QString Relative(const fs::path& path, const std::string& root) {
    return QDir::fromNativeSeparators(
        QString::fromStdString(Utf8Text(fs::relative(path, Utf8Path(root)))));
}

// Every file and folder under root, relative to it, folders marked with a trailing "/".
QStringList Tree(const std::string& root) {
    QStringList entries;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(Utf8Path(root), error)) {
        QString name = Relative(entry.path(), root);
        if (entry.is_directory())
            name += QLatin1Char('/');
        entries.append(name);
    }
    entries.sort();
    return entries;
}

// The checksum of every regular file under root, by its name relative to root.
std::map<std::string, QByteArray> Checksums(const std::string& root) {
    std::map<std::string, QByteArray> sums;
    for (const auto& entry : fs::recursive_directory_iterator(Utf8Path(root))) {
        if (!entry.is_regular_file())
            continue;
        QFile file(QString::fromStdString(Utf8Text(entry.path())));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QCryptographicHash hash(QCryptographicHash::Md5);
        hash.addData(&file);
        sums[Relative(entry.path(), root).toStdString()] = hash.result();
    }
    return sums;
}

// A file of the given size whose first and last bytes are random and whose middle is a hole,
// so that big files cost no disk until they are copied.
void SparseFile(const std::string& path, std::uintmax_t size, std::mt19937& random) {
    fs::create_directories(Utf8Path(path).parent_path());
    std::string head(4096, '\0');
    for (char& byte : head)
        byte = static_cast<char>(random());
    {
        std::ofstream out(Utf8Path(path), std::ios::binary);
        out.write(head.data(), static_cast<std::streamsize>(std::min<std::uintmax_t>(size, 4096)));
    }
    fs::resize_file(Utf8Path(path), size);
    if (size > 2 * head.size()) {
        std::fstream out(Utf8Path(path), std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(size - head.size()));
        out.write(head.data(), static_cast<std::streamsize>(head.size()));
    }
}

constexpr std::uintmax_t MB = 1024 * 1024;

}  // namespace

class FormvantrelmainResultsTest : public QObject {
    Q_OBJECT

    // Adds the named files of root/src and makes media of them, delivered to the window the way
    // a division delivers them.
    static void MakeMedia(Harness& harness, const std::vector<std::vector<std::string>>& media) {
        TfrmVantrelMain& window = *harness.Window;
        std::vector<std::string> paths;
        for (const auto& medium : media)
            for (const auto& name : medium)
                paths.push_back(harness.File("src/" + name, 3));
        window.AddDroppedPaths(paths);
        TDataManager& manager = *window.DataManager;
        for (const auto& medium : media) {
            TDataManagerTestAccess::Media(manager).emplace_back();
            for (const auto& name : medium)
                for (auto it = manager.GetItems().cbegin(); it != manager.GetItems().cend(); ++it)
                    if (it->Name == name)
                        TDataManagerTestAccess::Media(manager).back().push_back(it);
            window.addResultMedium();
        }
    }
    static QRadioButton* Action(TfrmVantrelMain& window, int tag) {
        QRadioButton* const actions[] = {
            window.radioResultsSaveTextlist, window.radioResultsSavePlaylist,
            window.radioResultsMoveToFolder, window.radioResultsCopyToFolder,
            window.radioResultsMakeImage};
        return actions[tag];
    }
    static QImage Glyph(const TfrmVantrelMain& window) {
        return window.btnProcessResults->icon().pixmap(16).toImage();
    }
    // Lets the running division go on until it has ended and the window has taken note.
    static void FinishDivision(TfrmVantrelMain& window) {
        QTRY_VERIFY_WITH_TIMEOUT(!window.dividing(), 60000);
    }

private slots:
    void mediaAreListedAsTheyArrive() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        MakeMedia(harness, {{"b", "a"}});

        // The first medium selects itself and shows its items by name.
        QCOMPARE(window.cmboMedia->currentText(), Text("Носитель 1"));
        QVERIFY(window.cmboMedia->isEnabled());
        QVERIFY(window.btnProcessResults->isEnabled());
        QVERIFY(!window.radioResultsAllMedia->isEnabled());
        QCOMPARE(window.lstMedium->Model().AllRows().at(0).Caption, Text("a"));
        QCOMPARE(window.lblMediumInfo->text(), Text("Всего: 2 (6 Б)"));

        // Later media only add entries; the user's choice stays.
        MakeMedia(harness, {{"c"}});
        window.cmboMedia->setCurrentIndex(1);
        window.cmboMediaSelect();
        MakeMedia(harness, {{"d"}});
        QCOMPARE(window.cmboMedia->count(), 3);
        QCOMPARE(window.cmboMedia->itemText(2), Text("Носитель 3"));
        QCOMPARE(window.cmboMedia->currentIndex(), 1);
        QCOMPARE(window.lblMediumInfo->text(), Text("Всего: 1 (3 Б)"));
    }

    void processingWritesTheFilesOfTheChosenMedia_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("allMedia");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("leftInSource");
        const QStringList everything{Text("a"), Text("b"), Text("c"), Text("d"), Text("e")};
        QTest::newRow("text list, selected")
            << 0 << false << QStringList{Text("vol2.txt")} << everything;
        QTest::newRow("text list, all")
            << 0 << true << QStringList{Text("vol1.txt"), Text("vol2.txt"), Text("vol3.txt")}
            << everything;
        QTest::newRow("playlist, selected")
            << 1 << false << QStringList{Text("vol2.m3u")} << everything;
        QTest::newRow("playlist, all")
            << 1 << true << QStringList{Text("vol1.m3u"), Text("vol2.m3u"), Text("vol3.m3u")}
            << everything;
        QTest::newRow("move, selected") << 2 << false << QStringList{Text("vol2/"), Text("vol2/c")}
                                        << QStringList{Text("a"), Text("b"), Text("d"), Text("e")};
        QTest::newRow("move, all")
            << 2 << true
            << QStringList{Text("vol1/"),  Text("vol1/a"), Text("vol1/b"), Text("vol2/"),
                           Text("vol2/c"), Text("vol3/"),  Text("vol3/d"), Text("vol3/e")}
            << QStringList();
        QTest::newRow("copy, selected")
            << 3 << false << QStringList{Text("vol2/"), Text("vol2/c")} << everything;
        QTest::newRow("copy, all")
            << 3 << true
            << QStringList{Text("vol1/"),  Text("vol1/a"), Text("vol1/b"), Text("vol2/"),
                           Text("vol2/c"), Text("vol3/"),  Text("vol3/d"), Text("vol3/e")}
            << everything;
        QTest::newRow("images, all")
            << 4 << true << QStringList{Text("vol1.iso"), Text("vol2.iso"), Text("vol3.iso")}
            << everything;
    }
    void processingWritesTheFilesOfTheChosenMedia() {
        QFETCH(int, action);
        QFETCH(bool, allMedia);
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        MakeMedia(harness, {{"a", "b"}, {"c"}, {"d", "e"}});
        window.cmboMedia->setCurrentIndex(1);
        window.cmboMediaSelect();
        window.radioResultsAllMedia->setEnabled(true);
        (allMedia ? window.radioResultsAllMedia : window.radioResultsSelectedMedium)
            ->setChecked(true);
        Action(window, action)->setChecked(true);
        // The base folder does not exist yet; the name is typed and not left before the click.
        const std::string base = harness.Path("out/Мои диски");
        window.editResultsBaseDir->setText(QString::fromStdString(base));
        window.editResultsMediumName->setText(Text("vol"));
        auto* links = new RecordingUrlOpener;
        window.Links.reset(links);

        window.btnProcessResults->click();

        QCOMPARE(Tree(base), Fetched<QStringList>("written"));
        QCOMPARE(Tree(harness.Path("src")), Fetched<QStringList>("leftInSource"));
        QVERIFY(harness.Questions.Asked.empty());
        QCOMPARE(window.Settings.MediumName, std::string("vol"));
        const char* const done[] = {
            "Списки записаны для носителей: ", "Плейлисты записаны для носителей: ",
            "Перемещены элементы носителей: ", "Скопированы элементы носителей: ",
            "Образы записаны для носителей: "};
        QCOMPARE(window.statusPanel1->text(),
                 Text(done[action]) + (allMedia ? Text("3") : Text("1")) + Text(", в каталоге ") +
                     QString::fromStdString(WithTrailingDelimiter(base)));
        QVERIFY(window.btnOpenResultsBaseDir->isVisibleTo(&window));
        window.btnOpenResultsBaseDir->click();
        QCOMPARE(links->Opened,
                 std::vector<std::string>{
                     QUrl::fromLocalFile(QString::fromStdString(WithTrailingDelimiter(base)))
                         .toString()
                         .toStdString()});
    }

    // The status bar said "Скопированы элементы носителей: 3" although a medium failed, a Cancel
    // went on with the next media, and a Cancel was counted as a failure.
    void theStatusBarSaysWhatFailedAndThatTheRunWasStopped_data() {
        QTest::addColumn<QList<int>>("answers");  // to the questions about disk2
        QTest::addColumn<QString>("report");
        QTest::newRow("skipped") << QList<int>{int(Answer::Ok)}
                                 << Text("Скопированы элементы носителей: 2 из 3; не удалось: 1");
        QTest::newRow("cancelled") << QList<int>{int(Answer::Yes), int(Answer::Cancel)}
                                   << Text("Скопированы элементы носителей: 1 из 3; прервано");
    }
    void theStatusBarSaysWhatFailedAndThatTheRunWasStopped() {
        QFETCH(QList<int>, answers);
        QFETCH(QString, report);
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        MakeMedia(harness, {{"a"}, {"c"}, {"d"}});
        window.radioResultsAllMedia->setEnabled(true);
        window.radioResultsAllMedia->setChecked(true);
        window.radioResultsCopyToFolder->setChecked(true);
        const std::string base = harness.Path("out");
        window.editResultsBaseDir->setText(QString::fromStdString(base));
        if (answers.size() == 1) {
            harness.File("out/disk2");  // a file where the medium folder should be
        } else {
            harness.File("out/disk2/c");  // "not empty": go on; the clash: cancel
        }
        for (const int answer : answers)
            harness.Questions.Reply(static_cast<Answer>(answer));

        window.btnProcessResults->click();

        QCOMPARE(window.statusPanel1->text().left(report.size() + 13),
                 report + Text(", в каталоге "));
        QVERIFY(fs::exists(Utf8Path(harness.Path("out/disk1/a"))));
    }

    void processingStopsWhenTheBaseFolderCannotBeMade() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        MakeMedia(harness, {{"a"}});
        harness.File("blocker");
        window.editResultsBaseDir->setText(QString::fromStdString(harness.Path("blocker/x")));
        window.radioResultsSaveTextlist->setChecked(true);
        // An earlier run's report stayed beside the failure.
        window.setStatusText(1, Text("Списки записаны для носителей: 1, в каталоге /a/"));
        window.btnOpenResultsBaseDir->show();

        window.btnProcessResults->click();

        QVERIFY(window.statusPanel1->text().isEmpty());

        QCOMPARE(harness.Questions.Asked.size(), std::size_t{1});
        QCOMPARE(harness.Questions.Asked[0].Kind, QuestionKind::BaseFolderMissing);
        QVERIFY(!window.btnOpenResultsBaseDir->isVisibleTo(&window));
    }

    // A results folder or About-box link that no program opened went without a sign.
    void linksThatNoProgramOpensAreTold() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        QVERIFY(dynamic_cast<TellingUrlOpener*>(window.Links.get()) != nullptr);
    }

    void editsRefuseForbiddenCharacters_data() {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // null: refused
        QTest::newRow("folder with Cyrillic and spaces")
            << true << NativePathText("/media/Мои диски/CDRs")
            << NativePathText("/media/Мои диски/CDRs/");
        QTest::newRow("doubled delimiters")
            << true << NativePathText("//srv//share/") << NativePathText("//srv//share/");
        QTest::newRow("empty folder is the root") << true << QString() << NativePathText("/");
        QTest::newRow("colon") << true << NativePathText("/a:b") << QString();
#ifdef _WIN32
        // The colon of the drive belongs in the text; one after it, or a slash, does not.
        QTest::newRow("drive letter") << true << Text("C:\\CDRs") << Text("C:\\CDRs\\");
        QTest::newRow("colon after the drive") << true << Text("C:\\a:b") << QString();
        QTest::newRow("slash") << true << Text("C:/CDRs") << QString();
#else
        QTest::newRow("drive letter") << true << Text("C:/CDRs") << QString();
        QTest::newRow("backslash") << true << Text("/a\\b") << QString();
#endif
        QTest::newRow("asterisk") << true << NativePathText("/a*") << QString();
        QTest::newRow("question mark") << true << NativePathText("/a?") << QString();
        QTest::newRow("quote") << true << NativePathText("/\"a\"") << QString();
        QTest::newRow("angle brackets") << true << NativePathText("/<a>") << QString();
        QTest::newRow("bar") << true << NativePathText("/a|b") << QString();
        QTest::newRow("name") << false << Text("Том 1") << Text("Том 1");
        QTest::newRow("empty name") << false << QString() << QString(Text(""));
        QTest::newRow("name with a question mark") << false << Text("disk?") << QString();
        QTest::newRow("name with a delimiter") << false << Text("a/b") << QString();
    }
    void editsRefuseForbiddenCharacters() {
        QFETCH(bool, folder);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.pageControl->setCurrentWidget(window.tabSheetResults);
        QLineEdit* edit = folder ? window.editResultsBaseDir : window.editResultsMediumName;
        std::string& setting = folder ? window.Settings.ResultsBaseDir : window.Settings.MediumName;
        const std::string before = setting;

        // The user types and leaves the edit for the next control.
        edit->setFocus();
        edit->setText(typed);
        window.radioResultsSaveTextlist->setFocus();

        if (!stored.isNull()) {
            QCOMPARE(QString::fromStdString(setting), stored);
            QVERIFY(!window.balloonTip->isVisible());
            return;
        }
        QCOMPARE(setting, before);
        QVERIFY(window.balloonTip->isVisible());
        QCOMPARE(window.balloonTip->Title(), Text("Ошибка"));
        QCOMPARE(window.balloonTip->Text(),
                 Text("Имя файла не может содержать\nсимволы   \\ / : * ? \" < > |"));
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->text(), typed);
        // A refused text is not processed: the note comes again and nothing is written.
        MakeMedia(harness, {{"a"}});
        window.editResultsBaseDir->setText(folder ? typed
                                                  : QString::fromStdString(harness.Path("out")));
        window.balloonTip->hide();
        window.btnProcessResults->click();
        QVERIFY(window.balloonTip->isVisible());
        QVERIFY(!fs::exists(Utf8Path(harness.Path("out"))));
    }

    void browsedFolderBecomesTheBaseFolder_data() {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void browsedFolderBecomesTheBaseFolder() {
        QFETCH(bool, chosen);
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        const std::string before = window.Settings.ResultsBaseDir;
        if (chosen)
            harness.Files.Folder = harness.Path("a:b");

        window.btnResultsBaseDir->click();

        QCOMPARE(harness.Files.Titles.at(0),
                 std::string("Выберите папку, в которой будут собраны результаты разбиения"));
        QCOMPARE(harness.Files.StartFolders.at(0), before);
        const std::string expected = chosen ? harness.Path("a:b/") : before;
        QCOMPARE(window.Settings.ResultsBaseDir, expected);
        QCOMPARE(window.editResultsBaseDir->text(), QString::fromStdString(expected));
    }

    void checkedActionFollowsTheCollection_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("checked");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("after");
        QTest::newRow("music to files, playlist") << 1 << 1 << Text("to files") << 0;
        QTest::newRow("music to files, text list") << 1 << 0 << Text("to files") << 0;
        QTest::newRow("audio-disc track, move") << 0 << 2 << Text("track") << 0;
        QTest::newRow("audio-disc track, copy") << 0 << 3 << Text("track") << 0;
        QTest::newRow("files added, copy") << 0 << 3 << Text("file") << 3;
    }
    void checkedActionFollowsTheCollection() {
        QFETCH(int, type);
        QFETCH(QString, change);
        Harness harness;
        harness.WriteSettings("CollectionType=" + std::to_string(type) + "\n");
        TfrmVantrelMain& window = harness.Open();
        // The default action of each type, with its glyph.
        QVERIFY(Action(window, type == 0 ? 2 : 1)->isChecked());
        std::vector<QImage> glyphs;
        for (int tag = 0; tag < 4; ++tag) {
            Action(window, tag)->setChecked(true);
            glyphs.push_back(Glyph(window));
        }
        QCOMPARE(std::set<qint64>({glyphs[0].cacheKey(), glyphs[1].cacheKey(), glyphs[2].cacheKey(),
                                   glyphs[3].cacheKey()})
                     .size(),
                 std::size_t{4});
        Action(window, Fetched<int>("checked"))->setChecked(true);

        if (change == Text("to files")) {
            window.cmboCollectionType->setCurrentIndex(0);
            window.cmboCollectionTypeSelect();
        } else {
            window.AddDroppedPaths({harness.File("x.wav", 1)});
            TDataManagerTestAccess::ItemsAreFiles(*window.DataManager) = change != Text("track");
            window.collectionChanged();
        }

        const int after = Fetched<int>("after");
        QVERIFY(Action(window, after)->isChecked());
        QCOMPARE(Glyph(window), glyphs[static_cast<std::size_t>(after)]);
    }

    void everyResultsControlIsReachableAndNamed() {
        Harness harness;
        harness.WriteSettings("CollectionType=1\n");
        TfrmVantrelMain& window = harness.Open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.pageControl->setCurrentWidget(window.tabSheetResults);
        MakeMedia(harness, {{"a"}});
        window.lstMedium->Select(0);
#ifdef _WIN32
        // Windows reads a list's name, then its chosen entry as its value.
        const QString mediaName = Text("Носитель");
#else
        // Linux reads a list's chosen entry as its name.
        const QString mediaName = Text("Носитель 1");
#endif
        QCOMPARE(QAccessible::queryAccessibleInterface(window.cmboMedia)->text(QAccessible::Value),
                 Text("Носитель 1"));
        const std::vector<std::pair<QWidget*, QString>> controls{
            {window.cmboMedia, mediaName},
            {window.lstMedium, Text("Состав")},
            {window.btnSendMediumToWinamp, PlayerNamedText("Передать список в Winamp")},
            {window.editResultsBaseDir, Text("В каталоге")},
            {window.btnResultsBaseDir, Text("Выбрать каталог")},
            // The actions are one group: Tab enters it, the arrow keys move within it.
            {window.radioResultsSaveTextlist, Text("создать список(ки) элементов «имя№.txt»")},
            {window.chkResultsChecksums,
             Text("записать контрольные суммы «имя№.sha256» при копировании")},
            {window.editResultsMediumName, Text("где имя =")},
            {window.radioResultsSelectedMedium, Text("выбранного носителя")},
            {window.btnProcessResults, Text("Выполнить")}};
        window.pageControl->tabBar()->setFocus();
        const std::vector<QWidget*> reached = TabOrder(controls.size());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const auto& [control, name] = controls[i];
            QCOMPARE(reached[i], control);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QCOMPARE(accessible->text(QAccessible::Name).remove(QLatin1Char('&')), name);
        }
    }

    // A control of the page without its Alt-letter, or a letter that reached another control or
    // a label that did not lead to its field. The English letters are typed; the Russian ones,
    // which the offscreen platform does not type, are looked up.
    void everyResultsControlAnswersItsAltLetter_data() {
        QTest::addColumn<QString>("settings");
        QTest::newRow("Russian") << QString();
        QTest::newRow("English") << Text("Language=en\n");
    }
    void everyResultsControlAnswersItsAltLetter() {
        QFETCH(QString, settings);
        Harness harness(settings.toStdString());
        TfrmVantrelMain& window = harness.Open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        MakeMedia(harness, {{"a"}});
        window.radioResultsAllMedia->setEnabled(true);
        window.editResultsBaseDir->setText(QString::fromStdString(harness.Path("out")));
        window.pageControl->setCurrentWidget(window.tabSheetResults);
        const auto labelOf = [&window](const QWidget* field) -> QWidget* {
            for (QLabel* label : window.tabSheetResults->findChildren<QLabel*>())
                if (label->buddy() == field)
                    return label;
            return nullptr;
        };
        QWidget* const baseDirLabel = labelOf(window.editResultsBaseDir);
        QWidget* const nameLabel = labelOf(window.editResultsMediumName);
        QVERIFY(baseDirLabel != nullptr && nameLabel != nullptr);
        // What carries the letter, and its English key: a label's field takes the focus, a
        // choice is checked and the button clicked.
        const std::vector<std::pair<QWidget*, Qt::Key>> controls{
            {baseDirLabel, Qt::Key_D},
            {window.radioResultsSaveTextlist, Qt::Key_L},
            {window.radioResultsMoveToFolder, Qt::Key_M},
            {window.radioResultsCopyToFolder, Qt::Key_Y},
            {nameLabel, Qt::Key_N},
            {window.radioResultsMakeImage, Qt::Key_I},
            {window.radioResultsAllMedia, Qt::Key_E},
            {window.radioResultsSelectedMedium, Qt::Key_S},
            {window.btnProcessResults, Qt::Key_R}};
        const bool english = !settings.isEmpty();
        QSignalSpy run(window.btnProcessResults, &QPushButton::clicked);
        for (const auto& [carrier, key] : controls) {
            auto* label = qobject_cast<QLabel*>(carrier);
            auto* button = qobject_cast<QAbstractButton*>(carrier);
            const QString text = label ? label->text() : button->text();
            QVERIFY2(!QKeySequence::mnemonic(text).isEmpty(), qPrintable(text));
            if (!english)
                continue;
            QTest::keyClick(&window, key, Qt::AltModifier);
            if (label)
                QCOMPARE(QApplication::focusWidget(), label->buddy());
            else if (button->isCheckable())
                QTRY_VERIFY(button->isChecked());
            else
                QTRY_COMPARE(run.count(), 1);
        }
        // The playlist choice is offered for music only: its letter is there all the same.
        QVERIFY(!QKeySequence::mnemonic(window.radioResultsSavePlaylist->text()).isEmpty());
    }

    // Ctrl+Tab did not change the page while the medium list had the focus.
    void ctrlTabTurnsThePageFromTheMediumList() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        MakeMedia(harness, {{"a"}});
        window.pageControl->setCurrentWidget(window.tabSheetResults);
        window.lstMedium->setFocus();
        QCOMPARE(QApplication::focusWidget(), window.lstMedium);
        QTest::keyClick(window.lstMedium, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(window.pageControl->currentWidget(), window.tabSheetCollection);
        window.pageControl->setCurrentWidget(window.tabSheetResults);
        window.lstMedium->setFocus();
        QTest::keyClick(window.lstMedium, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(window.pageControl->currentWidget(), window.tabSheetDivision);
    }

    // The first progress window of a run opened at the screen's corner, away from the window.
    void theProgressWindowOpensOverTheWindow() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        // Wider than the progress window whatever the platform's fonts make of either.
        window.setGeometry(40, 40, 700, 600);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const std::size_t part : {1U, 2U}) {
            window.FileProgress->Started({MediumWork::Collecting, part}, 10, part, 2);
            QProgressDialog* progress = window.FileProgress->Window();
            QVERIFY(QTest::qWaitForWindowExposed(progress));
            QVERIFY(window.frameGeometry().contains(progress->frameGeometry()));
            QVERIFY((window.frameGeometry().center() - progress->frameGeometry().center())
                        .manhattanLength() < 20);
            window.FileProgress->Finished();
        }
    }

    // The window used to freeze without a sign while it waited for the player.
    void theWindowShowsThatItWaitsForThePlayer() {
        Harness harness;
        harness.WriteSettings("CollectionType=1\n");
        harness.Playlist("WINAMP.m3u", {"Три"});
        TfrmVantrelMain& window = harness.Open();
        MakeMedia(harness, {{"a"}});
        QStringList seen;
        harness.Player.Watch = [&window, &seen] {
            seen.append(window.statusPanel1->text() +
                        (QApplication::overrideCursor() != nullptr ? Text(" (busy)") : QString()));
        };

        window.btnSendMediumToWinamp->click();
        window.miAddClick(AddFromWinamp);

        QCOMPARE(seen.first(), PlayerNamedText("Передача списка в Winamp... (busy)"));
        QCOMPARE(seen.last(), PlayerNamedText("Получение плейлиста Winamp'а... (busy)"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void processingWhileDividingCoversTheMediaFoundSoFar() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        MakeMedia(harness, {{"a"}, {"b"}});
        // "всех носителей" stays checked from an earlier run while a new division goes on.
        window.radioResultsAllMedia->setChecked(true);
        window.radioResultsSaveTextlist->setChecked(true);
        TDataManagerTestAccess::StartEmptyDivision(*window.DataManager);
        window.editResultsBaseDir->setText(QString::fromStdString(harness.Path("out")));
        QVERIFY(window.dividing());

        window.btnProcessResults->click();

        QCOMPARE(Tree(harness.Path("out")), (QStringList{Text("disk1.txt"), Text("disk2.txt")}));
        FinishDivision(window);
    }

    void divisionOntoCdsIsCopiedAndMovedWhole() {
        Harness harness;
        TfrmVantrelMain& window = harness.Open();
        // 1.4 GB in a tree: two media of 700 МБ at least.
        std::mt19937 random(7);
        const std::string source = harness.Path("src");
        const std::vector<std::pair<std::string, std::uintmax_t>> files{
            {"album/01.flac", 180 * MB}, {"album/02.flac", 170 * MB}, {"album/cover.jpg", 1},
            {"film.mkv", 520 * MB},      {"iso/disc.iso", 390 * MB},  {"notes.txt", 12345},
            {"photos/a.jpg", 3 * MB},    {"photos/b.jpg", 0},         {"backup.tar", 150 * MB}};
        for (const auto& [name, size] : files)
            SparseFile(source + "/" + name, size, random);
        const auto before = Checksums(source);
        QCOMPARE(before.size(), files.size());
        window.AddDroppedPaths({source + "/album", source + "/film.mkv", source + "/iso",
                                source + "/notes.txt", source + "/photos", source + "/backup.tar"});

        const std::uint64_t capacity = window.Settings.DataMediumCapacity;
        QCOMPARE(capacity, std::uint64_t{700 * MB});
        QVERIFY(window.DataManager->PrepareDivision(capacity, capacity * 999 / 1000, 0));
        FinishDivision(window);
        const int media = window.cmboMedia->count();
        QVERIFY(media >= 2);
        QCOMPARE(static_cast<std::size_t>(media), window.DataManager->GetMedia().size());

        // Every file of the tree lies in exactly one medium folder, byte for byte.
        const auto collectedInto = [&](const std::string& base, bool copy) {
            window.editResultsBaseDir->setText(QString::fromStdString(base));
            window.radioResultsAllMedia->setEnabled(true);
            window.radioResultsAllMedia->setChecked(true);
            (copy ? window.radioResultsCopyToFolder : window.radioResultsMoveToFolder)
                ->setChecked(true);
            window.btnProcessResults->click();
            // Folder items and loose files keep their names below the medium folders.
            std::map<std::string, QByteArray> found;
            std::size_t count = 0;
            for (int number = 1; number <= media; ++number) {
                for (auto& [name, sum] :
                     Checksums(JoinPath(base, "disk" + std::to_string(number)))) {
                    found[name] = sum;
                    ++count;
                }
            }
            if (count != found.size())
                found.clear();  // a file in two medium folders
            return found;
        };

        QCOMPARE(collectedInto(harness.Path("copies"), true), before);
        QCOMPARE(Checksums(source), before);
        QCOMPARE(collectedInto(harness.Path("moved"), false), before);
        QVERIFY(Checksums(source).empty());
        QVERIFY(harness.Questions.Asked.empty());
    }
};

QTEST_MAIN(FormvantrelmainResultsTest)
#include "FormvantrelmainResultsTest.moc"
