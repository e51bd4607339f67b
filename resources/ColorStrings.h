#pragma once
// String ids of the color subsystem (block 1400-, see StringIds.h).

namespace ColorStr {}  // namespace ColorStr
