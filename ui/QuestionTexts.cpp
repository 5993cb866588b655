// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuestionTexts.h"

#include <QCoreApplication>

namespace {

// How many paths a notice names before it only counts the rest.
constexpr std::size_t ListedPathsMax = 20;

QString Tr(const char* text) {
    return QCoreApplication::translate("QuestionTexts", text);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The paths one to a line, the first ListedPathsMax of them.
QString PathList(const std::vector<std::string>& paths) {
    QStringList lines;
    for (std::size_t i = 0; i < paths.size() && i < ListedPathsMax; ++i)
        lines << Q(paths[i]);
    QString text = lines.join(QLatin1Char('\n'));
    if (paths.size() > ListedPathsMax)
        text += QLatin1Char('\n') + Tr("… и ещё %1").arg(paths.size() - ListedPathsMax);
    return text;
}

}  // namespace

QuestionLook LookOf(QuestionKind kind) {
    switch (kind) {
        case QuestionKind::DiscTrack:
        case QuestionKind::NameClash:
            return QuestionLook::ConfirmationDialog;
        case QuestionKind::MissingEntry:
        case QuestionKind::MissingTrackLength:
        case QuestionKind::OversizedFile:
        case QuestionKind::CopyFailed:
        case QuestionKind::MoveFailed:
        case QuestionKind::ImageEntryFailed:
            return QuestionLook::WarningDialog;
        case QuestionKind::OversizedFolder:
            return QuestionLook::OversizedFolderDialog;
        case QuestionKind::FileNotWritten:
        case QuestionKind::FolderNotCreated:
        case QuestionKind::ImageNotWritten:
        case QuestionKind::HelpPageMissing:
            return QuestionLook::ErrorBox;
        case QuestionKind::NonEmptyFolder:
        case QuestionKind::DiscardResults:
            return QuestionLook::QuestionBox;
        case QuestionKind::StopBeforeExit:
            return QuestionLook::InformationBox;
        default:
            return QuestionLook::WarningBox;
    }
}

QString FailureText(const Failure& failure) {
    switch (failure.Why) {
        case FailureReason::System:
            return Q(failure.SystemText);
        case FailureReason::FolderIntoItself:
            return Tr("папку нельзя поместить в саму себя");
        case FailureReason::SameFile:
            return Tr("источник и место назначения совпадают");
        case FailureReason::FolderInTheWay:
            return Tr("на этом месте уже есть папка");
        case FailureReason::FileInTheWay:
            return Tr("на этом месте уже есть файл");
        case FailureReason::PlacedByThisOperation:
            return Tr(
                "на этом месте уже есть файл, помещённый сюда этой же операцией; исходный "
                "файл остаётся на месте");
        case FailureReason::SizeMismatch:
            return Tr("размер копии не совпадает с размером исходного файла");
        case FailureReason::NameTaken:
            return Tr("в образе уже есть элемент с таким именем");
        case FailureReason::ImageIncomplete:
            return Tr("образ получился короче, чем должен быть");
    }
    return {};
}

QString QuestionText(const Question& question) {
    const QString path = Q(question.Path);
    const QString other = Q(question.Other);
    const QString reason = FailureText(question.Reason);
    switch (question.Kind) {
        case QuestionKind::MissingEntries:
            return Tr("Следующие файлы и папки не найдены и не добавлены в коллекцию:\n%1")
                .arg(PathList(question.Paths));
        case QuestionKind::UnmeasuredEntries:
            return Tr("Не удалось определить размер следующих элементов (нет доступа):\n%1\n\n"
                      "Они добавлены в коллекцию, но не поместятся ни на один носитель: перед "
                      "разбиением их будет предложено исключить.")
                .arg(PathList(question.Paths));
        case QuestionKind::PlaylistUnreadable:
            return Tr("Не могу открыть выбранный список воспроизведения.");
        case QuestionKind::PlaylistUnsupported:
            return Tr("Формат выбранного списка воспроизведения не поддерживается.\nИзвините.");
        case QuestionKind::DiscTrack:
            return Tr("Композиция «%1» находится на аудио компакт диске и не является файлом. "
                      "Из-за неё при обработке результатов разбиения будут доступны не все "
                      "возможности.\n\nДобавить композицию в коллекцию?")
                .arg(path);
        case QuestionKind::MissingEntry:
            // Ends in a Cyrillic letter after the apostrophe.
            return Tr("Файл «%1» не существует!\nПропустить и продолжить загрузку PlayList'а?")
                .arg(path);
        case QuestionKind::MissingTrackLength:
            // Ends in a Latin letter after the apostrophe.
            return Tr("В списке воспроизведения не найдена информация о длине композиции «%1»!\n"
                      "Убедитесь, что в Winampe для каждой композиции указана "
                      "продолжительность.\n\nПропустить композицию и продолжить загрузку "
                      "PlayList'a?")
                .arg(path);
        case QuestionKind::GroupTooLarge:
            return Tr("Группа элементов №%1 не помещается на выбранный носитель.")
                .arg(question.Number);
        case QuestionKind::OversizedFolder:
            return Tr("Папка «%1» не помещается на выбранный носитель").arg(path);
        case QuestionKind::OversizedFile:
            return Tr("Файл «%1» не помещается на выбранный носитель.\n\nИсключить файл из "
                      "рассмотрения?")
                .arg(path);
        case QuestionKind::NonEmptyFolder:
            return Tr("Каталог %1 не пустой.\nДействительно хотите собрать в нём файлы носителя?")
                .arg(path);
        case QuestionKind::ImageTooLarge:
            return Tr("Образ «%1» занимает %2, это больше объёма носителя (%3), и на носитель он "
                      "не поместится.\nОбраз сохранён.")
                .arg(path, Q(question.Size), Q(question.Capacity));
        case QuestionKind::FileNotWritten:
            return Tr("Не могу создать файл\n%1 !").arg(path);
        case QuestionKind::BaseFolderMissing:
            return Tr("Не удалось создать базовый каталог для результатов");
        case QuestionKind::CopyFailed:
            return Tr("Не удалось скопировать «%1» в «%2»:\n%3\n\nПропустить и продолжить?")
                .arg(path, other, reason);
        case QuestionKind::MoveFailed:
            return Tr("Не удалось переместить «%1» в «%2»:\n%3\n\nПропустить и продолжить?")
                .arg(path, other, reason);
        case QuestionKind::NameClash:
            return Tr("Файл «%1» уже существует.\nЗаменить его файлом «%2»?").arg(path, other);
        case QuestionKind::FolderNotCreated:
            return Tr("Не удалось создать папку «%1»:\n%2").arg(path, reason);
        case QuestionKind::ImageEntryFailed:
            return Tr("Не удалось добавить «%1» в образ «%2»:\n%3\n\nПропустить и продолжить?")
                .arg(path, other, reason);
        case QuestionKind::ImageNotWritten:
            return Tr("Не удалось создать образ «%1»:\n%2").arg(path, reason);
        case QuestionKind::PlayerNotStarted:
            return Tr("Не могу запустить %1!").arg(other);
        case QuestionKind::PlayerTooOld:
            return Tr("У Вас установлен слишком старый %1.\nПоддерживаются версии не ниже "
                      "1.666. Извините.")
                .arg(other);
        case QuestionKind::PlayerThree:
            return Tr("У Вас установлен %1 3.х.\nПоддерживаются только версии 1.666 - 2.9х и "
                      "5.х. Извините.")
                .arg(other);
        case QuestionKind::PlayerNotAnswering:
            return Tr("%1 не отвечает.").arg(other);
        case QuestionKind::PlaylistNotSent:
            return Tr("Передача списка в %1 прервана: %1 не отвечает или не принял очередной "
                      "файл.\nВ его плейлист передано треков: %2 из %3.")
                .arg(other)
                .arg(question.Number)
                .arg(question.Count);
        case QuestionKind::PlaylistNotReceived:
            return Tr("Не удалось получить текущий плейлист %1'а.\nКоллекция не изменена.")
                .arg(other);
        case QuestionKind::PlayerControlMissing:
            return Tr(
                "Для обмена списками с Audacious нужна программа audtool, но она не "
                "найдена.\nУстановите пакет audacious, в который она входит.");
        case QuestionKind::PlayerNotInFolder:
            return Tr("В указанном каталоге нет исполняемого файла %1'а.\nВыберите другую "
                      "папку...")
                .arg(other);
        case QuestionKind::SettingsNotSaved:
            return Tr("Не удалось сохранить настройки");
        case QuestionKind::StopBeforeExit:
            return Tr("Пожалуйста, остановите процесс разбиения перед выходом");
        case QuestionKind::DiscardResults:
            return Tr("Эта команда очистит результаты предыдущего разбиения!\n\nПродолжить?");
        case QuestionKind::AddressNotOpened:
            return Tr("Не удалось открыть «%1»: нет программы, которая его открывает.").arg(path);
        case QuestionKind::HelpPageMissing:
            return Tr("Файл справки (%1) не найден!").arg(path);
    }
    return {};
}
