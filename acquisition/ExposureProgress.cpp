#include "acquisition/ExposureProgress.h"

int64_t estimatedFrameDurationUs(int integrationUs, int averages) {
    if (averages > 1) return (static_cast<int64_t>(integrationUs) + 100000) * averages;
    return static_cast<int64_t>(integrationUs) + 200000;
}

ExposureProgress::Step ExposureProgress::tick(int64_t nowMs, int integrationUs, int averages,
                                              int& newFrameFlag) {
    Step step;
    if (previousMs_ < 0) previousMs_ = nowMs;
    const int64_t duration = estimatedFrameDurationUs(integrationUs, averages);
    if (duration > kProgressBarThresholdUs && !barShown_) {
        barShown_ = true;
        step.layoutChanged = true;
        elapsedMs_ = 0;
    } else if (duration <= kProgressBarThresholdUs && barShown_) {
        barShown_ = false;
        step.layoutChanged = true;
    } else if (barShown_) {
        step.repaint = elapsedMs_ == 0;
        elapsedMs_ += nowMs - previousMs_;
        int64_t percent = elapsedMs_ * 100000 / duration;
        if (newFrameFlag == 1) {
            newFrameFlag = 0;
            elapsedMs_ = 0;
            percent = 100;
        } else if (percent >= 100) {
            // Never 100 before a frame was published.
            percent = 95;
        }
        step.percent = static_cast<int>(percent);
    }
    step.showBar = barShown_;
    previousMs_ = nowMs;
    return step;
}
