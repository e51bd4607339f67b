// How fast frames go from the driver into the record, against a plain copy of the same frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "acquisition/AcquisitionThread.h"
#include "core/SpectrumData.h"
#include "device/SpectrometerDevice.h"
#include "platform/simulator/Simulator.h"

namespace {

constexpr int kFramePixels = 2048;

// A driver that hands over a prepared frame at once: what is left is the loop's own cost.
struct InstantDriver {
    static inline std::vector<double> frame = std::vector<double>(kFramePixels, 1234.5);
    static inline int handle = 0;

    static int getAll(int* ids, int* n) {
        ids[0] = 1;
        *n = 1;
        return 1;
    }
    static SPHANDLE connect(int) { return &handle; }
    static int ok(SPHANDLE) { return 1; }
    static int state(SPHANDLE, int) { return 1; }
    static int text(SPHANDLE, char* t) {
        std::strcpy(t, "1.1.2020");
        return 1;
    }
    static int cal(SPHANDLE, double* c, char* t) {
        std::fill(c, c + 4, 0.0);
        return text(nullptr, t);
    }
    static int setCal(SPHANDLE, const double*, const char*) { return 1; }
    static int ccd(SPHANDLE, int* a, int* b, int* c) {
        *a = kFramePixels;
        *b = 0;
        *c = 16;
        return 1;
    }
    static int range(SPHANDLE, double* a, double* b) {
        *a = 200;
        *b = 1100;
        return 1;
    }
    static int timeRange(SPHANDLE, int* a, int* b) {
        *a = 10;
        *b = 1000000;
        return 1;
    }
    static unsigned short protocol(SPHANDLE) { return 0x102; }
    static int bits(SPHANDLE) { return 16; }
    static int nl(SPHANDLE, double*, int* n) {
        *n = 0;
        return 1;
    }
    static int config(SPHANDLE, int, int, int) { return 1; }
    static int pulse(SPHANDLE, int, int, int, int) { return 1; }
    static unsigned short read(SPHANDLE, double* buffer) {
        std::memcpy(buffer, frame.data(), kFramePixels * sizeof(double));
        return kFramePixels;
    }
    static double toWave(SPHANDLE, int p) { return 200.0 + p * 0.44; }
    static int toPixel(SPHANDLE, double) { return 1; }

    static const SpectrometerApi& api() {
        static const SpectrometerApi table = {
            getAll, connect, ok,     state, text,   text,   text,    text,      text,
            text,   text,    text,   cal,   setCal, ccd,    range,   timeRange, protocol,
            bits,   nl,      config, pulse, read,   toWave, toPixel,
        };
        return table;
    }
};

void BM_PipelinePublish(benchmark::State& state) {
    CSpectrumData record;
    CSpectrometerDevice device(InstantDriver::api());
    device.connect(1);
    RunControl control;
    AcquisitionThread thread(record, device, control);
    thread.start();
    while (thread.framesPublished() == 0) {
    }
    // Batches of frames, polled with short sleeps so that the polling does not compete with
    // the acquisition thread for the frame counter's cache line.
    constexpr long long kBatch = 2000;
    const long long first = thread.framesPublished();
    for (auto _ : state) {
        const long long target = thread.framesPublished() + kBatch;
        while (thread.framesPublished() < target)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const long long published = thread.framesPublished() - first;
    thread.stop();
    state.SetItemsProcessed(published);
    CSpectrometerDevice::setClosePause(std::chrono::milliseconds(0));
    device.disconnect();
}
BENCHMARK(BM_PipelinePublish)->UseRealTime();

void BM_FrameMemcpy(benchmark::State& state) {
    std::vector<double> from(kFramePixels, 1234.5), to(kMaxPixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFramePixels * sizeof(double));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameMemcpy);

void BM_SimulatorFrame(benchmark::State& state) {
    corvaneSimReset();
    corvaneSimSetRealtime(0);
    const SpectrometerApi& api = simulatorApi();
    SPHANDLE h = api.connect(SP_SIMULATOR_ID);
    std::vector<double> frame(kMaxPixels);
    for (auto _ : state) {
        benchmark::DoNotOptimize(api.readDoubleCCD(h, frame.data()));
        benchmark::ClobberMemory();
    }
    api.close(h);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SimulatorFrame);

}  // namespace

BENCHMARK_MAIN();
