#include "resources/DeviceStrings.h"
#include "resources/StringTables.h"

namespace {
const StringEntry kTable[] = {
    {DeviceStr::kDeviceManager, "Device Manager", "设备管理器", "裝置管理員"},
    {DeviceStr::kSearch, "Search", "搜索", "搜尋"},
    {DeviceStr::kConnect, "Connect", "连接", "連接"},
    {DeviceStr::kDisconnect, "Disconnect", "断开", "中斷連接"},
    {DeviceStr::kAutoConnect, "Auto Connect", "自动连接", "自動連接"},
    {DeviceStr::kSimulator, "Simulator", "模拟器", "模擬器"},
    {DeviceStr::kColumnId, "ID#", "ID#", "ID#"},
    {DeviceStr::kColumnModel, "Model", "型号", "型號"},
    {DeviceStr::kColumnSn, "SN", "序列号", "序號"},
    {DeviceStr::kColumnState, "State", "状态", "狀態"},
    {DeviceStr::kStateConnected, "Connected", "已连接", "已連接"},
    {DeviceStr::kStateIdle, "IDLE", "空闲", "閒置"},
    {DeviceStr::kTreeRoot, "Spectrometer", "光谱仪", "光譜儀"},
    {DeviceStr::kModel, "Model", "型号", "型號"},
    {DeviceStr::kSn, "SN", "序列号", "序號"},
    {DeviceStr::kWavelength, "Wavelength", "波长", "波長"},
    {DeviceStr::kResolution, "Resolution", "分辨率", "解析度"},
    {DeviceStr::kSlit, "Slit", "狭缝", "狹縫"},
    {DeviceStr::kDetector, "Detector", "探测器", "偵測器"},
    {DeviceStr::kGrating, "Grating", "光栅", "光柵"},
    {DeviceStr::kLens, "Lens", "透镜", "透鏡"},
    {DeviceStr::kFilter, "Filter", "滤光片", "濾光片"},
    {DeviceStr::kFirmware, "Firmware", "固件", "韌體"},
    {DeviceStr::kNotAvailable, "N/A", "N/A", "N/A"},
};
}  // namespace

std::span<const StringEntry> deviceStrings() {
    return kTable;
}
