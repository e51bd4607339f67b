#include "shell/files/DataFileCommands.h"

#include <cstdio>
#include <vector>

#include "core/Messages.h"
#include "files/DataFile.h"
#include "files/ExportNaming.h"
#include "files/Profile.h"
#include "resources/CommandIds.h"
#include "resources/FilesStrings.h"
#include "resources/StringTable.h"
#include "shell/app/CommandRegistry.h"
#include "shell/app/MainFrame.h"
#include "shell/app/TabGroupArea.h"
#include "shell/app/ViewInterface.h"
#include "shell/files/ExportNotice.h"
#include "shell/files/FileDialogs.h"
#include "shell/files/RecordManage.h"
#include "shell/settings/ControlPanel.h"

namespace {

constexpr const char* kImportSection = "ImportFile";
constexpr const char* kWhiteBoardKey = "WhiteBoardFile";

IMeasurementView* activeView(CMainFrame& frame) {
    if (!frame.tabs()) return nullptr;
    return dynamic_cast<IMeasurementView*>(frame.tabs()->activeView());
}

std::string targetDir(CMainFrame& frame) {
    const CSettings& s = frame.settings();
    return s.targetDir.empty() ? s.recordDir() : s.targetDir;
}

// Everything before the last separator ("\" accepted as well as "/").
std::string folderOf(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// The live spectrum as the spectrum view would export it.
int exportLiveSpectrum(CMainFrame& frame, const std::string& path) {
    CSpectrumData& record = frame.record();
    std::vector<double> wave(kMaxPixels), value(kMaxPixels);
    int n = 0;
    const bool stored = record.getSpectrum(wave.data(), value.data(), &n) &&
                        record.copyToLastStored(n, wave.data(), value.data());
    if (stored) {
        AcquisitionSettings acquisition;
        if (const ControlPanel* panel = frame.controlPanel()) acquisition = panel->settings();
        const std::string header = buildDataFileHeader(
            record, kFileSpectrum, frame.settings().fileFormat, frame.device(), acquisition,
            nullptr,
            frame.setup().paths.appName.empty() ? kDefaultAppName : frame.setup().paths.appName,
            frame.setup().resources.version);
        if (record.saveLastStored(path, header, kFileSpectrum) == 1) return 1;
    }
    // The writer has said why; this names the export that did not happen.
    char text[2048];
    std::snprintf(text, sizeof text, loadString(FilesStr::kSaveFileError), path.c_str());
    showMessage(text);
    return 0;
}

}  // namespace

int activeFileType(CMainFrame& frame) {
    const IMeasurementView* view = activeView(frame);
    return view ? view->fileType() : kFileSpectrum;
}

int runImportCommand(CMainFrame& frame) {
    const int type = activeFileType(frame);
    const std::string config = frame.settings().configPath();
    const std::string folder = type == kFileWhiteBoard
                                   ? readProfileString(config, kImportSection, kWhiteBoardKey, "")
                                   : targetDir(frame);
    const std::string path =
        askOpenFileName(importDialogTitle(type), folder, importDialogFilter(type));
    if (path.empty()) return 0;
    CSpectrumData& record = frame.record();
    record.fileLayout = frame.settings().fileFormat;
    const int ok = type == kFileConcentration ? importConcentrationFile(record, path)
                                              : importDataFile(record, path, type);
    if (ok && type == kFileWhiteBoard)
        writeProfileString(config, kImportSection, kWhiteBoardKey, folderOf(path));
    return ok;
}

int runExportCommand(CMainFrame& frame) {
    IMeasurementView* view = activeView(frame);
    const int type = view ? view->fileType() : kFileSpectrum;
    std::atomic<int>& runState = frame.runControl().runState;
    const int remembered = runState.load();
    // The concentration application keeps sampling while it writes its table.
    if (type != kFileConcentration) runState = kRunStatePause;
    int ok = 0;
    const std::string path = buildExportPath(type, frame.settings());
    if (!path.empty()) ok = view ? view->exportData(path) : exportLiveSpectrum(frame, path);
    if (ok == 1)
        CExportNotice::showNotice(QString::fromStdString(frame.setup().resources.appIcon), &frame);
    runState = remembered;
    return ok == 1 ? 1 : 0;
}

CRecordManage* runRecordManager(CMainFrame& frame) {
    auto* dialog = new CRecordManage(frame.record(), activeFileType(frame), &frame);
    dialog->show();
    return dialog;
}

void registerDataFileCommands() {
    installSeriesFileWriter();
    installQtFileDialogs();
    registerCommand(Cmd::kImportData, {[](CMainFrame& f) { runImportCommand(f); }, nullptr});
    registerCommand(Cmd::kExportData, {[](CMainFrame& f) { runExportCommand(f); }, nullptr});
    registerCommand(Cmd::kRecordManager, {[](CMainFrame& f) { runRecordManager(f); }, nullptr});
}
