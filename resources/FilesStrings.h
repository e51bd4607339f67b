#pragma once
// String ids of the files subsystem (block 1500-1699, see StringIds.h).

namespace FilesStr {
// Folders and the configuration (1500-1519).
constexpr int kFolderCreateFailed = 1500;  ///< "%s": folder, "%s": reason
constexpr int kFolderNotWritable = 1501;   ///< "%s": folder
constexpr int kFolderIsFile = 1502;        ///< "%s": path
}  // namespace FilesStr
