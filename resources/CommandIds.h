#pragma once
// Command ids of the main frame's menus and toolbars, and the ids of its resources.

namespace Cmd {
constexpr int kImportData = 32803;
constexpr int kExportData = 32804;
constexpr int kRecordManager = 32817;
constexpr int kPrint = 57607;
constexpr int kExit = 57665;
constexpr int kNewMeasurement = 32856;
constexpr int kSaveBackground = 32815;
constexpr int kSaveReference = 32816;
constexpr int kDeviceManager = 32793;
constexpr int kWavelengthCalibrate = 32857;
constexpr int kRun = 32799;
constexpr int kPause = 32800;
constexpr int kSingleStep = 32801;
constexpr int kStatusBar = 59393;
constexpr int kMeasureToolbar = 32851;
constexpr int kViewControlToolbar = 32843;
constexpr int kUnitNm = 32859;
constexpr int kUnitUm = 32860;
constexpr int kUnitPixel = 32866;
constexpr int kUnitRaman = 32862;
constexpr int kUnitWavenumber = 32863;
constexpr int kUnitGhz = 32864;
constexpr int kXAxisInverted = 32867;
constexpr int kOption = 32853;
constexpr int kAbout = 57664;
constexpr int kUserManual = 32779;
// View Control toolbar
constexpr int kRecover = 32844;
constexpr int kZoomXRange = 32845;
constexpr int kZoomYRange = 32846;
constexpr int kBestX = 32832;
constexpr int kBestY = 32833;
constexpr int kZoomIn = 32834;
constexpr int kZoomOut = 32835;
constexpr int kSelectZoom = 32836;
constexpr int kCoordinateSetting = 32841;
constexpr int kAddTableView = 32839;
constexpr int kWindowManager = 131;
}  // namespace Cmd

namespace Res {
constexpr int kMenuNoDocument = 128;
constexpr int kMenuDocument = 130;
constexpr int kMeasureToolbar = 128;
constexpr int kViewControlToolbar = 316;
constexpr int kSettingsPanel = 310;
constexpr int kDeviceManagerDialog = 311;
constexpr int kIconDisconnected = 323;
constexpr int kIconConnected = 324;
}  // namespace Res

namespace Ctl {
constexpr int kDeviceList = 1008;
constexpr int kSearch = 1010;
constexpr int kConnect = 1011;
constexpr int kDisconnect = 1012;
constexpr int kSimulator = 1013;
constexpr int kAutoConnect = 1014;
constexpr int kDeviceTree = 1015;
}  // namespace Ctl
