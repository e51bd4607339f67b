#pragma once
// String ids of the color subsystem (block 1400-, see StringIds.h).

namespace ColorStr {
/// ColorMessage::TristimulusError of CColorCalc: a spectrum without samples.
constexpr int kTristimulusError = 1400;
}  // namespace ColorStr
