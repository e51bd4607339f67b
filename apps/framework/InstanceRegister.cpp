#include "apps/framework/InstanceRegister.h"

#include <algorithm>

namespace {
bool validType(int appType) {
    return appType >= 0 && appType < kApplicationCodes;
}
}  // namespace

int CInstanceRegister::lastNumber(int appType) const {
    if (!validType(appType) || lists[appType].empty()) return 0;
    return lists[appType].back();
}

int CInstanceRegister::reserve(int appType) {
    if (!validType(appType)) return 0;
    const int n = nextInstanceNumber(lists[appType]);
    lists[appType].push_back(n);
    return n;
}

void CInstanceRegister::release(int appType, int number) {
    if (!validType(appType)) return;
    std::erase(lists[appType], number);
}
