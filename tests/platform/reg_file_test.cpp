// The .reg text format: round trips, the forms regedit writes and reads, and syntax errors.
#include "platform/sim/reg_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using winsim::RegFile;
using winsim::RegKey;
using winsim::RegParseError;
using winsim::RegValue;

constexpr const char* kRoot = "HKEY_LOCAL_MACHINE";

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Sz(std::string_view text) {
    auto data = Bytes(text);
    data.push_back(0);
    return data;
}

RegKey RoundTrip(const RegKey& root) {
    RegKey back;
    RegParseError error;
    const std::string text = RegFile::Write(root, kRoot);
    EXPECT_TRUE(RegFile::Parse(text, kRoot, back, error)) << error.line << ": " << error.message
                                                          << "\n" << text;
    return back;
}

RegKey Parse(std::string_view text) {
    RegKey root;
    RegParseError error;
    EXPECT_TRUE(RegFile::Parse(text, kRoot, root, error)) << error.line << ": " << error.message;
    return root;
}

TEST(RegFile, RoundTripKeepsEveryKindOfValue) {
    RegKey root(kRoot);
    RegKey& key = root.CreateChild("Software").CreateChild("Key With Spaces");
    std::vector<std::uint8_t> binary;
    for (int i = 0; i < 256; ++i) {
        binary.push_back(static_cast<std::uint8_t>(i));
    }
    key.SetValue({"Binary", win::REG_BINARY, binary});
    key.SetValue({"Empty binary", win::REG_BINARY, {}});
    key.SetValue({"Empty string", win::REG_SZ, Sz("")});
    key.SetValue({"", win::REG_SZ, Sz("the default")});
    key.SetValue({"Name \"quoted\" \\ slashed", win::REG_SZ, Sz("C:\\Program Files\\\"x\"\\")});
    key.SetValue({"Dword", win::REG_DWORD, {0x78, 0x56, 0x34, 0x12}});
    key.SetValue({"Short dword", win::REG_DWORD, {1, 2}});
    key.SetValue({"No terminator", win::REG_SZ, Bytes("abc")});
    key.SetValue({"Inner NUL", win::REG_SZ, {'a', 0, 'b', 0}});
    key.SetValue({"Line break", win::REG_SZ, Sz("one\r\ntwo")});
    key.SetValue({"Zero size sz", win::REG_SZ, {}});
    key.SetValue({"Expand", win::REG_EXPAND_SZ, Sz("%SystemRoot%\\x")});
    key.SetValue({"Multi", win::REG_MULTI_SZ, {'a', 0, 'b', 0, 0}});
    key.SetValue({"Type 0x20", 0x20, {9, 8, 7}});
    key.SetValue({"Long", win::REG_SZ, Sz(std::string(300, 'L'))});
    key.SetValue({"High bytes", win::REG_SZ, Sz("caf\xe9")});
    root.CreateChild("Software").CreateChild("alpha");
    root.CreateChild("Software").CreateChild("Beta");
    EXPECT_EQ(RoundTrip(root), root);
}

TEST(RegFile, WritesTheFormsRegeditWrites) {
    RegKey root(kRoot);
    RegKey& key = root.CreateChild("Software");
    key.SetValue({"", win::REG_SZ, Sz("default")});
    key.SetValue({"Path", win::REG_SZ, Sz("C:\\A \"B\"")});
    key.SetValue({"N", win::REG_DWORD, {0xff, 0, 0, 0}});
    key.SetValue({"Bin", win::REG_BINARY, {0x00, 0xab}});
    key.SetValue({"Empty", win::REG_BINARY, {}});
    key.SetValue({"E", win::REG_EXPAND_SZ, Sz("a")});
    EXPECT_EQ(RegFile::Write(root, kRoot),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software]\r\n"
              "@=\"default\"\r\n"
              "\"Path\"=\"C:\\\\A \\\"B\\\"\"\r\n"
              "\"N\"=dword:000000ff\r\n"
              "\"Bin\"=hex:00,ab\r\n"
              "\"Empty\"=hex:\r\n"
              "\"E\"=hex(2):61,00,00,00\r\n"
              "\r\n");
}

