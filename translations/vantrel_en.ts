<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>CapacityPresets</name>
    <message>
        <source>&amp;650 МБ</source>
        <translation>&amp;650 MB</translation>
    </message>
    <message>
        <source>&amp;700 МБ</source>
        <translation>&amp;700 MB</translation>
    </message>
    <message>
        <source>&amp;800 МБ</source>
        <translation>&amp;800 MB</translation>
    </message>
    <message>
        <source>&amp;4,38 ГБ</source>
        <translation>&amp;4.38 GB</translation>
    </message>
    <message>
        <source>дискета &amp;1,39 МБ</source>
        <translation>floppy &amp;1.39 MB</translation>
    </message>
    <message>
        <source>&amp;74 мин</source>
        <translation>&amp;74 min</translation>
    </message>
    <message>
        <source>&amp;80 мин</source>
        <translation>&amp;80 min</translation>
    </message>
    <message>
        <source>сторона кассеты (&amp;45 мин)</source>
        <translation>cassette side (&amp;45 min)</translation>
    </message>
    <message>
        <source>Байт</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>кБайт</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>МБайт</source>
        <translation>MB</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Справка Orbek Vantrel</source>
        <translation>Orbek Vantrel Help</translation>
    </message>
    <message>
        <source>&amp;Назад</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>&amp;Вперёд</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>&amp;Содержание</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>Страница справки</source>
        <translation>Help page</translation>
    </message>
</context>
<context>
    <name>PlayerExchangeStatus</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>QtFileOperationProgress</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Носитель </source>
        <translation>Medium </translation>
    </message>
    <message>
        <source> из </source>
        <translation> of </translation>
    </message>
</context>
<context>
    <name>QtPrompter</name>
    <message>
        <source>Подтверждение</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>&amp;Да</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Нет</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Не&amp;т для всех</source>
        <translation>N&amp;o to All</translation>
    </message>
    <message>
        <source>Да для &amp;всех</source>
        <translation>Yes to &amp;All</translation>
    </message>
</context>
<context>
    <name>QuestionTexts</name>
    <message>
        <source>… и ещё %1</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>папку нельзя поместить в саму себя</source>
        <translation>a folder cannot be placed inside itself</translation>
    </message>
    <message>
        <source>источник и место назначения совпадают</source>
        <translation>the source and the destination are the same</translation>
    </message>
    <message>
        <source>на этом месте уже есть папка</source>
        <translation>a folder is already in its place</translation>
    </message>
    <message>
        <source>на этом месте уже есть файл</source>
        <translation>a file is already in its place</translation>
    </message>
    <message>
        <source>на этом месте уже есть файл, помещённый сюда этой же операцией; исходный файл остаётся на месте</source>
        <translation>a file placed there by this same operation is already in its place; the source file stays where it is</translation>
    </message>
    <message>
        <source>размер копии не совпадает с размером исходного файла</source>
        <translation>the size of the copy differs from the size of the source file</translation>
    </message>
    <message>
        <source>в образе уже есть элемент с таким именем</source>
        <translation>the image already holds an item of that name</translation>
    </message>
    <message>
        <source>образ получился короче, чем должен быть</source>
        <translation>the image came out shorter than it should be</translation>
    </message>
    <message>
        <source>Следующие файлы и папки не найдены и не добавлены в коллекцию:
%1</source>
        <translation>The following files and folders were not found and were not added to the collection:
%1</translation>
    </message>
    <message>
        <source>Не удалось определить размер следующих элементов (нет доступа):
%1

Они добавлены в коллекцию, но не поместятся ни на один носитель: перед разбиением их будет предложено исключить.</source>
        <translation>Could not determine the size of the following items (access denied):
%1

They were added to the collection but will fit on no medium: before the division you will be offered to exclude them.</translation>
    </message>
    <message>
        <source>Не могу открыть выбранный список воспроизведения.</source>
        <translation>Cannot open the chosen playlist.</translation>
    </message>
    <message>
        <source>Формат выбранного списка воспроизведения не поддерживается.
Извините.</source>
        <translation>The format of the chosen playlist is not supported.
Sorry.</translation>
    </message>
    <message>
        <source>Композиция «%1» находится на аудио компакт диске и не является файлом. Из-за неё при обработке результатов разбиения будут доступны не все возможности.

