#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "core/Messages.h"
#include "core/RunLog.h"
#include "resources/StringTable.h"
#include "tests/support/TestSupport.h"

namespace {

class RunLogTest : public ::testing::Test {
  protected:
    void SetUp() override { setRunLogPath(dir.file("runlog.log")); }
    void TearDown() override { setRunLogPath(""); }
    std::string log() const { return readUtf16File(dir.file("runlog.log")); }
    TempDir dir;
};

TEST_F(RunLogTest, LinesAreUtf16WithTimePrefixAndCrLf) {
    logWrite("sp removed ,do close,%d", 41);
    logWrite("波长 %s", "λ");
    std::ifstream in(dir.file("runlog.log"), std::ios::binary);
    char first[2] = {};
    in.read(first, 2);
    EXPECT_EQ(first[0], '[');  // no byte-order mark
    EXPECT_EQ(first[1], '\0');
    const std::regex line(R"(\[\d{1,2}:\d{1,2}:\d{1,2}\.\d{1,3}\] sp removed ,do close,41\r\n)"
                          R"(\[\d{1,2}:\d{1,2}:\d{1,2}\.\d{1,3}\] 波长 λ\r\n)");
    EXPECT_TRUE(std::regex_match(log(), line)) << log();
}

TEST_F(RunLogTest, MessagesAreCutAt512Characters) {
    logWriteText(std::string(600, 'x'));
    const std::string text = log();
    const size_t start = text.find("] ") + 2;
    EXPECT_EQ(text.size() - start - 2, 512u);
}

TEST_F(RunLogTest, AFileOver5000000BytesIsDeletedThenStartedAfresh) {
    {
        std::ofstream big(dir.file("runlog.log"), std::ios::binary);
        big << std::string(5'000'001, 'a');
    }
    logWriteText("first");
    EXPECT_FALSE(std::filesystem::exists(dir.file("runlog.log")));
    EXPECT_NE(pendingLogText().find(u"first"), std::u16string::npos);
    logWriteText("second");
    const std::string text = log();
    EXPECT_NE(text.find("first"), std::string::npos);
    EXPECT_NE(text.find("second"), std::string::npos);
    EXPECT_LT(text.size(), 100u);
    EXPECT_TRUE(pendingLogText().empty());
}

TEST_F(RunLogTest, MessagesAreLoggedFirstAndCaptionedInTheUiLanguage) {
    MessageRecorder recorder(kMsgAnswerNo);
    setUiLanguage(kLangTraditionalChinese);
    const int answer = showMessage("Set trigger pulse error!", MsgIcon::Warning, kMsgYesNo);
    setUiLanguage(kLangEnglish);
    EXPECT_EQ(answer, kMsgAnswerNo);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].caption, "提示");
    EXPECT_EQ(recorder.shown[0].languageId, kLangTraditionalChinese);
    EXPECT_NE(log().find("Set trigger pulse error!"), std::string::npos);
    showMessage("again");
    EXPECT_EQ(recorder.shown[1].caption, "Note");
}

}  // namespace
