// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuestionTexts.h"

#include <QCoreApplication>

namespace {

// How many paths a notice names before it only counts the rest.
constexpr std::size_t ListedPathsMax = 20;

// The translation context of the question texts.
class QuestionTexts {
    Q_DECLARE_TR_FUNCTIONS(QuestionTexts)
};

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
        text +=
            QLatin1Char('\n') + QuestionTexts::tr("… и ещё %1").arg(paths.size() - ListedPathsMax);
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
        case QuestionKind::CopyOutOfSpace:
        case QuestionKind::MoveOutOfSpace:
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
        case QuestionKind::LeftInPlace:
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
            return QuestionTexts::tr("папку нельзя поместить в саму себя");
        case FailureReason::SameFile:
            return QuestionTexts::tr("источник и место назначения совпадают");
        case FailureReason::FolderInTheWay:
            return QuestionTexts::tr("на этом месте уже есть папка");
        case FailureReason::FileInTheWay:
            return QuestionTexts::tr("на этом месте уже есть файл");
        case FailureReason::PlacedByThisOperation:
            return QuestionTexts::tr(
                "на этом месте уже есть файл, помещённый сюда этой же операцией; исходный "
                "файл остаётся на месте");
        case FailureReason::SizeMismatch:
            return QuestionTexts::tr("размер копии не совпадает с размером исходного файла");
        case FailureReason::NameTaken:
            return QuestionTexts::tr("в образе уже есть элемент с таким именем");
        case FailureReason::ImageIncomplete:
            return QuestionTexts::tr("образ получился короче, чем должен быть");
        case FailureReason::ImageLinkNameTooLong:
            return QuestionTexts::
                tr("ссылка «%1» указывает на путь с именем длиннее 255 байт, такую ссылку образ "
                   "не хранит")
                    .arg(Q(failure.SystemText));
        case FailureReason::ImageLinkTooLong:
            return QuestionTexts::tr(
                       "ссылка «%1» указывает на путь длиной 1024 байта или больше, такую ссылку "
                       "образ не хранит")
                .arg(Q(failure.SystemText));
        case FailureReason::ImagePathTooLong:
            return QuestionTexts::tr(
                       "путь «%1» длиной 4096 байт или больше, такой путь образ не читает")
                .arg(Q(failure.SystemText));
        case FailureReason::ImageLayoutFault:
            return QuestionTexts::
                tr("%1\nЭто известная ошибка libisofs: она неверно размещает записи Rock Ridge, "
                   "когда в одной папке много очень длинных имён (около 240 байт) или ссылок "
                   "на длинные пути. Сократите самые длинные имена или пути ссылок в этой "
                   "папке.")
                    .arg(Q(failure.SystemText));
    }
    return {};
}

