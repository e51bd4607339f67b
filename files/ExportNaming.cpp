#include "files/ExportNaming.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "files/DataFile.h"
#include "files/Settings.h"
#include "resources/FilesStrings.h"
#include "resources/StringTable.h"

namespace {

constexpr int kFileCountWidth = 3;  // "_%03d": at least three digits

SaveNameAsker& askerSlot() {
    static SaveNameAsker asker;
    return asker;
}

// Fills the "%s" placeholders of a string-table text in order.
std::string fill(int id, std::initializer_list<std::string> args) {
    const std::string text = loadString(id);
    std::string out;
    auto arg = args.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's') {
            if (arg != args.end()) out += *arg++;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

std::string countedName(const std::string& base, int n) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "_%0*d.txt", kFileCountWidth, n);
    return base + suffix;
}

std::string localTimeStamp() {
    char text[32] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

}  // namespace

SaveNameAsker setSaveNameAsker(SaveNameAsker asker) {
    SaveNameAsker previous = std::move(askerSlot());
    askerSlot() = std::move(asker);
    return previous;
}

const SaveNameAsker& saveNameAsker() {
    return askerSlot();
}

std::string exportDialogTitle(int type) {
    return std::string(loadString(FilesStr::kExport)) + " " + dataFileTypeName(type);
}

std::string exportDialogFilter(int type) {
    const std::string ext = dataFileExtension(type);
    return fill(FilesStr::kExportFilter, {dataFileTypeName(type), ext, ext});
}

std::string importDialogTitle(int type) {
    return std::string(loadString(FilesStr::kImport)) + " " + dataFileTypeName(type);
}

std::string importDialogFilter(int type) {
    const std::string ext = dataFileExtension(type);
    return fill(FilesStr::kImportFilter, {dataFileTypeName(type), ext, ext});
}

std::string tableExportDialogTitle(int type) {
    return fill(FilesStr::kTableExportTitle, {dataFileTypeName(type)});
}

std::string tableExportDialogFilter(int type) {
    const std::string ext = dataFileExtension(type);
    return fill(FilesStr::kTableExportFilter, {dataFileTypeName(type), ext, ext});
}

std::string withTxtSuffix(const std::string& chosen) {
    if (chosen.find(".txt") != std::string::npos) return chosen;
    return chosen + ".txt";
}

int nextFileCount(const std::string& base) {
    // Gaps below the highest number are never reused. Past 999 the count goes on, so the name
    // after _999.txt is _1000.txt instead of a file that exists already.
    int n = 999;
    while (n >= 1 && !exists(countedName(base, n)))
        --n;
    if (n < 999) return n + 1;
    n = 1000;
    while (exists(countedName(base, n)))
        ++n;
    return n;
}

std::string buildExportPath(int type, const ExportNameSettings& settings, const SaveNameAsker& ask,
                            const std::string& title, const std::string& filter,
                            const std::string& now) {
    if (settings.fileSuffix == kFileSuffixCustomised) {
        if (!ask) return {};
        const std::string chosen =
            ask(title.empty() ? exportDialogTitle(type) : title, settings.targetDir,
                filter.empty() ? exportDialogFilter(type) : filter);
        if (chosen.empty()) return {};
        return withTxtSuffix(chosen);
    }
    const std::string name = replaceAll(replaceAll(dataFileTypeName(type), " Data", ""), " ", "_");
    const std::string base = settings.baseName.empty()
                                 ? settings.targetDir + "/" + name
                                 : settings.targetDir + "/" + settings.baseName + "_" + name;
    if (settings.fileSuffix == kFileSuffixFileCount) return countedName(base, nextFileCount(base));
    const std::string stamped = base + "_" + (now.empty() ? localTimeStamp() : now);
    // Two exports within one second would share a name: the later one gets "_2", "_3", ...
    std::string path = stamped + ".txt";
    for (int k = 2; exists(path); ++k)
        path = stamped + "_" + std::to_string(k) + ".txt";
    return path;
}

std::string buildExportPath(int type, const CSettings& settings, const std::string& title,
                            const std::string& filter) {
    ExportNameSettings s;
    s.targetDir = settings.targetDir.empty() ? settings.recordDir() : settings.targetDir;
    s.baseName = settings.baseName;
    s.fileSuffix = settings.fileSuffix;
    return buildExportPath(type, s, saveNameAsker(), title, filter);
}

std::string exportNamePreview(const std::string& baseName, int fileSuffix) {
    std::string text = baseName.empty() ? std::string() : baseName + "_";
    if (fileSuffix == kFileSuffixTimestamp) return text + "15-16-35-568.txt";
    if (fileSuffix == kFileSuffixFileCount) return text + "001.txt";
    return text;
}
