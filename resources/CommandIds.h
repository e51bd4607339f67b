#pragma once
// Command ids of the main frame's menus and toolbars.

namespace Cmd {
constexpr int kRun = 32799;
constexpr int kPause = 32800;
constexpr int kSingleStep = 32801;
constexpr int kDeviceManager = 32793;
}  // namespace Cmd
