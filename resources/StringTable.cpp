#include "resources/StringTable.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "resources/StringTables.h"

namespace {

std::atomic<int> g_language{kLangEnglish};

struct Table {
    std::vector<StringEntry> entries;  // sorted by id

    Table() {
        for (auto part : {coreStrings(), deviceStrings(), acquisitionStrings(), colorStrings(),
                          filesStrings(), shellStrings(), chartStrings(), appsStrings()}) {
            entries.insert(entries.end(), part.begin(), part.end());
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; });
    }

    const StringEntry* find(int id) const {
        auto it = std::lower_bound(entries.begin(), entries.end(), id,
                                   [](const StringEntry& e, int key) { return e.id < key; });
        return (it != entries.end() && it->id == id) ? &*it : nullptr;
    }
};

const Table& table() {
    static const Table t;
    return t;
}

}  // namespace

int languageIdFromSetting(int languageValue) {
    if (languageValue == 0) return kLangEnglish;
    if (languageValue == 1) return kLangSimplifiedChinese;
    return kLangTraditionalChinese;
}

void setUiLanguage(int languageId) {
    if (languageId != kLangSimplifiedChinese && languageId != kLangTraditionalChinese)
        languageId = kLangEnglish;
    g_language.store(languageId);
}

int uiLanguage() {
    return g_language.load();
}

const char* loadString(int id, int languageId) {
    const StringEntry* e = table().find(id);
    if (!e) return "";
    const char* text = e->en;
    if (languageId == kLangSimplifiedChinese) text = e->zhCN;
    if (languageId == kLangTraditionalChinese) text = e->zhTW;
    return (text && *text) ? text : e->en;
}

const char* loadString(int id) {
    return loadString(id, uiLanguage());
}

bool hasString(int id) {
    return table().find(id) != nullptr;
}

std::span<const StringEntry> allStrings() {
    return table().entries;
}
