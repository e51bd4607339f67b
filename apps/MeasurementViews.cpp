#include "apps/MeasurementViews.h"

#include "apps/spectrum/CorvaneView.h"
#include "shell/app/ViewTemplates.h"

namespace {
constexpr int kSpectrumTemplate = 0;
}

void registerMeasurementViews() {
    registerViewFactory(kSpectrumTemplate, &createSpectrumView);
}
