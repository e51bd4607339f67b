#pragma once
// The one background worker: reads frames from the connected spectrometer, averages them in
// software and publishes the result into the shared record. It never touches a widget and
// reports nothing to the user; the UI thread reads the record on its own timers.
//
// The main frame owns it together with the record and the device; stop() (also run by the
// destructor) tells it to quit and joins it, so it never outlives what it uses.

#include <atomic>
#include <thread>
#include <vector>

class CSpectrumData;
class CSpectrometerDevice;

inline constexpr int kRunStateRun = 0;
inline constexpr int kRunStateSingleStep = 1;
inline constexpr int kRunStatePause = 2;
inline constexpr int kRunStateQuit = 3;

/// Words shared by the UI thread and the acquisition thread.
struct RunControl {
    std::atomic<int> runState{kRunStateRun};  ///< 0 Run, 1 Single Step, 2 Pause, 3 Quit
    std::atomic<int> lastRunCommand{0};       ///< id of the last Run / Pause / Single Step command
    std::atomic<int> newFrameFlag{0};  ///< 1 when a frame was published or averaging restarted

    void run();
    void pause();
    void singleStep();
};

class AcquisitionThread {
  public:
    AcquisitionThread(CSpectrumData& record, CSpectrometerDevice& device, RunControl& control);
    ~AcquisitionThread();
    AcquisitionThread(const AcquisitionThread&) = delete;
    AcquisitionThread& operator=(const AcquisitionThread&) = delete;

    void start();
    /// For automation: once this many frames are published the thread pauses itself, so a
    /// caller waiting for n frames gets exactly n (0, the default, never pauses).
    void pauseAfter(long long frames) { pauseAfter_ = frames; }
    /// Sets Quit and waits until the loop has ended (a read in progress is finished first).
    void stop();
    bool isRunning() const { return worker_.joinable(); }

    /// Averages (or single frames) published since start.
    long long framesPublished() const { return published_.load(); }
    /// Non-empty reads since start, the discarded ones included; a read is counted once the
    /// pass has handled it (summed, published or dropped).
    long long framesRead() const { return reads_.load(); }

  private:
    void loop();
    void restartAverage();

    CSpectrumData& record_;
    CSpectrometerDevice& device_;
    RunControl& control_;
    std::vector<double> accumulation_;  // thread-local sum; no allocation per frame
    std::vector<double> frame_;
    int accumulated_ = 0;
    std::atomic<long long> published_{0};
    std::atomic<long long> reads_{0};
    std::atomic<long long> pauseAfter_{0};
    std::thread worker_;
};