Добавить композицию в коллекцию?</source>
        <translation>The track “%1” is on an audio CD and is not a file. Because of it, not every action will be available when the results of the division are processed.

Add the track to the collection?</translation>
    </message>
    <message>
        <source>Файл «%1» не существует!
Пропустить и продолжить загрузку PlayList&apos;а?</source>
        <translation>The file “%1” does not exist!
Skip it and go on loading the playlist?</translation>
    </message>
    <message>
        <source>Группа элементов №%1 не помещается на выбранный носитель.</source>
        <translation>Item group no. %1 does not fit on the chosen medium.</translation>
    </message>
    <message>
        <source>Папка «%1» не помещается на выбранный носитель</source>
        <translation>The folder “%1” does not fit on the chosen medium</translation>
    </message>
    <message>
        <source>Файл «%1» не помещается на выбранный носитель.

Исключить файл из рассмотрения?</source>
        <translation>The file “%1” does not fit on the chosen medium.

Exclude the file from the division?</translation>
    </message>
    <message>
        <source>Каталог %1 не пустой.
Действительно хотите собрать в нём файлы носителя?</source>
        <translation>The folder %1 is not empty.
Do you really want to gather the medium’s files in it?</translation>
    </message>
    <message>
        <source>Образ «%1» занимает %2, это больше объёма носителя (%3), и на носитель он не поместится.
Образ сохранён.</source>
        <translation>The image “%1” takes %2, which is more than the medium holds (%3), so it will not fit on the medium.
The image was saved.</translation>
    </message>
    <message>
        <source>Не могу создать файл
%1 !</source>
        <translation>Cannot create the file
%1 !</translation>
    </message>
    <message>
        <source>Не удалось создать базовый каталог для результатов</source>
        <translation>Could not create the base folder for the results</translation>
    </message>
    <message>
        <source>Не удалось скопировать «%1» в «%2»:
%3

Пропустить и продолжить?</source>
        <translation>Could not copy “%1” to “%2”:
%3

Skip it and go on?</translation>
    </message>
    <message>
        <source>Не удалось переместить «%1» в «%2»:
%3

Пропустить и продолжить?</source>
        <translation>Could not move “%1” to “%2”:
%3

Skip it and go on?</translation>
    </message>
    <message>
        <source>Файл «%1» уже существует.
Заменить его файлом «%2»?</source>
        <translation>The file “%1” already exists.
Replace it with the file “%2”?</translation>
    </message>
    <message>
        <source>Не удалось создать папку «%1»:
%2</source>
        <translation>Could not create the folder “%1”:
%2</translation>
    </message>
    <message>
        <source>Не удалось добавить «%1» в образ «%2»:
%3

Пропустить и продолжить?</source>
        <translation>Could not add “%1” to the image “%2”:
%3

Skip it and go on?</translation>
    </message>
    <message>
        <source>Не удалось создать образ «%1»:
%2</source>
        <translation>Could not create the image “%1”:
%2</translation>
    </message>
    <message>
        <source>Не могу запустить %1!</source>
        <translation>Cannot start %1!</translation>
    </message>
    <message>
        <source>У Вас установлен слишком старый %1.
Поддерживаются версии не ниже 1.666. Извините.</source>
        <translation>The installed %1 is too old.
Versions 1.666 and later are supported. Sorry.</translation>
    </message>
    <message>
        <source>У Вас установлен %1 3.х.
Поддерживаются только версии 1.666 - 2.9х и 5.х. Извините.</source>
        <translation>The installed %1 is version 3.x.
Only versions 1.666 - 2.9x and 5.x are supported. Sorry.</translation>
    </message>
    <message>
        <source>%1 не отвечает.</source>
        <translation>%1 is not responding.</translation>
    </message>
    <message>
        <source>Передача списка в %1 прервана: %1 не отвечает или не принял очередной файл.
В его плейлист передано треков: %2 из %3.</source>
        <translation>Sending the list to %1 was interrupted: %1 is not responding or did not take the next file.
Tracks sent to its playlist: %2 of %3.</translation>
    </message>
    <message>
        <source>Не удалось получить текущий плейлист %1&apos;а.
Коллекция не изменена.</source>
        <translation>Could not get the current playlist of %1.
The collection is unchanged.</translation>
    </message>
    <message>
        <source>Для обмена списками с Audacious нужна программа audtool, но она не найдена.
