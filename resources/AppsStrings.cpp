#include "resources/AppsStrings.h"
#include "resources/StringTables.h"

namespace {
const StringEntry kTable[] = {
    {AppsStr::kSpectrumViewTitle, "Spectrum View", "光谱视图", "光譜視圖"},
    {AppsStr::kIntensity, "Intensity", "强度", "強度"},
    {AppsStr::kSpectrum, "Spectrum", "光谱", "光譜"},
    {AppsStr::kCoordinateTitle, "Coordinate Setting", "坐标设置", "座標設定"},
    {AppsStr::kXAxisRange, "X-Axis Range", "X轴范围", "X軸範圍"},
    {AppsStr::kYAxisRange, "Y-Axis Range", "Y轴范围", "Y軸範圍"},
    {AppsStr::kMin, "Min :", "最小值 :", "最小值 :"},
    {AppsStr::kMax, "Max :", "最大值 :", "最大值 :"},
    {AppsStr::kInputXRange, "Please input X-Axis range!", "请输入X轴范围！", "請輸入X軸範圍！"},
    {AppsStr::kInputYRange, "Please input Y-Axis range!", "请输入Y轴范围！", "請輸入Y軸範圍！"},
    {AppsStr::kXMaxBelowMin, "Max value of X axis is less than min value!", "X轴最大值小于最小值！",
     "X軸最大值小於最小值！"},
    {AppsStr::kYMaxBelowMin, "Max value of Y axis is less than min value!", "Y轴最大值小于最小值！",
     "Y軸最大值小於最小值！"},
};
}  // namespace

std::span<const StringEntry> appsStrings() {
    return kTable;
}
