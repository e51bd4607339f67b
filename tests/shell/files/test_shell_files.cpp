#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/DataFile.h"
#include "files/ExportNaming.h"
#include "files/Profile.h"
#include "platform/simulator/Simulator.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/app/MainFrame.h"
#include "shell/app/TabGroupArea.h"
#include "shell/app/ViewInterface.h"
#include "shell/files/DataFileCommands.h"
#include "shell/files/ExportNotice.h"
#include "shell/files/FileDialogs.h"
#include "shell/files/RecordManage.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

CExportNotice* findNotice() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* n = qobject_cast<CExportNotice*>(w)) return n;
    return nullptr;
}

// A view of a given file type that records what it was asked to export.
class FakeView : public QWidget, public IMeasurementView {
  public:
    explicit FakeView(int type) : type_(type) {}
    int fileType() const override { return type_; }
    int exportData(const std::string& path) override {
        exported = path;
        runStateDuringExport = runState ? runState->load() : -1;
        return result;
    }
    bool chartHasSeries() const override { return false; }
    bool handleViewCommand(int) override { return false; }
    bool viewCommandEnabled(int) const override { return true; }
    bool viewCommandChecked(int) const override { return false; }

    std::string exported;
    int result = 1;
    int runStateDuringExport = -1;
    std::atomic<int>* runState = nullptr;

  private:
    int type_;
};

struct DialogCall {
    std::string title, folder, filter;
    int calls = 0;
};

class ShellFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setUiLanguage(kLangEnglish);
        corvaneSimReset();
        registerDataFileCommands();
        options.setup = readAppSetup(dir.file("program"), dir.file("data"));
        createAppFolders(options.setup.paths);
        options.showSplash = false;
        options.startupPauses = false;
        options.simulatorDefault = false;
        previousOpen = setOpenFileAsker(
            [this](const std::string& t, const std::string& d, const std::string& f) {
                open = {t, d, f, open.calls + 1};
                return openAnswer;
            });
        previousSave = setSaveNameAsker(
            [this](const std::string& t, const std::string& d, const std::string& f) {
                save = {t, d, f, save.calls + 1};
                return saveAnswer;
            });
    }
    void TearDown() override {
        setOpenFileAsker(previousOpen);
        setSaveNameAsker(previousSave);
        corvaneSimReset();
    }

    TempDir dir;
    MessageRecorder messages;
    MainFrameOptions options;
    DialogCall open, save;
    std::string openAnswer, saveAnswer;
    OpenFileAsker previousOpen;
    SaveNameAsker previousSave;
};

TEST(FileDialogs, FiltersForQt) {
    EXPECT_EQ(qtFileFilter("Spectrum file (*.data;*.txt)|*.data;*.txt|All Files(*.*)|*.*|"),
              "Spectrum file (*.data *.txt);;All Files (*.*)");
    EXPECT_EQ(qtFileFilter(""), "");
}

TEST_F(ShellFilesTest, ImportWithoutAViewUsesTheSpectrumType) {
    CMainFrame frame(options);
    const std::string path = dir.file("a.data");
    writeFile(path, "400\t1\r\n401\t2\r\n");
    openAnswer.clear();
    frame.runCommand(Cmd::kImportData);  // cancelled: nothing happens
    EXPECT_EQ(open.calls, 1);
    EXPECT_TRUE(frame.record().extraSeries.empty());
    EXPECT_EQ(open.title, "Import Spectrum file");
    EXPECT_EQ(open.filter, "Spectrum file (*.data;*.txt)|*.data;*.txt|All Files(*.*)|*.*|");
    EXPECT_EQ(open.folder, options.setup.paths.recordDir);

    openAnswer = path;
    frame.runCommand(Cmd::kImportData);
    ASSERT_EQ(frame.record().extraSeries.size(), 1u);
    EXPECT_EQ(frame.record().extraSeries[0].count, 2);
    EXPECT_TRUE(messages.shown.empty());  // no message on success
}

TEST_F(ShellFilesTest, WhiteBoardImportRemembersTheFolder) {
    CMainFrame frame(options);
    auto* view = new FakeView(kFileWhiteBoard);
    frame.tabs()->addView(view, "wb");
    fs::create_directories(dir.file("boards"));
    openAnswer = dir.file("boards") + "/w.wb";
    writeFile(openAnswer, "400\t1\r\n401\t2\r\n");
    frame.runCommand(Cmd::kImportData);
    EXPECT_EQ(frame.record().hasWhiteBoard, 1);
    EXPECT_EQ(readProfileString(frame.settings().configPath(), "ImportFile", "WhiteBoardFile", ""),
              dir.file("boards"));
    frame.runCommand(Cmd::kImportData);
    EXPECT_EQ(open.folder, dir.file("boards"));
    EXPECT_EQ(open.title, "Import White board file");
}

TEST_F(ShellFilesTest, ExportOfTheLiveSpectrumAndTheNotice) {
    CMainFrame frame(options);
    frame.settings().targetDir = dir.path().string();
    frame.settings().baseName.clear();
    frame.settings().fileSuffix = kFileSuffixFileCount;
    frame.settings().fileFormat = 1;
    frame.runControl().runState = kRunStateRun;
    frame.runCommand(Cmd::kExportData);
    const std::string path = dir.file("Spectrum_file_001.txt");
    ASSERT_TRUE(fs::exists(path)) << (messages.shown.empty() ? "" : messages.shown[0].text);
    const std::string text = readFile(path);
    EXPECT_EQ(text.rfind("[HEADER]\r\nDataType \t = Spectrum file\r\n", 0), 0u);
    EXPECT_EQ(text.find("X_Axis_Unit"), std::string::npos);  // no view is active
    EXPECT_EQ(text.substr(text.size() - 5), "[END]");
    EXPECT_EQ(frame.runControl().runState.load(), kRunStateRun);
    CExportNotice* notice = findNotice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->windowTitle(), "Message");
    EXPECT_EQ(notice->text(), "\nExport data successfully!\n    ");
    notice->grab().save(QString::fromStdString(dir.file("notice.png")));
    if (const char* out = std::getenv("CORVANE_SHOT_DIR"))
        notice->grab().save(QString(out) + "/export_notice.png");
    notice->close();
    QApplication::processEvents();

    // A write that fails says so and shows no notice.
    frame.settings().targetDir = dir.file("missing");
    messages.shown.clear();
    frame.runCommand(Cmd::kExportData);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text,
              "Save file '" + dir.file("missing") + "/Spectrum_file_001.txt ' error !");
    EXPECT_EQ(findNotice(), nullptr);
}

