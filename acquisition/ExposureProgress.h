#pragma once
// The status bar's progress for long exposures (main-frame timer 2, every 500 ms): a pure
// state machine the window calls with the tick count and applies to its panes.

#include <cstdint>

/// Estimated duration of one published frame in µs: (I + 100000) * A for A > 1, else
/// I + 200000.
int64_t estimatedFrameDurationUs(int integrationUs, int averages);

inline constexpr int64_t kProgressBarThresholdUs = 1'500'000;

class ExposureProgress {
  public:
    struct Step {
        bool showBar = false;        ///< the status bar should have 3 panes (progress in pane 1)
        bool layoutChanged = false;  ///< panes switched in this step: repaint the frame
        bool repaint = false;        ///< the count restarted: repaint before showing percent
        int percent = -1;            ///< progress to show, or -1 when none is shown
    };
    /// One tick. newFrameFlag is cleared when it was set and the bar is shown.
    Step tick(int64_t nowMs, int integrationUs, int averages, int& newFrameFlag);
    bool barShown() const { return barShown_; }

  private:
    bool barShown_ = false;
    int64_t elapsedMs_ = 0;
    int64_t previousMs_ = -1;
};
