#pragma once
// String ids of the shell (block 1700-1999, see StringIds.h); ids below 1000 are the
// documented ones.

namespace ShellStr {
constexpr int kMeasureToolbarTitle = 124;
constexpr int kCustomize = 125;
constexpr int kDocumentString = 130;

constexpr int kMenuFile = 1700;
constexpr int kMenuMeasure = 1701;
constexpr int kMenuDevice = 1702;
constexpr int kMenuView = 1703;
constexpr int kMenuXUnit = 1704;
constexpr int kMenuSetting = 1705;
constexpr int kMenuHelp = 1706;
constexpr int kConnected = 1708;
constexpr int kDisconnected = 1709;
constexpr int kNoSpectrometer = 1710;
constexpr int kReady = 1711;
constexpr int kSplashDefault = 1712;
constexpr int kSplashProgram = 1713;
constexpr int kSplashToolbar = 1714;
constexpr int kSplashDriver = 1715;
constexpr int kAlreadyRunning = 1716;
constexpr int kLoadSplashFail = 1717;
constexpr int kWarn = 1718;
constexpr int kManualMissing = 1719;
constexpr int kDataFolderFail = 1720;
constexpr int kNoDisplay = 1721;
constexpr int kNotYetAvailable = 1722;
constexpr int kMenuWindow = 1723;
constexpr int kWindowsTitle = 1724;
constexpr int kActivate = 1725;
constexpr int kCloseWindows = 1726;
constexpr int kOk = 1727;

// Command texts: 1800 + the position in the command table of the main frame.
constexpr int kCommandTextFirst = 1800;
}  // namespace ShellStr

/// The string id of a command's menu text (and tool tip), 0 for an unknown command.
int commandStringId(int commandId);
