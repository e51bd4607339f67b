#pragma once
// String ids of the apps subsystem (block 2100-, see StringIds.h).

namespace AppsStr {}  // namespace AppsStr