Установите пакет audacious, в который она входит.</source>
        <translation>Exchanging lists with Audacious needs the program audtool, which was not found.
Install the audacious package, which includes it.</translation>
    </message>
    <message>
        <source>В указанном каталоге нет исполняемого файла %1&apos;а.
Выберите другую папку...</source>
        <translation>The folder given holds no %1 program file.
Choose another folder...</translation>
    </message>
    <message>
        <source>Не удалось сохранить настройки</source>
        <translation>Could not save the settings</translation>
    </message>
    <message>
        <source>Пожалуйста, остановите процесс разбиения перед выходом</source>
        <translation>Please stop the division before you exit</translation>
    </message>
    <message>
        <source>Эта команда очистит результаты предыдущего разбиения!

Продолжить?</source>
        <translation>This command clears the results of the previous division!

Continue?</translation>
    </message>
    <message>
        <source>Не удалось открыть «%1»: нет программы, которая его открывает.</source>
        <translation>Could not open “%1”: no program opens it.</translation>
    </message>
    <message>
        <source>Файл справки (%1) не найден!</source>
        <translation>The help file (%1) was not found!</translation>
    </message>
    <message>
        <source>ссылка «%1» указывает на путь с именем длиннее 255 байт, такую ссылку образ не хранит</source>
        <translation>the link “%1” points to a path with a name longer than 255 bytes; an image cannot hold such a link</translation>
    </message>
    <message>
        <source>ссылка «%1» указывает на путь длиной 1024 байта или больше, такую ссылку образ не хранит</source>
        <translation>the link “%1” points to a path of 1024 bytes or more; an image cannot hold such a link</translation>
    </message>
    <message>
        <source>путь «%1» длиной 4096 байт или больше, такой путь образ не читает</source>
        <translation>the path “%1” is 4096 bytes long or longer; an image cannot read such a path</translation>
    </message>
    <message>
        <source>%1
Это известная ошибка libisofs: она неверно размещает записи Rock Ridge, когда в одной папке много очень длинных имён (около 240 байт) или ссылок на длинные пути. Сократите самые длинные имена или пути ссылок в этой папке.</source>
        <translation>%1
This is a known fault of libisofs: it misplaces Rock Ridge records when one folder holds many very long names (about 240 bytes) or links to long paths. Shorten the longest names or link paths in that folder.</translation>
    </message>
    <message>
        <source>Следующие файлы и папки не являются списками воспроизведения (M3U) и не добавлены в коллекцию:
%1</source>
        <translation>These files and folders are not playlists (M3U) and were not added to the collection:
%1</translation>
    </message>
    <message>
        <source>В списке воспроизведения не найдена информация о длине композиции «%1»!
Убедитесь, что в %2 для каждой композиции указана продолжительность.

Пропустить композицию и продолжить загрузку PlayList&apos;a?</source>
        <translation>The playlist holds no length for the track “%1”!
Make sure that %2 gives a length for every track.

Skip the track and go on loading the playlist?</translation>
    </message>
    <message>
        <source>Winampe</source>
        <translation>Winamp</translation>
    </message>
    <message>
        <source>Не удалось скопировать «%1» в «%2»:
%3
Для оставшихся файлов носителя нужно ещё %4 Б, свободно %5 Б. Файлы, которые не поместятся, будут пропущены без вопросов.

Пропустить и продолжить?</source>
        <translation>Could not copy “%1” to “%2”:
%3
The remaining files of the medium need %4 B more, %5 B are free. Files that do not fit will be skipped without asking.

Skip it and go on?</translation>
    </message>
    <message>
        <source>Не удалось переместить «%1» в «%2»:
%3
Для оставшихся файлов носителя нужно ещё %4 Б, свободно %5 Б. Файлы, которые не поместятся, будут пропущены без вопросов.

Пропустить и продолжить?</source>
        <translation>Could not move “%1” to “%2”:
%3
The remaining files of the medium need %4 B more, %5 B are free. Files that do not fit will be skipped without asking.

Skip it and go on?</translation>
    </message>
    <message>
        <source>Скрытые и системные файлы и папки не учитываются в объёме носителей и не перемещались: они остались на прежнем месте вместе с папками, в которых лежат. Их число: %1</source>
        <translation>Hidden and system files and folders are not counted in the media and were not moved: they stayed where they were, together with the folders that hold them. Their number: %1</translation>
    </message>
