#include "apps/framework/InstanceRegister.h"

#include <QObject>
#include <algorithm>

#include "shell/app/MainFrame.h"

namespace {
constexpr const char* kHolderName = "corvaneInstanceRegister";

class RegisterHolder : public QObject {
  public:
    explicit RegisterHolder(QObject* parent) : QObject(parent) { setObjectName(kHolderName); }
    std::shared_ptr<CInstanceRegister> reg = std::make_shared<CInstanceRegister>();
};

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

std::shared_ptr<CInstanceRegister> instanceRegister(CMainFrame& frame) {
    // Only this file makes a child of that name, so the cast is safe.
    auto* holder = static_cast<RegisterHolder*>(
        frame.findChild<QObject*>(kHolderName, Qt::FindDirectChildrenOnly));
    if (!holder) holder = new RegisterHolder(&frame);
    return holder->reg;
}
