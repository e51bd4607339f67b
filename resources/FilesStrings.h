#pragma once
// String ids of the files subsystem (block 1500-, see StringIds.h).

namespace FilesStr {}  // namespace FilesStr
