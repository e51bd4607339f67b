#pragma once
// String ids of the files subsystem (block 1500-1699, see StringIds.h).

namespace FilesStr {
// Folders and the configuration (1500-1519).
constexpr int kFolderCreateFailed = 1500;  ///< "%s": folder, "%s": reason
constexpr int kFolderNotWritable = 1501;   ///< "%s": folder
constexpr int kFolderIsFile = 1502;        ///< "%s": path

// Data files (1520-1559).
constexpr int kFileOpenFailed = 1520;     ///< "File could not be opened!"
constexpr int kExportSuccess = 1521;      ///< text of the export notification
constexpr int kMessageCaption = 1522;     ///< caption of the export notification
constexpr int kImport = 1523;             ///< "Import", first word of the import dialog title
constexpr int kExport = 23;               ///< "Export", first word of the export dialog title
constexpr int kImportFilter = 1525;       ///< "%s": type name, "%s" "%s": extension twice
constexpr int kExportFilter = 1526;       ///< as kImportFilter, without the blank
constexpr int kTableExportTitle = 1527;   ///< "%s": type name
constexpr int kTableExportFilter = 1528;  ///< "%s": type name, extension twice
constexpr int kSaveFileError = 1529;      ///< "%s": path
constexpr int kTooManyPoints = 1530;      ///< "%s": path, "%d": the limit
constexpr int kNotGbk = 1531;             ///< "%s": path, "%s": the character
constexpr int kWriteFailed = 1532;        ///< "%s": path, "%s": reason
constexpr int kFileTooLarge = 1533;       ///< "%s": path
constexpr int kImportTip = 1534;          ///< tool tip of the Import Data command
constexpr int kExportTip = 1535;          ///< tool tip of the Export Data command
constexpr int kRecordManagerTip = 1536;   ///< tool tip of the Record Manager command

// Records manager (1560-1579).
constexpr int kRecordsManager = 1560;
constexpr int kColumnChecked = 1561;
constexpr int kColumnRecord = 1562;
constexpr int kColumnColor = 1563;
constexpr int kDelete = 1564;
}  // namespace FilesStr
