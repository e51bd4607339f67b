#pragma once
// String ids of the core subsystem (block 1000-1099, see StringIds.h).

namespace CoreStr {
constexpr int kFileTypeFirst =
    1000;  ///< names of the 13 data-file types, 1000..1012 in table order
constexpr int kFileTypeCount = 13;
constexpr int kNote = 1020;  ///< caption of every message box
constexpr int kWarn = 1021;
constexpr int kAllocateMemoryFail = 1022;
constexpr int kXUnitTitleFirst = 73;  ///< titles of the six X units, 73..78 in unit order
}  // namespace CoreStr