</context>
<context>
    <name>TdlgDirTooBig</name>
    <message>
        <source> - Предупреждение</source>
        <translation> - Warning</translation>
    </message>
    <message>
        <source> Выберите действие </source>
        <translation> Choose an action </translation>
    </message>
    <message>
        <source>вместо папки добавить в коллекцию её файлы и подпапки</source>
        <translation>add the folder&apos;s files and subfolders to the collection instead</translation>
    </message>
    <message>
        <source>исключить папку из рассмотрения</source>
        <translation>leave the folder out</translation>
    </message>
    <message>
        <source>использовать этот ответ во всех подобных случаях</source>
        <translation>use this answer in all such cases</translation>
    </message>
    <message>
        <source>О&amp;тмена</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>TdlgWinampPath</name>
    <message>
        <source>Для работы программе необходим</source>
        <translation>The program needs</translation>
    </message>
    <message>
        <source>Winamp 1.666 - 2.хх</source>
        <translation>Winamp 1.666 - 2.xx</translation>
    </message>
    <message>
        <source>В Вашей системе Winamp не установлен, не корректно удалён или установлен не правильно (без запуска программы инсталяции).</source>
        <translation>Winamp is not installed on your system, was removed incompletely, or was installed incorrectly (without running its installer).</translation>
    </message>
    <message>
        <source>Если Winamp присутствует на диске, укажите каталог, где находится файл </source>
        <translation>If Winamp is on the disk, give the folder that holds the file </translation>
    </message>
    <message>
        <source>Выберите каталог с файлом </source>
        <translation>Choose the folder with the file </translation>
    </message>
    <message>
        <source>О&amp;тмена</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Версия:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Веб-сайт:</source>
        <translation>Web site:</translation>
    </message>
    <message>
        <source>Лицензия:</source>
        <translation>Licence:</translation>
    </message>
    <message>
        <source>GNU GPL версии 3 или более поздней (GPL-3.0-or-later)</source>
        <translation>GNU GPL version 3 or later (GPL-3.0-or-later)</translation>
    </message>
    <message>
        <source>Программирование: </source>
        <translation>Programming: </translation>
    </message>
    <message>
        <source>Справка: </source>
        <translation>Help: </translation>
    </message>
    <message>
        <source>жду отзывы, предложения, багрепорты</source>
        <translation>feedback, suggestions and bug reports welcome</translation>
    </message>
    <message>
        <source>Написать письмо: </source>
        <translation>Write to: </translation>
    </message>
    <message>
        <source>&amp;ОК</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>?subject=Справка%20к%20Orbek%20Vantrel%20v</source>
        <translation>?subject=Help%20of%20Orbek%20Vantrel%20v</translation>
    </message>
