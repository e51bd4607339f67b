#include "acquisition/AcquisitionThread.h"

#include <algorithm>
#include <chrono>

#include "core/SpectrumData.h"
#include "device/SpectrometerDevice.h"
#include "resources/CommandIds.h"

namespace {
constexpr auto kPausedSleep = std::chrono::milliseconds(10);
constexpr auto kIdleSleep = std::chrono::milliseconds(100);
}  // namespace

void RunControl::run() {
    runState = kRunStateRun;
    lastRunCommand = Cmd::kRun;
}

void RunControl::pause() {
    runState = kRunStatePause;
    lastRunCommand = Cmd::kPause;
}

void RunControl::singleStep() {
    runState = kRunStateSingleStep;
    lastRunCommand = Cmd::kSingleStep;
}

AcquisitionThread::AcquisitionThread(CSpectrumData& record, CSpectrometerDevice& device,
                                     RunControl& control)
    : record_(record),
      device_(device),
      control_(control),
      accumulation_(kMaxPixels, 0.0),
      frame_(kMaxPixels, 0.0) {}

AcquisitionThread::~AcquisitionThread() {
    stop();
}

void AcquisitionThread::start() {
    if (worker_.joinable()) return;
    worker_ = std::thread([this] { loop(); });
}

void AcquisitionThread::stop() {
    control_.runState = kRunStateQuit;
    if (worker_.joinable()) worker_.join();
}

void AcquisitionThread::restartAverage() {
    accumulated_ = 0;
    std::fill(accumulation_.begin(), accumulation_.end(), 0.0);
}

void AcquisitionThread::loop() {
    while (control_.runState.load() != kRunStateQuit) {
        int state = control_.runState.load();
        if (state == kRunStatePause) {
            std::this_thread::sleep_for(kPausedSleep);
            continue;
        }
        if (state == kRunStateSingleStep) {
            // One read is done in this pass; a command given meanwhile is left alone.
            control_.runState.compare_exchange_strong(state, kRunStatePause);
        }
        if (!device_.isConnected() || !device_.checkPresence()) {
            std::this_thread::sleep_for(kIdleSleep);
            continue;
        }
        const int count = device_.readFrame(frame_.data());
        if (count == 0) continue;

        const int b = device_.averages.load();
        if (b <= 1) {
            // A sum left from a larger average count must not leak into a later average.
            if (accumulated_ > 0) restartAverage();
            if (record_.setSpectrum(nullptr, frame_.data(), count)) ++published_;
            control_.newFrameFlag = 1;
        } else if (accumulated_ < b) {
            for (int i = 0; i < count; ++i)
                accumulation_[i] += frame_[i];
            ++accumulated_;
        } else if (accumulated_ == b) {
            // The frame read in this pass is not part of the average.
            for (int i = 0; i < count; ++i)
                accumulation_[i] /= accumulated_;
            if (record_.setSpectrum(nullptr, accumulation_.data(), count)) ++published_;
            restartAverage();
            control_.newFrameFlag = 1;
        } else {
            // The user lowered the count while a larger sum was building: start again.
            restartAverage();
            control_.newFrameFlag = 1;
        }
        ++reads_;
        if (const long long limit = pauseAfter_.load(); limit > 0 && published_.load() >= limit) {
            int running = kRunStateRun;
            control_.runState.compare_exchange_strong(running, kRunStatePause);
        }
        // No pause after a frame: the driver's read waits for the exposure, so the device's
        // integration time sets the frame rate (a fixed 1 ms sleep here would cap short
        // exposures below 1000 frames per second).
    }
}