TEST_F(ShellFilesTest, ExportThroughTheActiveViewPausesExceptConcentration) {
    CMainFrame frame(options);
    frame.settings().fileSuffix = kFileSuffixCustomised;
    frame.settings().targetDir = dir.path().string();
    for (int type : {kFileAbsorbance, kFileConcentration}) {
        auto* view = new FakeView(type);
        view->runState = &frame.runControl().runState;
        frame.tabs()->addView(view, "v");
        frame.runControl().runState = kRunStateRun;
        saveAnswer = dir.file("b.ab");
        frame.runCommand(Cmd::kExportData);
        EXPECT_EQ(view->exported, dir.file("b.ab.txt"));
        EXPECT_EQ(view->runStateDuringExport,
                  type == kFileConcentration ? kRunStateRun : kRunStatePause);
        EXPECT_EQ(frame.runControl().runState.load(), kRunStateRun);
        EXPECT_EQ(save.folder, dir.path().string());
        EXPECT_EQ(save.title, "Export " + dataFileTypeName(type));
        if (CExportNotice* n = findNotice()) n->close();
        // Cancelled: the view is not asked.
        view->exported.clear();
        saveAnswer.clear();
        frame.runCommand(Cmd::kExportData);
        EXPECT_TRUE(view->exported.empty());
        delete view;
    }
}

TEST_F(ShellFilesTest, RecordsManager) {
    CMainFrame frame(options);
    CSpectrumData& record = frame.record();
    const double x[] = {1, 2}, y[] = {3, 4};
    record.addSeries(0, "/r/a.data", x, y, 2);
    record.addSeries(2, "/r/other.ab", x, y, 2);  // another type: not listed
    record.addSeries(0, "/r/b.data", x, y, 2);
    record.extraSeries[0].displayColour = 0x0000FF;  // red, as a view drew it
    RecordEntry conc;
    conc.name = "/r/c.data";
    conc.typeCode = kFileConcentration;
    record.records.push_back(conc);

    CRecordManage* manager = runRecordManager(frame);
    QTreeWidget* list = manager->findChild<QTreeWidget*>("1027");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(manager->windowTitle(), "Records Manager");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(0), "Checked");
    EXPECT_EQ(list->headerItem()->text(1), "Record");
    EXPECT_EQ(list->headerItem()->text(2), "Color");
    EXPECT_EQ(list->columnWidth(1), 300);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "/r/a.data");
    EXPECT_EQ(list->topLevelItem(0)->background(2).color(), QColor(255, 0, 0));
    if (const char* out = std::getenv("CORVANE_SHOT_DIR"))
        manager->grab().save(QString(out) + "/records_manager.png");

    list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    manager->onTimer();
    EXPECT_EQ(record.extraSeries[2].valid, 0);
    EXPECT_EQ(list->topLevelItem(1)->background(2).color(), QColor(255, 255, 255));
    EXPECT_EQ(record.extraSeries[0].valid, 1);

    // Delete, then import the same file while the manager is open: nothing is added.
    const std::string path = dir.file("a.data");
    writeFile(path, "1\t2\r\n3\t4\r\n");
    ASSERT_EQ(importDataFile(record, path, 0), 1);
    delete manager;  // the rows were built before; a fresh manager lists the import
    manager = runRecordManager(frame);
    list = manager->findChild<QTreeWidget*>("1027");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    list->setCurrentItem(list->topLevelItem(2));
    manager->deleteSelected();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(record.extraSeries.back().count, 0);
    EXPECT_EQ(importDataFile(record, path, 0), 1);
    EXPECT_EQ(record.extraSeries.back().count, 0);  // still the emptied entry
    manager->close();
    QApplication::processEvents();
    EXPECT_EQ(record.extraSeries.size(), 3u);  // the emptied series left the record
    ASSERT_EQ(importDataFile(record, path, 0), 1);
    EXPECT_EQ(record.extraSeries.back().count, 2);
}

TEST_F(ShellFilesTest, ConcentrationRecordsStayEmptyAfterDelete) {
    CMainFrame frame(options);
    auto* view = new FakeView(kFileConcentration);
    frame.tabs()->addView(view, "c");
    const std::string path = dir.file("c.data");
    writeFile(path, "1\t2\r\n");
    openAnswer = path;
    frame.runCommand(Cmd::kImportData);
    ASSERT_EQ(frame.record().records.size(), 1u);
    CRecordManage* manager = runRecordManager(frame);
    QTreeWidget* list = manager->findChild<QTreeWidget*>("1027");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    list->setCurrentItem(list->topLevelItem(0));
    manager->deleteSelected();
    manager->close();
    QApplication::processEvents();
    ASSERT_EQ(frame.record().records.size(), 1u);
    EXPECT_EQ(frame.record().records[0].count, 0);
    frame.runCommand(Cmd::kImportData);
    EXPECT_EQ(frame.record().records[0].checked, 1);
    EXPECT_EQ(frame.record().records[0].count, 0);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
