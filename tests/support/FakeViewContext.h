#pragma once
// A view context without a main frame: its own record, device manager (nothing connected until
// a test connects), settings in a temporary folder, acquisition block, tab area and registers.
// Views, pages and the chooser are built on it in widget tests.

#include <QWidget>
#include <memory>

#include "acquisition/AcquisitionThread.h"
#include "apps/framework/InstanceRegister.h"
#include "apps/framework/ViewContext.h"
#include "core/SpectrumData.h"
#include "device/AcquisitionSettings.h"
#include "device/DeviceManager.h"
#include "files/AppPaths.h"
#include "files/Settings.h"
#include "shell/app/TabGroupArea.h"

class FakeViewContext : public IViewContext {
  public:
    /// folder: where config.ini and the Record folder go.
    explicit FakeViewContext(const std::string& folder)
        : manager(recordData), tabArea(std::make_unique<CTabGroupArea>()) {
        appSetup.paths.dataDir = folder;
        appSetup.paths.recordDir = folder + "/Record";
        appSetup.paths.configPath = folder + "/config.ini";
        config.setPaths(appSetup.paths.configPath, appSetup.paths.recordDir);
    }

    CSpectrumData& record() override { return recordData; }
    CSpectrometerDevice& device() override { return manager.device(); }
    DeviceManager& deviceManager() override { return manager; }
    RunControl& runControl() override { return run; }
    CSettings& settings() override { return config; }
    const AppSetup& setup() const override { return appSetup; }
    const AcquisitionSettings& acquisitionSettings() const override { return block; }
    void applyAcquisitionSettings(const AcquisitionSettings& values) override {
        block = values;
        ++applied;
    }
    CTabGroupArea* tabs() override { return tabArea.get(); }
    std::shared_ptr<CInstanceRegister> instances() override { return registers; }
    QWidget* dialogParent() override { return tabArea.get(); }

    CSpectrumData recordData;
    DeviceManager manager;
    RunControl run;
    CSettings config;
    AppSetup appSetup;
    AcquisitionSettings block;
    int applied = 0;  ///< applyAcquisitionSettings calls
    std::unique_ptr<CTabGroupArea> tabArea;
    std::shared_ptr<CInstanceRegister> registers = std::make_shared<CInstanceRegister>();
};
