#pragma once
// What a measurement view, a wizard page or the application chooser may reach of the program:
// the shared record, the device, run control, the settings, the acquisition-settings block, the
// tab area and the instance registers. The main frame implements it for the whole run; a test
// builds views on a small fake. UI thread only.

#include <memory>

class CSettings;
class CSpectrometerDevice;
class CSpectrumData;
class CTabGroupArea;
class DeviceManager;
class QWidget;
struct AcquisitionSettings;
struct AppSetup;
struct CInstanceRegister;
struct RunControl;

class IViewContext {
  public:
    virtual ~IViewContext() = default;

    virtual CSpectrumData& record() = 0;
    virtual CSpectrometerDevice& device() = 0;
    virtual DeviceManager& deviceManager() = 0;
    virtual RunControl& runControl() = 0;
    virtual CSettings& settings() = 0;
    /// Paths, branding and resources read at start-up (data-file headers name the product).
    virtual const AppSetup& setup() const = 0;

    /// The settings pane's block as it stands (integration time, averages, switches, ...).
    virtual const AcquisitionSettings& acquisitionSettings() const = 0;
    /// Takes an edited copy of the block back into the pane, which sends what concerns the
    /// device to it (the capture pages' boxes).
    virtual void applyAcquisitionSettings(const AcquisitionSettings& values) = 0;

    /// The tab groups the views live in; null where there is none.
    virtual CTabGroupArea* tabs() = 0;
    /// The per-application lists of open view numbers, shared with the views so a view closed
    /// while the frame is torn down still finds them.
    virtual std::shared_ptr<CInstanceRegister> instances() = 0;
    /// The window that dialogs and message boxes opened for a view belong to.
    virtual QWidget* dialogParent() = 0;
};