TEST(RegFile, LongHexWrapsAfterACommaAtColumn77) {
    const std::string line =
        RegFile::FormatValueLine({"Rescue", win::REG_BINARY, std::vector<std::uint8_t>(40, 0xab)});
    std::size_t start = 0;
    std::size_t lines = 0;
    while (start < line.size()) {
        std::size_t end = line.find("\r\n", start);
        const std::string part = line.substr(start, end == std::string::npos ? end : end - start);
        ++lines;
        EXPECT_LE(part.size(), 80u) << part;
        if (end != std::string::npos) {
            EXPECT_EQ(part.back(), '\\');
            EXPECT_EQ(part[part.size() - 2], ',');
            EXPECT_GE(part.size() - 1, 77u);
            EXPECT_EQ(line.substr(end + 2, 2), "  ");
            start = end + 2;
        } else {
            break;
        }
    }
    EXPECT_EQ(lines, 2u);
    // "Rescue"=hex: is 13 columns; 22 bytes take it to 79, so the first line holds 22 bytes.
    EXPECT_EQ(line.find("\\\r\n"), 13u + 22u * 3u);
}

TEST(RegFile, ReadsRegedit4AndImportRules) {
    const RegKey root = Parse(
        "REGEDIT4\n"
        "; a comment\n"
        "[HKEY_LOCAL_MACHINE\\Software\\App]\n"
        "\"Keep\"=\"yes\"\n"
        "\"Gone\"=\"soon\"\n"
        "\"Data\"=hex:01,02,\\\n"
        "    03,04\n"
        "\"Ansi\"=hex(2):41,42,00\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\Software\\App]\n"
        "\"Gone\"=-\n"
        "[hkey_local_machine\\Software\\Old\\Deep]\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Old]\n");
    const RegKey* app = root.Find({"software", "APP"});
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->FindValue("keep")->data, Sz("yes"));
    EXPECT_EQ(app->FindValue("Gone"), nullptr);
    EXPECT_EQ(app->FindValue("Data")->data, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(app->FindValue("Ansi")->data, Sz("AB"));  // REGEDIT4 hex strings are ANSI
    EXPECT_EQ(root.Find({"Software", "Old"}), nullptr);
}

TEST(RegFile, ReadsUtf16WithBom) {
    const std::string ansi =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software]\r\n"
        "\"Name\"=\"caf\xe9\"\r\n"
        "\"Wide\"=hex(2):41,00,42,00,00,00\r\n";
    std::string utf16 = "\xff\xfe";
    for (char c : ansi) {
        utf16.push_back(c);
        utf16.push_back('\0');
    }
    const RegKey root = Parse(utf16);
    const RegKey* key = root.Find({"Software"});
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->FindValue("Name")->data, Sz("caf\xe9"));
    EXPECT_EQ(key->FindValue("Wide")->data, Sz("AB"));
}

TEST(RegFile, AcceptsEveryLineEnding) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("Windows Registry Editor Version 5.00") + end + end +
                                 "[HKEY_LOCAL_MACHINE\\A]" + end + "\"V\"=hex:01,\\" + end +
                                 "  02" + end + "@=\"d\"" + end;
        const RegKey root = Parse(text);
        const RegKey* key = root.Find({"A"});
        ASSERT_NE(key, nullptr) << "line end " << static_cast<int>(end[0]);
        EXPECT_EQ(key->FindValue("V")->data, (std::vector<std::uint8_t>{1, 2}));
        EXPECT_EQ(key->FindValue("")->data, Sz("d"));
    }
}

struct BadCase {
    const char* text;
    std::size_t line;
};

class RegFileErrors : public ::testing::TestWithParam<BadCase> {};

TEST_P(RegFileErrors, NameTheLineAndLeaveTheTreeAlone) {
    RegKey root(kRoot);
    root.CreateChild("Existing");
    const RegKey before = root;
    RegParseError error;
    EXPECT_FALSE(RegFile::Import(GetParam().text, kRoot, root, error));
    EXPECT_EQ(error.line, GetParam().line) << error.message;
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(root, before);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, RegFileErrors,
    ::testing::Values(
        BadCase{"", 0}, BadCase{"REGEDIT5\r\n", 1},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=dword:123456789\n", 3},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=hex:1g\n", 3},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"x=\"y\"\n", 3},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"open\n", 3},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=str:abc\n", 3},
        BadCase{"REGEDIT4\n\"x\"=\"before any key\"\n", 2},
        BadCase{"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n", 2},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", 2},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\ngarbage\n", 3},
        BadCase{"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", 2}));

}  // namespace
