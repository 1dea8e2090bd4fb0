#pragma once
// What the work commands tell the user, each text written once. "%1" stands
// for the work's or the file's name.

namespace aqualen::work {

// The question before the open work is replaced or the program ends.
inline constexpr const char* kSaveChangesQuestion = "Сохранить изменения в работе «%1»?";
// The question at start-up when a copy of an unsaved work was left behind.
inline constexpr const char* kRecoverQuestion = "Восстановить несохраненную работу?";
// The name of a work not yet saved to a file.
inline constexpr const char* kUntitledWork = "Без имени";

// Reading a work file; each says what is wrong with it.
inline constexpr const char* kWorkUnreadable = "Не удается прочитать файл «%1»!";
inline constexpr const char* kWorkTooLarge = "Файл «%1» больше 256 МБ и не может быть работой!";
inline constexpr const char* kWorkNotJson = "Файл «%1» не является файлом работы: в нем нет документа JSON!";
inline constexpr const char* kWorkDamaged = "Файл работы «%1» поврежден: %2!";
inline constexpr const char* kWorkUnknownFormat = "Файл «%1» не является файлом работы Aqualen!";
inline constexpr const char* kWorkNewerVersion =
    "Файл работы «%1» записан более новой версией программы (формат %2, эта версия читает до %3)!";
// Writing one.
inline constexpr const char* kWorkNotWritten = "Не удается записать работу в файл «%1»: %2!";

} // namespace aqualen::work
