// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuestionTexts.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

Question Make(QuestionKind kind, const std::string& path = {}, const std::string& other = {}) {
    return Question(kind, path, other);
}

Question WithPaths(QuestionKind kind, std::vector<std::string> paths) {
    Question question(kind);
    question.Paths = std::move(paths);
    return question;
}

Question WithReason(QuestionKind kind, const std::string& path, const std::string& other,
                    Failure reason) {
    Question question(kind, path, other);
    question.Reason = std::move(reason);
    return question;
}

Question WithNumbers(QuestionKind kind, std::uint64_t number, std::uint64_t count,
                     const std::string& other = {}) {
    Question question(kind, {}, other);
    question.Number = number;
    question.Count = count;
    return question;
}

// A full disk: 1 MiB still needed, 4 KiB free; the paths hold what looks like place holders.
Question OutOfSpace(QuestionKind kind, const Failure& reason) {
    Question question = WithReason(kind, "/src/%4", "/dst/%5", reason);
    question.Number = 1048576;
    question.Count = 4096;
    return question;
}

Question TooLargeImage() {
    Question question(QuestionKind::ImageTooLarge, "/out/disk2.iso");
    question.Size = "1.50 МБ";
    question.Capacity = "195 кБ";
    return question;
}

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i)
        paths.push_back("/m/" + std::to_string(i));
    return paths;
}

