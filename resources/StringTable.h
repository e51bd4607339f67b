#pragma once
// The program's string table: every user-visible text by integer id, in English (1033),
// Simplified Chinese (2052) and Traditional Chinese (1028). Texts are UTF-8.
//
// Each subsystem keeps its own ids header and table file here (CoreStrings.h/.cpp, ...);
// StringTable.cpp joins the tables. Id ranges per subsystem are listed in StringIds.h.

#include <cstddef>
#include <span>
#include <string>

enum LanguageId : int {
    kLangEnglish = 1033,
    kLangSimplifiedChinese = 2052,
    kLangTraditionalChinese = 1028,
};

struct StringEntry {
    int id;
    const char* en;    ///< English text
    const char* zhCN;  ///< Simplified Chinese text
    const char* zhTW;  ///< Traditional Chinese text
};

/// The "Language" setting as stored: 0 English, 1 Simplified Chinese, any other value
/// Traditional Chinese.
int languageIdFromSetting(int languageValue);

/// Picks the language of every later loadString(); ids other than the three fall back to English.
void setUiLanguage(int languageId);
int uiLanguage();

/// Text of id in the UI language; an empty string for an unknown id.
const char* loadString(int id);
const char* loadString(int id, int languageId);
inline std::string loadStdString(int id) {
    return loadString(id);
}

/// True when the table holds id (used by tests that check every id a module uses).
bool hasString(int id);

/// All entries of all tables, for checks over the whole table.
std::span<const StringEntry> allStrings();