</context>
<context>
    <name>TfrmVantrelMain</name>
    <message>
        <source>Коллекция</source>
        <translation>Collection</translation>
    </message>
    <message>
        <source>Разбиение</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Результаты</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Сохранить настройки</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <source>  &amp;Автосохранение</source>
        <translation>  &amp;Autosave</translation>
    </message>
    <message>
        <source>В&amp;ыход</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Справка...</source>
        <translation>&amp;Help...</translation>
    </message>
    <message>
        <source>&amp;О программе...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Разбиваем</source>
        <translation>Dividing</translation>
    </message>
    <message>
        <source>файлы и папки</source>
        <translation>files and folders</translation>
    </message>
    <message>
        <source>музкомпозиции</source>
        <translation>music tracks</translation>
    </message>
    <message>
        <source> Состав сборника: </source>
        <translation> Collection: </translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>&amp;Добавить... </source>
        <translation>&amp;Add... </translation>
    </message>
    <message>
        <source>&amp;Исключить </source>
        <translation>&amp;Remove </translation>
    </message>
    <message>
        <source>Способ добавления</source>
        <translation>How to add</translation>
    </message>
    <message>
        <source>Что исключить</source>
        <translation>What to remove</translation>
    </message>
    <message>
        <source>№ группы:</source>
        <translation>Group no.:</translation>
    </message>
    <message>
        <source>Элементы из одной группы попадут на один носитель</source>
        <translation>Items of one group go onto one medium</translation>
    </message>
    <message>
        <source>выделенное</source>
        <translation>selected</translation>
    </message>
    <message>
        <source>всё</source>
        <translation>all</translation>
    </message>
    <message>
        <source>Добавить...</source>
        <translation>Add...</translation>
    </message>
    <message>
        <source>Добавить </source>
        <translation>Add </translation>
    </message>
    <message>
        <source>Исключить</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Выберите файлы коллекции для разбиения</source>
        <translation>Choose the files of the collection to divide</translation>
    </message>
    <message>
        <source>Любые файлы (*)</source>
        <translation>Any files (*)</translation>
    </message>
    <message>
        <source>Выберите папку для включения в коллекцию</source>
        <translation>Choose a folder to add to the collection</translation>
    </message>
    <message>
        <source>Выберите папку с коллекцией</source>
        <translation>Choose the folder of the collection</translation>
    </message>
    <message>
        <source>Выберите список воспроизведения</source>
        <translation>Choose a playlist</translation>
    </message>
    <message>
        <source>Списки воспроизведения (*.m3u *.M3U)</source>
        <translation>Playlists (*.m3u *.M3U)</translation>
    </message>
    <message>
        <source>Добавление новых файлов...</source>
        <translation>Adding new files...</translation>
    </message>
    <message>
        <source>Получение плейлиста Winamp&apos;а...</source>
        <translation>Getting Winamp&apos;s playlist...</translation>
    </message>
    <message>
        <source>Выбрано: </source>
        <translation>Selected: </translation>
    </message>
    <message>
        <source>Идёт разбиение, пожалуйста подождите...</source>
        <translation>Dividing, please wait...</translation>
    </message>
    <message>
        <source> Объём носителя </source>
        <translation> Medium capacity </translation>
    </message>
    <message>
        <source> Объём звуконосителя </source>
        <translation> Audio medium capacity </translation>
    </message>
    <message>
        <source>&amp;произвольный:</source>
        <translation>&amp;custom:</translation>
    </message>
    <message>
        <source>Единица объёма</source>
        <translation>Capacity unit</translation>
    </message>
    <message>
        <source>учитывать файловую &amp;систему диска (ISO 9660)</source>
        <translation>allow for the disc&apos;s file s&amp;ystem (ISO 9660)</translation>
    </message>
    <message>
        <source>Считать, сколько каждый элемент займёт в образе диска: файлы целыми блоками по 2048 байт, имена в каталогах, служебные области образа. Тогда образ каждого носителя наверняка поместится на диск.</source>
        <translation>Count what each item takes in a disc image: files in whole blocks of 2048 bytes, names in folders, the image&apos;s own areas. Then each medium&apos;s image surely fits on the disc.</translation>
    </message>
    <message>
        <source>мин</source>
        <translation>min</translation>
    </message>
    <message>
        <source>Учесть паузу в</source>
        <translation>Allow a pause of</translation>
    </message>
    <message>
        <source>сек у каждой композиции</source>
        <translation>s for each track</translation>
    </message>
    <message>
        <source>Допуск</source>
        <translation>Tolerance</translation>
    </message>
    <message>
        <source>Заполнять носитель на</source>
        <translation>Fill the medium to</translation>
    </message>
    <message>
        <source>Нижняя граница</source>
        <translation>Lower bound</translation>
    </message>
    <message>
        <source>Верхняя граница</source>
        <translation>Upper bound</translation>
    </message>
    <message>
        <source>Работа </source>
        <translation>Work </translation>
    </message>
    <message>
        <source>&amp;Разделить</source>
        <translation>&amp;Divide</translation>
    </message>
    <message>
        <source>&amp;Остановить</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>&amp;Взять лучший</source>
        <translation>Take &amp;best</translation>
    </message>
    <message>
        <source>Закончить поиск для текущего носителя лучшим найденным вариантом и продолжить со следующим носителем. Полезно, когда один носитель подбирается слишком долго.</source>
        <translation>End the search for the current medium with the best variant found and go on with the next medium. Useful when one medium takes too long.</translation>
    </message>
    <message>
        <source>Носитель:</source>
        <translation>Medium:</translation>
    </message>
    <message>
        <source>Элементов:</source>
        <translation>Items:</translation>
    </message>
    <message>
        <source>Вариант:</source>
        <translation>Variant:</translation>
    </message>
    <message>
        <source>Время разбиения</source>
        <translation>Division time</translation>
    </message>
    <message>
        <source>Приоритет процесса:</source>
        <translation>Process priority:</translation>
    </message>
    <message>
        <source>Понизить приоритет</source>
        <translation>Lower the priority</translation>
    </message>
    <message>
        <source>Повысить приоритет</source>
        <translation>Raise the priority</translation>
    </message>
    <message>
        <source>Система не разрешает этот приоритет, действует «%1»</source>
        <translation>The system does not allow this priority; “%1” is in force</translation>
    </message>
    <message>
        <source>Проверка размера элементов...</source>
        <translation>Checking the sizes of the items...</translation>
    </message>
    <message>
        <source>работать при простое</source>
        <translation>idle only</translation>
    </message>
    <message>
        <source>самый низкий</source>
        <translation>lowest</translation>
    </message>
    <message>
        <source>ниже нормального</source>
        <translation>below normal</translation>
    </message>
    <message>
        <source>нормальный</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>выше нормального</source>
        <translation>above normal</translation>
    </message>
    <message>
        <source>самый высокий</source>
        <translation>highest</translation>
    </message>
    <message>
        <source>критический</source>
        <translation>critical</translation>
    </message>
    <message>
        <source>Состав  </source>
        <translation>Contents  </translation>
    </message>
    <message>
        <source>Носитель </source>
        <translation>Medium </translation>
    </message>
    <message>
        <source>Носитель</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Передать список в &amp;Winamp</source>
        <translation>Send the list to &amp;Winamp</translation>
    </message>
    <message>
        <source>Передача списка в Winamp...</source>
        <translation>Sending the list to Winamp...</translation>
    </message>
    <message>
        <source>Выбрать каталог</source>
        <translation>Choose the folder</translation>
    </message>
    <message>
        <source>для </source>
        <translation>for </translation>
    </message>
    <message>
        <source>создать подкаталог(и) «имя№» и</source>
        <translation>make subfolder(s) “name#” and</translation>
    </message>
    <message>
        <source>записать &amp;контрольные суммы «имя№.sha256» при копировании</source>
        <translation>write &amp;checksums “name#.sha256” when copying</translation>
    </message>
    <message>
        <source>Образ ISO: до </source>
        <translation>ISO image: up to </translation>
    </message>
    <message>
        <source> из </source>
        <translation> of </translation>
    </message>
    <message>
        <source>№ = номер носителя</source>
        <translation># = medium number</translation>
    </message>
    <message>
        <source>Выберите папку, в которой будут собраны результаты разбиения</source>
        <translation>Choose the folder to gather the results of the division in</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Имя файла не может содержать