// Every question's words and look, as the window shows them: a word changed, a value put in the
// wrong place, a path's "%2" taken for a place holder, the list of paths cut wrong, or a dialog
// of the wrong kind would each fail here.
TEST(QuestionTexts, EveryKindIsWordedAsTheWindowShowsIt) {
    const Failure full{FailureReason::System, "No space left on device"};
    const Failure denied{FailureReason::System, "Permission denied"};
    const Failure noEntry{FailureReason::System, "No such file or directory"};
    std::string firstTwenty;
    for (int i = 1; i <= 20; ++i)
        firstTwenty += "\n/m/" + std::to_string(i);
    const struct {
        Question Asked;
        QuestionLook Look;
        const char* Text;
    } cases[] = {
        {WithPaths(QuestionKind::MissingEntries, {"/m/gone", "/m/file/below"}),
         QuestionLook::WarningBox,
         "Следующие файлы и папки не найдены и не добавлены в коллекцию:\n/m/gone\n/m/file/below"},
        {WithPaths(QuestionKind::NotPlaylists, {"/m/a.tar", "/m/folder.m3u"}),
         QuestionLook::WarningBox,
         "Следующие файлы и папки не являются списками воспроизведения (M3U) и не добавлены в "
         "коллекцию:\n/m/a.tar\n/m/folder.m3u"},
        {WithPaths(QuestionKind::UnmeasuredEntries, {"/m/locked", "/m/holder"}),
         QuestionLook::WarningBox,
         "Не удалось определить размер следующих элементов (нет доступа):\n/m/locked\n/m/holder"
         "\n\nОни добавлены в коллекцию, но не поместятся ни на один носитель: перед разбиением "
         "их будет предложено исключить."},
        {Make(QuestionKind::PlaylistUnreadable), QuestionLook::WarningBox,
         "Не могу открыть выбранный список воспроизведения."},
        {Make(QuestionKind::PlaylistUnsupported), QuestionLook::WarningBox,
         "Формат выбранного списка воспроизведения не поддерживается.\nИзвините."},
        {Make(QuestionKind::DiscTrack, "Five"), QuestionLook::ConfirmationDialog,
         "Композиция «Five» находится на аудио компакт диске и не является файлом. Из-за неё при "
         "обработке результатов разбиения будут доступны не все возможности.\n\nДобавить "
         "композицию в коллекцию?"},
        {Make(QuestionKind::MissingEntry, "/m/gone.mp3"), QuestionLook::WarningDialog,
         "Файл «/m/gone.mp3» не существует!\nПропустить и продолжить загрузку PlayList'а?"},
        {Make(QuestionKind::MissingTrackLength, "cda://1,2", "Winamp"), QuestionLook::WarningDialog,
         "В списке воспроизведения не найдена информация о длине композиции «cda://1,2»!\n"
         "Убедитесь, что в Winampe для каждой композиции указана продолжительность.\n\n"
         "Пропустить композицию и продолжить загрузку PlayList'a?"},
        // The platform's player is named: "в Winampe" on Linux sent the user to a missing player.
        {Make(QuestionKind::MissingTrackLength, "Song", "Audacious"), QuestionLook::WarningDialog,
         "В списке воспроизведения не найдена информация о длине композиции «Song»!\n"
         "Убедитесь, что в Audacious для каждой композиции указана продолжительность.\n\n"
         "Пропустить композицию и продолжить загрузку PlayList'a?"},
        {WithNumbers(QuestionKind::GroupTooLarge, 5, 0), QuestionLook::WarningBox,
         "Группа элементов №5 не помещается на выбранный носитель."},
        {Make(QuestionKind::OversizedFolder, "/f/big"), QuestionLook::OversizedFolderDialog,
         "Папка «/f/big» не помещается на выбранный носитель"},
        {Make(QuestionKind::OversizedFile, "/f/a"), QuestionLook::WarningDialog,
         "Файл «/f/a» не помещается на выбранный носитель.\n\nИсключить файл из рассмотрения?"},
        {Make(QuestionKind::NonEmptyFolder, "/out/disk1/"), QuestionLook::QuestionBox,
         "Каталог /out/disk1/ не пустой.\nДействительно хотите собрать в нём файлы носителя?"},
        {TooLargeImage(), QuestionLook::WarningBox,
         "Образ «/out/disk2.iso» занимает 1.50 МБ, это больше объёма носителя (195 кБ), и на "
         "носитель он не поместится.\nОбраз сохранён."},
        {Make(QuestionKind::FileNotWritten, "/out/disk1.txt"), QuestionLook::ErrorBox,
         "Не могу создать файл\n/out/disk1.txt !"},
        {Make(QuestionKind::BaseFolderMissing), QuestionLook::WarningBox,
         "Не удалось создать базовый каталог для результатов"},
        {WithReason(QuestionKind::CopyFailed, "/src/big.bin", "/dst/big.bin", full),
         QuestionLook::WarningDialog,
         "Не удалось скопировать «/src/big.bin» в «/dst/big.bin»:\nNo space left on device\n\n"
         "Пропустить и продолжить?"},
        {WithReason(QuestionKind::MoveFailed, "/src/tree", "/src/tree/in/tree",
                    {FailureReason::FolderIntoItself, {}}),
         QuestionLook::WarningDialog,
         "Не удалось переместить «/src/tree» в «/src/tree/in/tree»:\nпапку нельзя поместить в "
         "саму себя\n\nПропустить и продолжить?"},
        {OutOfSpace(QuestionKind::CopyOutOfSpace, full), QuestionLook::WarningDialog,
         "Не удалось скопировать «/src/%4» в «/dst/%5»:\nNo space left on device\nДля оставшихся "
         "файлов носителя нужно ещё 1048576 Б, свободно 4096 Б. Файлы, которые не поместятся, "
         "будут пропущены без вопросов.\n\nПропустить и продолжить?"},
        {OutOfSpace(QuestionKind::MoveOutOfSpace, full), QuestionLook::WarningDialog,
         "Не удалось переместить «/src/%4» в «/dst/%5»:\nNo space left on device\nДля "
         "оставшихся файлов носителя нужно ещё 1048576 Б, свободно 4096 Б. Файлы, которые не "
         "поместятся, будут пропущены без вопросов.\n\nПропустить и продолжить?"},
        {Make(QuestionKind::NameClash, "/dst/a", "/src/a"), QuestionLook::ConfirmationDialog,
         "Файл «/dst/a» уже существует.\nЗаменить его файлом «/src/a»?"},
        {Make(QuestionKind::NameClash, "/dst/%2 и %1", "/src/a"), QuestionLook::ConfirmationDialog,
         "Файл «/dst/%2 и %1» уже существует.\nЗаменить его файлом «/src/a»?"},
        {WithReason(QuestionKind::FolderNotCreated, "/ro/disk1", {}, denied),
         QuestionLook::ErrorBox, "Не удалось создать папку «/ro/disk1»:\nPermission denied"},
        {WithReason(QuestionKind::ImageEntryFailed, "/m/gone", "/out/disk1.iso", noEntry),
         QuestionLook::WarningDialog,
         "Не удалось добавить «/m/gone» в образ «/out/disk1.iso»:\nNo such file or directory\n\n"
         "Пропустить и продолжить?"},
        {WithReason(QuestionKind::ImageNotWritten, "/small/disk1.iso", {},
                    {FailureReason::ImageIncomplete, {}}),
         QuestionLook::ErrorBox,
         "Не удалось создать образ «/small/disk1.iso»:\nобраз получился короче, чем должен быть"},
        {Make(QuestionKind::PlayerNotStarted, {}, "Audacious"), QuestionLook::WarningBox,
         "Не могу запустить Audacious!"},
        {Make(QuestionKind::PlayerTooOld, {}, "Audacious"), QuestionLook::WarningBox,
         "У Вас установлен слишком старый Audacious.\nПоддерживаются версии не ниже 1.666. "
         "Извините."},
        {Make(QuestionKind::PlayerThree, {}, "Audacious"), QuestionLook::WarningBox,
         "У Вас установлен Audacious 3.х.\nПоддерживаются только версии 1.666 - 2.9х и 5.х. "
         "Извините."},
        {Make(QuestionKind::PlayerNotAnswering, {}, "Audacious"), QuestionLook::WarningBox,
         "Audacious не отвечает."},
        {WithNumbers(QuestionKind::PlaylistNotSent, 1, 3, "Audacious"), QuestionLook::WarningBox,
         "Передача списка в Audacious прервана: Audacious не отвечает или не принял очередной "
         "файл.\nВ его плейлист передано треков: 1 из 3."},
        {Make(QuestionKind::PlaylistNotReceived, {}, "Audacious"), QuestionLook::WarningBox,
         "Не удалось получить текущий плейлист Audacious'а.\nКоллекция не изменена."},
        {Make(QuestionKind::PlayerControlMissing, {}, "Audacious"), QuestionLook::WarningBox,
         "Для обмена списками с Audacious нужна программа audtool, но она не найдена.\n"
         "Установите пакет audacious, в который она входит."},
        {Make(QuestionKind::PlayerNotInFolder, {}, "Audacious"), QuestionLook::WarningBox,
         "В указанном каталоге нет исполняемого файла Audacious'а.\nВыберите другую папку..."},
        {Make(QuestionKind::SettingsNotSaved), QuestionLook::WarningBox,
         "Не удалось сохранить настройки"},
        {WithNumbers(QuestionKind::LeftInPlace, 3, 0), QuestionLook::InformationBox,
         "Скрытые и системные файлы и папки не учитываются в объёме носителей и не перемещались: "
         "они остались на прежнем месте вместе с папками, в которых лежат. Их число: 3"},
        {Make(QuestionKind::StopBeforeExit), QuestionLook::InformationBox,
         "Пожалуйста, остановите процесс разбиения перед выходом"},
        {Make(QuestionKind::DiscardResults), QuestionLook::QuestionBox,
         "Эта команда очистит результаты предыдущего разбиения!\n\nПродолжить?"},
        {Make(QuestionKind::AddressNotOpened, "/home/user/CDRs а/"), QuestionLook::WarningBox,
         "Не удалось открыть «/home/user/CDRs а/»: нет программы, которая его открывает."},
        {Make(QuestionKind::HelpPageMissing, "/h/нет справки/Property.html"),
         QuestionLook::ErrorBox, "Файл справки (/h/нет справки/Property.html) не найден!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(QuestionText(c.Asked).toStdString(), c.Text);
        EXPECT_EQ(LookOf(c.Asked.Kind), c.Look);
    }
    // A long list names its first twenty paths and counts the rest.
    EXPECT_EQ(QuestionText(WithPaths(QuestionKind::MissingEntries, Numbered(22))).toStdString(),
              "Следующие файлы и папки не найдены и не добавлены в коллекцию:" + firstTwenty +
                  "\n… и ещё 2");
}

// The reasons of the program's own, as the failures name them.
TEST(QuestionTexts, EveryFailureReasonIsWorded) {
    const struct {
        FailureReason Why;
        const char* Text;
    } cases[] = {
        {FailureReason::FolderIntoItself, "папку нельзя поместить в саму себя"},
        {FailureReason::SameFile, "источник и место назначения совпадают"},
        {FailureReason::FolderInTheWay, "на этом месте уже есть папка"},
        {FailureReason::FileInTheWay, "на этом месте уже есть файл"},
        {FailureReason::PlacedByThisOperation,
         "на этом месте уже есть файл, помещённый сюда этой же операцией; исходный файл остаётся "
         "на месте"},
        {FailureReason::SizeMismatch, "размер копии не совпадает с размером исходного файла"},
        {FailureReason::NameTaken, "в образе уже есть элемент с таким именем"},
        {FailureReason::ImageIncomplete, "образ получился короче, чем должен быть"},
        {FailureReason::System, "Input/output error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FailureText({c.Why, "Input/output error"}).toStdString(), c.Text);
    // The image's limits name the entry beyond them; libisofs's fault keeps its own words.
    const struct {
        FailureReason Why;
        const char* Entry;
        const char* Text;
    } image[] = {
        {FailureReason::ImageLinkNameTooLong, "/d/l",
         "ссылка «/d/l» указывает на путь с именем длиннее 255 байт, такую ссылку образ не "
         "хранит"},
        {FailureReason::ImageLinkTooLong, "/d/l",
         "ссылка «/d/l» указывает на путь длиной 1024 байта или больше, такую ссылку образ не "
         "хранит"},
        {FailureReason::ImagePathTooLong, "/d/p",
         "путь «/d/p» длиной 4096 байт или больше, такой путь образ не читает"},
        {FailureReason::ImageLayoutFault, "tree end address mismatch.",
         "tree end address mismatch.\nЭто известная ошибка libisofs: она неверно размещает записи "
         "Rock Ridge, когда в одной папке много очень длинных имён (около 240 байт) или ссылок на "
         "длинные пути. Сократите самые длинные имена или пути ссылок в этой папке."},
    };
    for (const auto& c : image)
        EXPECT_EQ(FailureText({c.Why, c.Entry}).toStdString(), c.Text);
}

}  // namespace
