#pragma once
// What the Device Manager decides: scanning for spectrometers, the device list, connecting and
// disconnecting, the one-second presence check with auto connect, the wavelength axis and the
// nonlinear coefficients. The Device Manager window drives it on the UI thread and shows its
// list and tree; it owns the one device object.

#include <functional>
#include <string>
#include <vector>

#include "device/SpectrometerDevice.h"

class CSpectrumData;

/// The trigger-pulse values the acquisition settings hold (restored on connect in mode 21).
struct TriggerPulseSettings {
    int highMs = 10;
    int lowMs = 10;
    int pulses = 1;
    int enable = 1;
};

class DeviceManager {
  public:
    explicit DeviceManager(CSpectrumData& record, const SpectrometerApi& api = activeDriver());
    ~DeviceManager();  // disconnects the device

    CSpectrometerDevice& device() { return device_; }
    const CSpectrometerDevice& device() const { return device_; }

    /// Scans (plus 9999 when `simulator` is set), probes new ids, drops vanished ones; returns
    /// the number of entries.
    int search();
    /// "Connect" on the list row selectionMark; nothing when it is -1. 1 when connected.
    int connectSelected();
    /// "Disconnect" of the list row selectionMark.
    int disconnectSelected();

    /// What a tick changed, for the window to repaint.
    struct TickResult {
        bool listChanged = false;  ///< search ran: repaint the list and rebuild the tree
        bool connected = false;    ///< auto connect connected the device
    };
    /// Timer 1, every second: presence, refresh, auto connect.
    TickResult tick();

    int setWavelengthAxis(const SpectrometerInfo& entry);
    int readNonlinearCoefficients();

    std::vector<SpectrometerInfo> devices;  ///< the device list
    int selectedId = -1;
    int selectionMark = -1;  ///< the list's selection mark (row index), mirrored by the window
    int refreshRequested = 0;
    int autoConnect = 1;  ///< "Auto Connect"
    int simulator = 0;    ///< "Simulator"
    /// Source of the settings pane's pulse values; defaults when not set.
    std::function<TriggerPulseSettings()> triggerPulseSource;

  private:
    // Finishes connecting list row `row` once the device object holds its handle: state,
    // nonlinear coefficients, wavelength axis, configuration, trigger pulse, scale factor.
    // failureLogNumber tells the log line's origin (manual or auto connect).
    int completeConnect(int row, int failureLogNumber);

    CSpectrumData& record_;
    const SpectrometerApi& api_;
    CSpectrometerDevice device_;
};
