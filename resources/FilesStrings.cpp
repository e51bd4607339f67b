#include "resources/FilesStrings.h"
#include "resources/StringTables.h"

namespace {
const StringEntry kTable[] = {
    {FilesStr::kFolderCreateFailed,
     "The folder \"%s\" cannot be created (%s).\nSettings, records and the run log cannot be "
     "kept.",
     "无法创建文件夹 \"%s\" (%s)。\n设置、记录和运行日志将无法保存。",
     "無法建立資料夾 \"%s\" (%s)。\n設定、記錄和執行記錄將無法儲存。"},
    {FilesStr::kFolderNotWritable,
     "The folder \"%s\" cannot be written to.\nSettings, records and the run log cannot be "
     "kept.",
     "文件夹 \"%s\" 无法写入。\n设置、记录和运行日志将无法保存。",
     "資料夾 \"%s\" 無法寫入。\n設定、記錄和執行記錄將無法儲存。"},
    {FilesStr::kFolderIsFile,
     "\"%s\" is a file, not a folder.\nSettings, records and the run log cannot be kept.",
     "\"%s\" 是一个文件，而不是文件夹。\n设置、记录和运行日志将无法保存。",
     "\"%s\" 是一個檔案，而不是資料夾。\n設定、記錄和執行記錄將無法儲存。"},
};
}  // namespace

std::span<const StringEntry> filesStrings() {
    return kTable;
}
