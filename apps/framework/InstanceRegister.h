#pragma once
// The per-application lists of open view numbers. One register per view context (the main
// frame); the views share its ownership so a view closed while the frame is being torn down
// still finds it.

#include <array>
#include <vector>

#include "apps/framework/ViewRules.h"

struct CInstanceRegister {
    std::array<std::vector<int>, kApplicationCodes> lists;

    /// The last number of appType's list, 0 when it is empty.
    int lastNumber(int appType) const;
    /// Appends the number the next view of appType takes and returns it.
    int reserve(int appType);
    /// Removes every occurrence of number.
    void release(int appType, int number);
};
