#include "shell/app/ViewTemplates.h"

namespace {
ViewTemplate g_templates[kViewTemplateCount] = {
    {"CCorvaneView", nullptr},       {"CReflectivityView", nullptr},
    {"CTransimissionView", nullptr}, {"CAbsorptivityView", nullptr},
    {"CRelIrradianceView", nullptr}, {"CAbsIrradianceView", nullptr},
    {"CColorView", nullptr},         {"CRamanView", nullptr},
    {"CPowerView", nullptr},         {"CConcentrationView", nullptr},
};
}  // namespace

ViewTemplate* viewTemplates() {
    return g_templates;
}

void registerViewFactory(int index, std::function<QWidget*(IViewContext&)> create) {
    if (index >= 0 && index < kViewTemplateCount) g_templates[index].create = std::move(create);
}
