#include "resources/CoreStrings.h"
#include "resources/StringTables.h"

namespace {
const StringEntry kTable[] = {
    {1000, "Spectrum file", "光谱文件", "光譜檔案"},
    {1001, "Transmissivity file", "透射率文件", "透射率檔案"},
    {1002, "Absorbance file", "吸光度文件", "吸光度檔案"},
    {1003, "Reflectivity file", "反射率文件", "反射率檔案"},
    {1004, "Absolute irradiance file", "绝对辐照度文件", "絕對輻照度檔案"},
    {1005, "Relative irradiance file", "相对辐照度文件", "相對輻照度檔案"},
    {1006, "Standard lamp file", "标准灯文件", "標準燈檔案"},
    {1007, "White board file", "白板文件", "白板檔案"},
    {1008, "Calibrate result file", "定标结果文件", "定標結果檔案"},
    {1009, "Color file", "颜色文件", "顏色檔案"},
    {1010, "Raman Spectrum File", "拉曼光谱文件", "拉曼光譜檔案"},
    {1011, "Power", "功率", "功率"},
    {1012, "Concentration", "浓度", "濃度"},
    {CoreStr::kNote, "Note", "提示", "提示"},
    {CoreStr::kWarn, "Warn", "警告", "警告"},
    {CoreStr::kAllocateMemoryFail, "Allocate memory fail !", "分配内存失败！", "分配記憶體失敗！"},
    {73, "λ ( nm )", "λ ( nm )", "λ ( nm )"},
    {74, "λ ( um )", "λ ( um )", "λ ( um )"},
    {75, "Pixel ( # )", "像素 ( # )", "像素 ( # )"},
    {76, "Raman Shift ( cm-1 )", "拉曼位移 ( cm-1 )", "拉曼位移 ( cm-1 )"},
    {77, "Wavenumber ( cm-1 )", "波数 ( cm-1 )", "波數 ( cm-1 )"},
    {78, "Frequency ( GHz )", "频率 ( GHz )", "頻率 ( GHz )"},
};
}  // namespace

std::span<const StringEntry> coreStrings() {
    return kTable;
}