QString QuestionText(const Question& question) {
    const QString path = Q(question.Path);
    const QString other = Q(question.Other);
    const QString reason = FailureText(question.Reason);
    switch (question.Kind) {
        case QuestionKind::MissingEntries:
            return QuestionTexts::tr(
                       "Следующие файлы и папки не найдены и не добавлены в коллекцию:\n%1")
                .arg(PathList(question.Paths));
        case QuestionKind::NotPlaylists:
            return QuestionTexts::tr(
                       "Следующие файлы и папки не являются списками воспроизведения (M3U) и не "
                       "добавлены в коллекцию:\n%1")
                .arg(PathList(question.Paths));
        case QuestionKind::UnmeasuredEntries:
            return QuestionTexts::tr(
                       "Не удалось определить размер следующих элементов (нет доступа):\n%1\n\n"
                       "Они добавлены в коллекцию, но не поместятся ни на один носитель: перед "
                       "разбиением их будет предложено исключить.")
                .arg(PathList(question.Paths));
        case QuestionKind::PlaylistUnreadable:
            return QuestionTexts::tr("Не могу открыть выбранный список воспроизведения.");
        case QuestionKind::PlaylistUnsupported:
            return QuestionTexts::tr(
                "Формат выбранного списка воспроизведения не поддерживается.\nИзвините.");
        case QuestionKind::DiscTrack:
            return QuestionTexts::tr(
                       "Композиция «%1» находится на аудио компакт диске и не является файлом. "
                       "Из-за неё при обработке результатов разбиения будут доступны не все "
                       "возможности.\n\nДобавить композицию в коллекцию?")
                .arg(path);
        case QuestionKind::MissingEntry:
            // Ends in a Cyrillic letter after the apostrophe.
            return QuestionTexts::tr(
                       "Файл «%1» не существует!\nПропустить и продолжить загрузку PlayList'а?")
                .arg(path);
        case QuestionKind::MissingTrackLength:
            // Ends in a Latin letter after the apostrophe. Winamp's name takes the Russian ending,
            // another player's stays as it is.
            return QuestionTexts::tr(
                       "В списке воспроизведения не найдена информация о длине композиции «%1»!\n"
                       "Убедитесь, что в %2 для каждой композиции указана "
                       "продолжительность.\n\nПропустить композицию и продолжить загрузку "
                       "PlayList'a?")
                .arg(path, other == QLatin1String("Winamp") ? QuestionTexts::tr("Winampe") : other);
        case QuestionKind::GroupTooLarge:
            return QuestionTexts::tr("Группа элементов №%1 не помещается на выбранный носитель.")
                .arg(question.Number);
        case QuestionKind::OversizedFolder:
            return QuestionTexts::tr("Папка «%1» не помещается на выбранный носитель").arg(path);
        case QuestionKind::OversizedFile:
            return QuestionTexts::tr(
                       "Файл «%1» не помещается на выбранный носитель.\n\nИсключить файл из "
                       "рассмотрения?")
                .arg(path);
        case QuestionKind::NonEmptyFolder:
            return QuestionTexts::tr(
                       "Каталог %1 не пустой.\nДействительно хотите собрать в нём файлы носителя?")
                .arg(path);
        case QuestionKind::ImageTooLarge:
            return QuestionTexts::tr(
                       "Образ «%1» занимает %2, это больше объёма носителя (%3), и на носитель он "
                       "не поместится.\nОбраз сохранён.")
                .arg(path, Q(question.Size), Q(question.Capacity));
        case QuestionKind::FileNotWritten:
            return QuestionTexts::tr("Не могу создать файл\n%1 !").arg(path);
        case QuestionKind::BaseFolderMissing:
            return QuestionTexts::tr("Не удалось создать базовый каталог для результатов");
        case QuestionKind::CopyFailed:
            return QuestionTexts::tr(
                       "Не удалось скопировать «%1» в «%2»:\n%3\n\nПропустить и продолжить?")
                .arg(path, other, reason);
        case QuestionKind::MoveFailed:
            return QuestionTexts::tr(
                       "Не удалось переместить «%1» в «%2»:\n%3\n\nПропустить и продолжить?")
                .arg(path, other, reason);
        case QuestionKind::CopyOutOfSpace:
            return QuestionTexts::tr(
                       "Не удалось скопировать «%1» в «%2»:\n%3\nДля оставшихся файлов носителя "
                       "нужно ещё %4 Б, свободно %5 Б. Файлы, которые не поместятся, будут "
                       "пропущены без вопросов.\n\nПропустить и продолжить?")
                .arg(path, other, reason, QString::number(question.Number),
                     QString::number(question.Count));
        case QuestionKind::MoveOutOfSpace:
            return QuestionTexts::tr(
                       "Не удалось переместить «%1» в «%2»:\n%3\nДля оставшихся файлов носителя "
                       "нужно ещё %4 Б, свободно %5 Б. Файлы, которые не поместятся, будут "
                       "пропущены без вопросов.\n\nПропустить и продолжить?")
                .arg(path, other, reason, QString::number(question.Number),
                     QString::number(question.Count));
        case QuestionKind::NameClash:
            return QuestionTexts::tr("Файл «%1» уже существует.\nЗаменить его файлом «%2»?")
                .arg(path, other);
        case QuestionKind::FolderNotCreated:
            return QuestionTexts::tr("Не удалось создать папку «%1»:\n%2").arg(path, reason);
        case QuestionKind::ImageEntryFailed:
            return QuestionTexts::tr(
                       "Не удалось добавить «%1» в образ «%2»:\n%3\n\nПропустить и продолжить?")
                .arg(path, other, reason);
        case QuestionKind::ImageNotWritten:
            return QuestionTexts::tr("Не удалось создать образ «%1»:\n%2").arg(path, reason);
        case QuestionKind::PlayerNotStarted:
            return QuestionTexts::tr("Не могу запустить %1!").arg(other);
        case QuestionKind::PlayerTooOld:
            return QuestionTexts::tr(
                       "У Вас установлен слишком старый %1.\nПоддерживаются версии не ниже "
                       "1.666. Извините.")
                .arg(other);
        case QuestionKind::PlayerThree:
            return QuestionTexts::tr(
                       "У Вас установлен %1 3.х.\nПоддерживаются только версии 1.666 - 2.9х и "
                       "5.х. Извините.")
                .arg(other);
        case QuestionKind::PlayerNotAnswering:
            return QuestionTexts::tr("%1 не отвечает.").arg(other);
        case QuestionKind::PlaylistNotSent:
            return QuestionTexts::tr(
                       "Передача списка в %1 прервана: %1 не отвечает или не принял очередной "
                       "файл.\nВ его плейлист передано треков: %2 из %3.")
                .arg(other)
                .arg(question.Number)
                .arg(question.Count);
        case QuestionKind::PlaylistNotReceived:
            return QuestionTexts::tr(
                       "Не удалось получить текущий плейлист %1'а.\nКоллекция не изменена.")
                .arg(other);
        case QuestionKind::PlayerControlMissing:
            return QuestionTexts::tr(
                "Для обмена списками с Audacious нужна программа audtool, но она не "
                "найдена.\nУстановите пакет audacious, в который она входит.");
        case QuestionKind::PlayerNotInFolder:
            return QuestionTexts::tr(
                       "В указанном каталоге нет исполняемого файла %1'а.\nВыберите другую "
                       "папку...")
                .arg(other);
        case QuestionKind::SettingsNotSaved:
            return QuestionTexts::tr("Не удалось сохранить настройки");
        case QuestionKind::LeftInPlace:
            return QuestionTexts::tr(
                       "Скрытые и системные файлы и папки не учитываются в объёме носителей и не "
                       "перемещались: они остались на прежнем месте вместе с папками, в которых "
                       "лежат. Их число: %1")
                .arg(question.Number);
        case QuestionKind::StopBeforeExit:
            return QuestionTexts::tr("Пожалуйста, остановите процесс разбиения перед выходом");
        case QuestionKind::DiscardResults:
            return QuestionTexts::tr(
                "Эта команда очистит результаты предыдущего разбиения!\n\nПродолжить?");
        case QuestionKind::AddressNotOpened:
            return QuestionTexts::tr(
                       "Не удалось открыть «%1»: нет программы, которая его открывает.")
                .arg(path);
        case QuestionKind::HelpPageMissing:
            return QuestionTexts::tr("Файл справки (%1) не найден!").arg(path);
    }
    return {};
}
