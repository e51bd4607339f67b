#pragma once
// String ids of the shell subsystem (block 1700-, see StringIds.h).

namespace ShellStr {}  // namespace ShellStr