символы   \ / : * ? &quot; &lt; &gt; |</source>
        <translation>A file name cannot contain
the characters   \ / : * ? &quot; &lt; &gt; |</translation>
    </message>
    <message>
        <source>Открыть &amp;папку</source>
        <translation>&amp;Open folder</translation>
    </message>
    <message>
        <source>Списки записаны для носителей: </source>
        <translation>Lists written for media: </translation>
    </message>
    <message>
        <source>Плейлисты записаны для носителей: </source>
        <translation>Playlists written for media: </translation>
    </message>
    <message>
        <source>Перемещены элементы носителей: </source>
        <translation>Items moved for media: </translation>
    </message>
    <message>
        <source>Скопированы элементы носителей: </source>
        <translation>Items copied for media: </translation>
    </message>
    <message>
        <source>Образы записаны для носителей: </source>
        <translation>Images written for media: </translation>
    </message>
    <message>
        <source>; не удалось: </source>
        <translation>; failed: </translation>
    </message>
    <message>
        <source>; прервано</source>
        <translation>; stopped</translation>
    </message>
    <message>
        <source>, в каталоге </source>
        <translation>, in the folder </translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Длина</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Всего: </source>
        <translation>Total: </translation>
    </message>
    <message>
        <source>Всего: 0</source>
        <translation>Total: 0</translation>
    </message>
    <message>
        <source>Получение плейлиста Winamp&apos;а: %1 из %2</source>
        <translation>Getting Winamp&apos;s playlist: %1 of %2</translation>
    </message>
    <message>
        <source>Разб&amp;ивать:</source>
        <translation>&amp;Method:</translation>
    </message>
    <message>
        <source>как можно полнее каждый носитель</source>
        <translation>each medium as full as possible</translation>
    </message>
    <message>
        <source>на наименьшее число носителей</source>
        <translation>onto the fewest media</translation>
    </message>
    <message>
        <source>Как можно полнее каждый носитель: носители заполняются по очереди, каждый как можно полнее. На наименьшее число носителей: все элементы размещаются на как можно меньшем числе носителей, первые заполнены полнее, последний получает остаток; на странице результатов сказано, доказано ли, что меньше нельзя.</source>
        <translation>Each medium as full as possible: the media are filled in turn, each as full as it can be. Onto the fewest media: all items are placed on as few media as possible, the first ones fullest, the last one taking the rest; the Results page says whether fewer has been proven impossible.</translation>
    </message>
    <message>
        <source>Носителей: </source>
        <translation>Media: </translation>
    </message>
    <message>
        <source>, минимум: %1 — достигнут</source>
        <translation>, minimum: %1 — reached</translation>
    </message>
    <message>
        <source>, минимум: не меньше %1 — возможно, лишних носителей: %2</source>
        <translation>, minimum: at least %1 — possibly %2 media too many</translation>
    </message>
    <message>
        <source>&amp;учитывать скрытые файлы и папки</source>
        <translation>count &amp;hidden files and folders</translation>
    </message>
    <message>
        <source>Считать в размерах папок скрытые файлы и папки (имена с точкой в начале) и записывать их на носители. Без этой отметки они не учитываются, не копируются, не попадают в образы, а при перемещении остаются на месте.</source>
        <translation>Count hidden files and folders (names beginning with a dot) in the sizes of folders and write them onto the media. Without this mark they are not counted, not copied, not put into images, and a move leaves them where they are.</translation>
    </message>
    <message>
        <source>&amp;файл(ы)...</source>
        <translation>&amp;file(s)...</translation>
    </message>
    <message>
        <source>&amp;папку...</source>
        <translation>f&amp;older...</translation>
    </message>
    <message>
        <source>&amp;всё из папки...</source>
        <translation>&amp;everything in a folder...</translation>
    </message>
    <message>
        <source>из файла п&amp;лейлиста .m3u...</source>
        <translation>from an .m3u &amp;playlist file...</translation>
    </message>
    <message>
        <source>из &amp;текущего плейлиста Winamp&apos;а</source>
        <translation>from Winamp&apos;s &amp;current playlist</translation>
    </message>
    <message>
        <source>В к&amp;аталоге</source>
        <translation>In the fol&amp;der</translation>
    </message>
    <message>
        <source>в&amp;ыбранного носителя</source>
        <translation>the &amp;selected medium</translation>
    </message>
    <message>
        <source>всех &amp;носителей</source>
        <translation>all m&amp;edia</translation>
    </message>
    <message>
        <source>создать &amp;список(ки) элементов «имя№.txt»</source>
        <translation>write item &amp;list(s) “name#.txt”</translation>
    </message>
    <message>
        <source>создать playlist(ы) «имя№.m3u» &amp;для Winamp&apos;а</source>
        <translation>write &amp;playlist(s) “name#.m3u” for Winamp</translation>
    </message>
    <message>
        <source>пере&amp;местить /</source>
        <translation>&amp;move /</translation>
    </message>
    <message>
        <source>ск&amp;опировать элементы</source>
        <translation>cop&amp;y the items</translation>
    </message>
    <message>
        <source>создать о&amp;браз(ы) «имя№.iso»</source>
        <translation>make disc &amp;image(s) “name#.iso”</translation>
    </message>
    <message>
        <source>где &amp;имя =</source>
        <translation>where &amp;name =</translation>
    </message>
    <message>
        <source>&amp;Выполнить</source>
        <translation>&amp;Run</translation>
    </message>
</context>
<context>
    <name>WorkTitleTexts</name>
    <message>
        <source>Носитель №%1 Сбор файлов в один каталог...</source>
        <translation>Medium #%1 Gathering the files into one folder...</translation>
    </message>
    <message>
        <source>Носитель №%1 Создание образа диска...</source>
        <translation>Medium #%1 Making the disc image...</translation>
    </message>
</context>
</TS>
