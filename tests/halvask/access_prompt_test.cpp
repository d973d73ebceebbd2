#include "halvask/access_prompt.h"

#include <gtest/gtest.h>

#include <string>

namespace halvern {
namespace {

TEST(AccessPrompt, FillsTheQuestion) {
    EXPECT_EQ(BuildAccessPrompt("Open", "EXPLORER.EXE", "C:\\DATA\\A.TXT"),
              "Open access attempt by process EXPLORER.EXE on C:\\DATA\\A.TXT. Continue ?");
    EXPECT_EQ(BuildAccessPrompt("Unknown", "", ""),
              "Unknown access attempt by process  on . Continue ?");
}

TEST(AccessPrompt, PromptThatFitsExactlyIsKept) {
    // 299 characters: the fixed text (43) with "Read" and a 16-character process leaves 236.
    const std::string path = "C:\\" + std::string(233, 'p');
    const std::string prompt = BuildAccessPrompt("Read", "ABCDEFGHIJKL.EXE", path);
    EXPECT_EQ(prompt.size(), kMaxPromptLength);
    EXPECT_NE(prompt.find(path), std::string::npos);
}

TEST(AccessPrompt, LongestFieldsShortenThePathInTheMiddle) {
    const std::string head = "C:\\FIRST\\";
    const std::string file = "\\LAST-FILE.TXT";
    const std::string path = head + std::string(258 - head.size() - file.size(), 'm') + file;
    ASSERT_EQ(path.size(), 258u);
    const std::string prompt =
        BuildAccessPrompt("Query Volume Information", "ABCDEFGHIJKL.EXE", path);
    EXPECT_EQ(prompt.size(), kMaxPromptLength);
    EXPECT_EQ(prompt.rfind("Query Volume Information access attempt by process ABCDEFGHIJKL.EXE on "
                           "C:\\FIRST\\",
                           0),
              0u);
    EXPECT_NE(prompt.find("m...m"), std::string::npos);
    EXPECT_TRUE(prompt.ends_with("\\LAST-FILE.TXT. Continue ?")) << prompt;
}

TEST(AccessPrompt, OverlongNamesAreCutAndTheQuestionStays) {
    const std::string prompt =
        BuildAccessPrompt(std::string(500, 'o'), std::string(500, 'p'), std::string(5000, 'x'));
    EXPECT_LE(prompt.size(), kMaxPromptLength);
    EXPECT_EQ(prompt.rfind(std::string(24, 'o') + " access attempt by process " +
                               std::string(16, 'p') + " on x",
                           0),
              0u);
    EXPECT_TRUE(prompt.ends_with("x. Continue ?"));
}

}  // namespace
}  // namespace halvern
