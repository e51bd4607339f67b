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
// The built-in simulator's scene (Device Manager, only without a vendor library).
constexpr int kSimScene = 1124;
constexpr int kSimSceneFirst = 1125;  ///< dark, lamp, sample, lines, LED: 1125..1129

// The acquisition settings pane (from 1150).
constexpr int kMeasurementSetting = 1150;
constexpr int kDataAcquiringSet = 1151;
constexpr int kIntegrationTimeLabel = 1152;
constexpr int kScansAverage = 1153;
constexpr int kBoxcarWidth = 1154;  ///< label and range-message name
constexpr int kTriggerModeLabel = 1155;
constexpr int kTriggerPulse = 1156;
constexpr int kHighLevel = 1157;
constexpr int kLowLevel = 1158;
constexpr int kPulseNumber = 1159;
constexpr int kDisplay = 1160;
constexpr int kPeak = 1161;
constexpr int kFwhm = 1162;
constexpr int kCwl = 1163;
constexpr int kRemoveBackground = 1164;
constexpr int kBlackbody = 1165;
constexpr int kTemperatureLabel = 1166;
constexpr int kKelvin = 1167;
constexpr int kNonlinearCorrection = 1168;
constexpr int kTriggerNormal = 1169;
constexpr int kTriggerSoftware = 1170;
constexpr int kTriggerSynchronization = 1171;
constexpr int kTriggerExternalHardware = 1172;
constexpr int kTriggerOutput = 1173;
constexpr int kUnitMs = 1174;
constexpr int kUnitS = 1175;
constexpr int kUnitUs = 1176;
// Names in the range messages.
constexpr int kNameIntegrationTime = 1180;
constexpr int kNameAverageTimes = 1181;
constexpr int kNameBlackbodyTemperatureEnter = 1182;  ///< "Black body temperature"
constexpr int kNameBlackbodyTemperatureSpin = 1183;   ///< "Black body Temperature"
constexpr int kNameBlackbodyIntensity = 1184;
constexpr int kNameColorTemperatureEnter = 1185;  ///< "Color temperature"
constexpr int kNameColorTemperatureSpin = 1186;   ///< "Color temperatrue", as the panel spells it
constexpr int kNameBaselineOffset = 1187;
// Messages.
constexpr int kRangeMessageUs = 1190;  ///< "%s value out of range %d-%dus !"
constexpr int kRangeMessage = 1191;    ///< "%s value out of range %d-%d!"
constexpr int kSetTriggerPulseError = 1192;
constexpr int kBackgroundNotSaved = 1193;
}  // namespace DeviceStr
