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
    <name>HelpBook</name>
    <message>
        <source>Файл справки (</source>
        <translation>The help file (</translation>
    </message>
    <message>
        <source>) не найден!</source>
        <translation>) was not found!</translation>
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
    <message>
        <source>В указанном каталоге нет исполняемого файла Winamp&apos;а.
Выберите другую папку...</source>
        <translation>The folder given holds no Winamp program file.
Choose another folder...</translation>
    </message>
</context>
<context>
    <name>TellingUrlOpener</name>
    <message>
        <source>Не удалось открыть «%1»: нет программы, которая его открывает.</source>
        <translation>Could not open “%1”: no program opens it.</translation>
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
        <source>файл(ы)...</source>
        <translation>file(s)...</translation>
    </message>
    <message>
        <source>папку...</source>
        <translation>folder...</translation>
    </message>
    <message>
        <source>всё из папки...</source>
        <translation>everything in a folder...</translation>
    </message>
    <message>
        <source>из файла плейлиста .m3u...</source>
        <translation>from an .m3u playlist file...</translation>
    </message>
    <message>
        <source>из текущего плейлиста Winamp&apos;а</source>
        <translation>from Winamp&apos;s current playlist</translation>
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
        <source>В каталоге</source>
        <translation>In the folder</translation>
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
        <source>выбранного носителя</source>
        <translation>the selected medium</translation>
    </message>
    <message>
        <source>всех носителей</source>
        <translation>all media</translation>
    </message>
    <message>
        <source>создать список(ки) элементов «имя№.txt»</source>
        <translation>write item list(s) “name#.txt”</translation>
    </message>
    <message>
        <source>создать playlist(ы) «имя№.m3u» для Winamp&apos;а</source>
        <translation>write playlist(s) “name#.m3u” for Winamp</translation>
    </message>
    <message>
        <source>создать подкаталог(и) «имя№» и</source>
        <translation>make subfolder(s) “name#” and</translation>
    </message>
    <message>
        <source>переместить /</source>
        <translation>move /</translation>
    </message>
    <message>
        <source>скопировать элементы</source>
        <translation>copy the items</translation>
    </message>
    <message>
        <source>создать образ(ы) «имя№.iso»</source>
        <translation>make disc image(s) “name#.iso”</translation>
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
        <source>где имя =</source>
        <translation>where name =</translation>
    </message>
    <message>
        <source>№ = номер носителя</source>
        <translation># = medium number</translation>
    </message>
    <message>
        <source>Выполнить</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Выберите папку, в которой будут собраны результаты разбиения</source>
        <translation>Choose the folder to gather the results of the division in</translation>
    </message>
    <message>
        <source>Не удалось создать базовый каталог для результатов</source>
        <translation>Could not create the base folder for the results</translation>
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
</context>
</TS>
