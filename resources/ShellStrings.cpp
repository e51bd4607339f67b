#include "resources/ShellStrings.h"

#include "resources/CommandIds.h"
#include "resources/StringTables.h"

namespace {

struct CommandText {
    int command;
    int string;
};

// Command -> string id; the texts are in kTable below.
constexpr CommandText kCommands[] = {
    {Cmd::kImportData, 1800},
    {Cmd::kExportData, 1801},
    {Cmd::kRecordManager, 1802},
    {Cmd::kPrint, 1803},
    {Cmd::kExit, 1804},
    {Cmd::kNewMeasurement, 1805},
    {Cmd::kSaveBackground, 1806},
    {Cmd::kSaveReference, 1807},
    {Cmd::kDeviceManager, 1808},
    {Cmd::kWavelengthCalibrate, 1809},
    {Cmd::kRun, 1810},
    {Cmd::kPause, 1811},
    {Cmd::kSingleStep, 1812},
    {Cmd::kStatusBar, 1813},
    {Cmd::kMeasureToolbar, 1814},
    {Cmd::kViewControlToolbar, 1815},
    {Cmd::kUnitNm, 1816},
    {Cmd::kUnitUm, 1817},
    {Cmd::kUnitPixel, 1818},
    {Cmd::kUnitRaman, 1819},
    {Cmd::kUnitWavenumber, 1820},
    {Cmd::kUnitGhz, 1821},
    {Cmd::kXAxisInverted, 1822},
    {Cmd::kOption, 1823},
    {Cmd::kAbout, 1824},
    {Cmd::kUserManual, 1825},
    {Cmd::kRecover, 1826},
    {Cmd::kZoomXRange, 1827},
    {Cmd::kZoomYRange, 1828},
    {Cmd::kBestX, 1829},
    {Cmd::kBestY, 1830},
    {Cmd::kZoomIn, 1831},
    {Cmd::kZoomOut, 1832},
    {Cmd::kSelectZoom, 1833},
    {Cmd::kCoordinateSetting, 1834},
    {Cmd::kAddTableView, 1835},
    {Cmd::kWindowManager, 1836},
};

const StringEntry kTable[] = {
    {ShellStr::kMeasureToolbarTitle, "Measure Toolbar", "测量工具栏", "量測工具列"},
    {ShellStr::kCustomize, "Customize...", "自定义...", "自訂..."},
    {ShellStr::kDocumentString, "\nCorvane\nCorvane\n\n\nCorvane.Document\nCorvane.Document",
     "\nCorvane\nCorvane\n\n\nCorvane.Document\nCorvane.Document",
     "\nCorvane\nCorvane\n\n\nCorvane.Document\nCorvane.Document"},
    {ShellStr::kMenuFile, "File(&F)", "文件(&F)", "檔案(&F)"},
    {ShellStr::kMenuMeasure, "Measure(&M)", "测量(&M)", "量測(&M)"},
    {ShellStr::kMenuDevice, "Device(&D)", "设备(&D)", "裝置(&D)"},
    {ShellStr::kMenuView, "View(&V)", "视图(&V)", "檢視(&V)"},
    {ShellStr::kMenuXUnit, "X-Axis Unit", "X 轴单位", "X 軸單位"},
    {ShellStr::kMenuSetting, "Setting(&S)", "设置(&S)", "設定(&S)"},
    {ShellStr::kMenuHelp, "Help(&H)", "帮助(&H)", "說明(&H)"},
    {ShellStr::kConnected, "Connected", "已连接", "已連接"},
    {ShellStr::kDisconnected, "Disconnected", "未连接", "未連接"},
    {ShellStr::kNoSpectrometer, "No Spectrometer Connected", "未连接光谱仪", "未連接光譜儀"},
    {ShellStr::kReady, "Ready", "就绪", "就緒"},
    {ShellStr::kSplashDefault, "initialize ...", "初始化 ...", "初始化 ..."},
    {ShellStr::kSplashProgram, "Initialize program ...", "初始化程序 ...", "初始化程式 ..."},
    {ShellStr::kSplashToolbar, "Initialize toolbar ...", "初始化工具栏 ...", "初始化工具列 ..."},
    {ShellStr::kSplashDriver, "Initialize driver ...", "初始化驱动 ...", "初始化驅動程式 ..."},
    {ShellStr::kAlreadyRunning, "A %s program is already running ! ", "%s 程序已经在运行！ ",
     "%s 程式已在執行！ "},
    {ShellStr::kLoadSplashFail, "Load start page bmp fail!", "加载启动画面失败！",
     "載入啟動畫面失敗！"},
    {ShellStr::kWarn, "Warn", "警告", "警告"},
    {ShellStr::kManualMissing, "The user manual %s cannot be opened.", "无法打开用户手册 %s。",
     "無法開啟使用手冊 %s。"},
    {ShellStr::kDataFolderFail, "The data folder %s cannot be created: %s",
     "无法创建数据文件夹 %s：%s", "無法建立資料夾 %s：%s"},
    {ShellStr::kNoDisplay, "No display is available.", "没有可用的显示器。", "沒有可用的顯示器。"},
    {ShellStr::kNotYetAvailable, "%s is not available in this version.", "此版本尚不支持 %s。",
     "此版本尚不支援 %s。"},
    {ShellStr::kMenuWindow, "Window(&W)", "窗口(&W)", "視窗(&W)"},
    {ShellStr::kWindowsTitle, "Windows", "窗口", "視窗"},
    {ShellStr::kActivate, "&Activate", "激活(&A)", "啟用(&A)"},
    {ShellStr::kCloseWindows, "&Close Window(s)", "关闭窗口(&C)", "關閉視窗(&C)"},
    {ShellStr::kOk, "OK", "确定", "確定"},

    {1800, "Import Data", "导入数据", "匯入資料"},
    {1801, "Export Data", "导出数据", "匯出資料"},
    {1802, "Record  Manager", "记录管理器", "記錄管理員"},
    {1803, "Print(&R)...", "打印(&R)...", "列印(&R)..."},
    {1804, "Exit(&X)", "退出(&X)", "結束(&X)"},
    {1805, "New Measurement", "新建测量", "新增量測"},
    {1806, "Save Background Light", "保存背景光", "儲存背景光"},
    {1807, "Save Reference Light", "保存参考光", "儲存參考光"},
    {1808, "Device Manager", "设备管理器", "裝置管理員"},
    {1809, "Wavelength Calibrate Info", "波长定标信息", "波長校正資訊"},
    {1810, "Run", "运行", "執行"},
    {1811, "Pause", "暂停", "暫停"},
    {1812, "Single Step", "单步", "單步"},
    {1813, "Status Bar(&S)", "状态栏(&S)", "狀態列(&S)"},
    {1814, "Measure Toolbar", "测量工具栏", "量測工具列"},
    {1815, "View Control Toolbar", "视图控制工具栏", "檢視控制工具列"},
    {1816, "nm", "nm", "nm"},
    {1817, "um", "um", "um"},
    {1818, "Pixel", "像素", "像素"},
    {1819, "Raman shift", "拉曼位移", "拉曼位移"},
    {1820, "Wave number", "波数", "波數"},
    {1821, "GHz", "GHz", "GHz"},
    {1822, "X-Axis Inverted", "X 轴反转", "X 軸反轉"},
    {1823, "Option(&O)", "选项(&O)", "選項(&O)"},
    {1824, "About Corvane(&A)...", "关于 Corvane(&A)...", "關於 Corvane(&A)..."},
    {1825, "User Manual", "用户手册", "使用手冊"},
    {1826, "Recover", "恢复", "復原"},
    {1827, "Zoom X-Axis Range", "缩放 X 轴范围", "縮放 X 軸範圍"},
    {1828, "Zoom Y-Axis Range", "缩放 Y 轴范围", "縮放 Y 軸範圍"},
    {1829, "Best X-Axis", "最佳 X 轴", "最佳 X 軸"},
    {1830, "Best Y-Axis", "最佳 Y 轴", "最佳 Y 軸"},
    {1831, "Zoom In", "放大", "放大"},
    {1832, "Zoom Out", "缩小", "縮小"},
    {1833, "Select Zoom", "框选缩放", "框選縮放"},
    {1834, "Coordinate Setting", "坐标设置", "座標設定"},
    {1835, "Add Table View", "添加表格视图", "新增表格檢視"},
    {1836, "Windows...", "窗口...", "視窗..."},
};

}  // namespace

int commandStringId(int commandId) {
    for (const CommandText& c : kCommands)
        if (c.command == commandId) return c.string;
    return 0;
}

std::span<const StringEntry> shellStrings() {
    return kTable;
}
