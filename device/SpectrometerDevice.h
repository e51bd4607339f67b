#pragma once
// The one spectrometer the program works with: driver handle, identity, capabilities and the
// acquisition parameters last sent to it. Owned by the device manager (UI thread); the
// acquisition thread reads frames through it.
//
// Every driver call of every device object is serialised by one lock, so the two threads can
// never use a handle while the other closes it, nor close it twice.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

#include "device/Driver.h"
#include "platform/spectrometer/SpectrometerApi.h"

inline constexpr int kStateIdle = 1;
inline constexpr int kStateConnected = 2;
inline constexpr unsigned kProtocolWithAccessories =
    0x101;  ///< above: grating, lens, filter, trigger output

/// Identity of one device: an entry of the device list and the first part of the device object.
struct SpectrometerInfo {
    int deviceId = 0;  ///< id from the scan; 9999 = simulator
    std::string serialNumber;
    std::string modelName;
    double calCoefficients[4] = {};  ///< wavelength polynomial C0..C3
    std::string firmwareVersion;     ///< month.day.year
    std::string calibrationDate;
    double wavelengthEnd = 0.0;    ///< nm
    double wavelengthStart = 0.0;  ///< nm
    std::string resolution;        ///< label, colon, value
    std::string slit;              ///< label, colon, value
    std::string grating;           ///< only above protocol 0x101
    std::string lens;
    std::string filter;
    int ccdPixels = 0;
    int ccdHiddenPixels = 0;
    int ccdInfo3 = 0;
    int integrationMinUs = 0;
    int integrationMaxUs = 0;
    int16_t integrationRangeValid = 1;  ///< 0 when reading the range failed
    uint16_t protocolVersion = 0;
    int adBits = 0;          ///< full scale is 2^adBits
    int state = kStateIdle;  ///< 1 idle, 2 connected (shown in the list)
    int scaleFactor = 1;     ///< 1, 3 or 5 by the firmware rule

    int usablePixels() const { return ccdPixels - ccdHiddenPixels; }
};

/// True for firmware that reports a third or a fifth of the real counts: protocol version at
/// most 1 and a firmware date before August 2015. Texts that are no month.day.year are logged
/// and count as old.
bool isOldFirmware(const std::string& firmware, unsigned protocolVersion);
/// The device scale factor for that firmware rule and model name.
int firmwareScaleFactor(const std::string& firmware, unsigned protocolVersion,
                        const std::string& modelName);

class CSpectrometerDevice : public SpectrometerInfo {
  public:
    explicit CSpectrometerDevice(const SpectrometerApi& api = activeDriver());
    ~CSpectrometerDevice();
    CSpectrometerDevice(const CSpectrometerDevice&) = delete;
    CSpectrometerDevice& operator=(const CSpectrometerDevice&) = delete;

    SPHANDLE connect(int id);
    int readInfo(SPHANDLE h, SpectrometerInfo& destination);
    void disconnect();
    /// 1 present, 0 gone (then disconnected). With wait = false a device busy on the other
    /// thread counts as present for this round instead of blocking the caller.
    int checkPresence(bool wait = true);
    int configure(int integrationUs, int mode, uint8_t averageCount);
    int setBoxcar(int width);
    int setTriggerPulse(int highMs, int lowMs, int pulses, int enable);
    int readCalibration(double c[4], std::string& date);

    /// Ids of attached devices into ids (room for 10); -1 when wait is false and the device
    /// is busy on the other thread.
    int scan(int* ids, bool wait = true);
    /// One frame into buffer (room for 3700); 0 when idle, without a handle or without a frame.
    int readFrame(double* buffer);
    /// Wavelengths of pixels 1..n into wave; 0 without a handle.
    int readWavelengths(double* wave, int n);
    /// The driver's pixel of a wavelength (nm) and wavelength of a pixel; -1 and 0 without a
    /// handle.
    int waveLengthToPixel(double nm);
    double pixelToWaveLength(int pixel);
    /// The device's nonlinearity coefficients; 0 without a handle or when the driver fails.
    int readNonlinear(double* coeffs, int* count);
    /// Mirrors the connection state to the driver.
    void setDriverState(int state);

    bool isConnected() const { return connectionState.load() == kStateConnected; }
    bool hasHandle() const;
    const SpectrometerApi& api() const { return api_; }

    /// The pause between telling the driver "idle" and closing the handle (500 ms; tests
    /// shorten it).
    static void setClosePause(std::chrono::milliseconds pause);

    SPHANDLE handle = nullptr;     ///< from SPConnect; guarded by the driver lock
    int connectedId = 0;           ///< id of the last successful connect
    int boxcar = 1;                ///< boxcar width sent with SPConfig
    int integrationTimeUs = 4000;  ///< µs, last accepted by SPConfig
    int triggerMode = 17;          ///< last accepted trigger-mode code
    uint8_t configAverages = 0;    ///< low byte of the average count of the last configure
    std::atomic<int> averages{1};  ///< scans to average in software (read by the thread)
    int triggerHighMs = 0;         ///< last values accepted by SPSetTriggerPulse
    int triggerLowMs = 0;
    int triggerPulses = 0;
    int triggerEnable = 0;
    std::atomic<int> connectionState{kStateIdle};  ///< 1 idle, 2 connected (read by the thread)

  private:
    void disconnectLocked();

    const SpectrometerApi& api_;
};
