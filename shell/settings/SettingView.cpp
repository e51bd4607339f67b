#include "shell/settings/SettingView.h"

#include "resources/DeviceStrings.h"
#include "resources/StringTable.h"
#include "shell/settings/ControlPanel.h"

CSettingView::CSettingView(CSpectrometerDevice& device, CSpectrumData& record, CSettings& settings,
                           QWidget* parent)
    : QDockWidget(QString::fromUtf8(loadString(DeviceStr::kMeasurementSetting)), parent) {
    setObjectName(QStringLiteral("settingView"));
    panel_ = new ControlPanel(device, record, settings, this);
    // The dock stretches its widget over the whole client area on every resize.
    setWidget(panel_);
}
