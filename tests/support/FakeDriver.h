#pragma once
// A scripted driver for device and acquisition tests: every answer can be set, every frame is
// known, and calls with closed handles are counted.

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/spectrometer/SpectrometerApi.h"

struct FakeDriverState {
    std::mutex lock;
    std::vector<int> attached{1};  ///< ids SPGetAllDevices reports
    bool connectFails = false;
    std::string model = "FAKE-100";
    std::string serial = "FK0000012345";
    std::string firmware = "1.1.2020";
    unsigned short protocol = 0x102;
    int ccdPixels = 2058, ccdHidden = 10;
    int framePixels = 2048;
    int zeroReads = 0;  ///< the next reads that return 0 points
    int configResult = 1;
    int pulseResult = 1;
    int nlResult = 1, nlCount = 6;
    double nl[6] = {1, 2, 3, 4, 5, 6};
    std::string failQuery;       ///< a text query that fails ("model", "serial", "cal", ...)
    std::atomic<long> reads{0};  ///< reads that returned a frame; frame k holds k everywhere
    std::atomic<long> staleCalls{0};
    std::set<void*> open;
    int lastIntegration = 0, lastBoxcar = 0, lastTrigger = 0;
    int pulse[4] = {};
    std::vector<int> stateCalls;

    void reset();
};

FakeDriverState& fakeDriver();
const SpectrometerApi& fakeDriverApi();
