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
    {FilesStr::kFileOpenFailed, "File could not be opened!", "文件无法打开！", "檔案無法開啟！"},
    {FilesStr::kExportSuccess, "Export data successfully!", "导出数据成功！", "匯出資料成功！"},
    {FilesStr::kMessageCaption, "Message", "消息", "訊息"},
    {FilesStr::kImport, "Import", "导入", "匯入"},
    {FilesStr::kExport, "Export", "导出", "匯出"},
    {FilesStr::kImportFilter, "%s (*%s;*.txt)|*%s;*.txt|All Files(*.*)|*.*|",
     "%s (*%s;*.txt)|*%s;*.txt|所有文件(*.*)|*.*|", "%s (*%s;*.txt)|*%s;*.txt|所有檔案(*.*)|*.*|"},
    {FilesStr::kExportFilter, "%s(*%s;*.txt)|*%s;*.txt|All Files(*.*)|*.*|",
     "%s(*%s;*.txt)|*%s;*.txt|所有文件(*.*)|*.*|", "%s(*%s;*.txt)|*%s;*.txt|所有檔案(*.*)|*.*|"},
    {FilesStr::kTableExportTitle, "Export %s File", "导出%s文件", "匯出%s檔案"},
    {FilesStr::kTableExportFilter, "%s File(*%s;*.txt)|*%s;*.txt|All Files(*.*)|*.*|",
     "%s文件(*%s;*.txt)|*%s;*.txt|所有文件(*.*)|*.*|",
     "%s檔案(*%s;*.txt)|*%s;*.txt|所有檔案(*.*)|*.*|"},
    {FilesStr::kSaveFileError, "Save file '%s ' error !", "保存文件 '%s ' 出错！",
     "儲存檔案 '%s ' 錯誤！"},
    {FilesStr::kTooManyPoints, "The file '%s' holds more than %d data points. It was not loaded.",
     "文件 '%s' 的数据点超过 %d 个，未导入。", "檔案 '%s' 的資料點超過 %d 個，未匯入。"},
    {FilesStr::kNotGbk,
     "The file '%s' was not written: the character \"%s\" in its text cannot be stored in code "
     "page 936 (GBK).",
     "文件 '%s' 未写入：其中的字符 \"%s\" 无法以代码页 936 (GBK) 保存。",
     "檔案 '%s' 未寫入：其中的字元 \"%s\" 無法以字碼頁 936 (GBK) 儲存。"},
    {FilesStr::kWriteFailed,
     "The file '%s' could not be written (%s). An earlier file of that name is kept.",
     "文件 '%s' 无法写入 (%s)。同名的原有文件保持不变。",
     "檔案 '%s' 無法寫入 (%s)。同名的原有檔案保持不變。"},
    {FilesStr::kFileTooLarge, "The file '%s' is too large to be a data file. It was not loaded.",
     "文件 '%s' 太大，不是数据文件，未导入。", "檔案 '%s' 太大，不是資料檔案，未匯入。"},
    {FilesStr::kImportTip, "Import Data From File", "从文件导入数据", "從檔案匯入資料"},
    {FilesStr::kExportTip, "Export Data To File", "导出数据到文件", "匯出資料到檔案"},
    {FilesStr::kRecordManagerTip, "Manage Imported Records", "管理导入的记录", "管理匯入的記錄"},
    {FilesStr::kRecordsManager, "Records Manager", "记录管理器", "記錄管理員"},
    {FilesStr::kColumnChecked, "Checked", "显示", "顯示"},
    {FilesStr::kColumnRecord, "Record", "记录", "記錄"},
    {FilesStr::kColumnColor, "Color", "颜色", "顏色"},
    {FilesStr::kDelete, "Delete", "删除", "刪除"},
};
}  // namespace

std::span<const StringEntry> filesStrings() {
    return kTable;
}
