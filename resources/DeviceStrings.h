#pragma once
// String ids of the device subsystem (block 1100-1299, see StringIds.h).

namespace DeviceStr {
constexpr int kDeviceManager = 1100;
constexpr int kSearch = 1101;
constexpr int kConnect = 1102;
constexpr int kDisconnect = 1103;
constexpr int kAutoConnect = 1104;
constexpr int kSimulator = 1105;
constexpr int kColumnId = 1106;
constexpr int kColumnModel = 1107;
constexpr int kColumnSn = 1108;
constexpr int kColumnState = 1109;
constexpr int kStateConnected = 1110;
constexpr int kStateIdle = 1111;
constexpr int kTreeRoot = 1112;
constexpr int kModel = 1113;
constexpr int kSn = 1114;
constexpr int kWavelength = 1115;
constexpr int kResolution = 1116;
constexpr int kSlit = 1117;
constexpr int kDetector = 1118;
constexpr int kGrating = 1119;
constexpr int kLens = 1120;
constexpr int kFilter = 1121;
constexpr int kFirmware = 1122;
constexpr int kNotAvailable = 1123;
}  // namespace DeviceStr
