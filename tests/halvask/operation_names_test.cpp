#include "halvask/operation_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace halvern {
namespace {

TEST(OperationName, KindRefinesCreateSetInformationAndDirectoryControl) {
    EXPECT_STREQ(OperationName(0, 1), "Create");
    EXPECT_STREQ(OperationName(0, 2), "Open");
    EXPECT_STREQ(OperationName(0, 3), "Execute");
    EXPECT_STREQ(OperationName(6, 4), "Rename");
    EXPECT_STREQ(OperationName(6, 5), "Delete");
    EXPECT_STREQ(OperationName(6, 6), "Set Attribute");
    EXPECT_STREQ(OperationName(6, 7), "Write Append");
    EXPECT_STREQ(OperationName(12, 1), "Dir");
    EXPECT_STREQ(OperationName(12, 2), "Change Directory");
    for (int kind : {0, 4, 255}) {
        EXPECT_STREQ(OperationName(0, static_cast<std::uint8_t>(kind)), "Unknown");
        EXPECT_STREQ(OperationName(12, static_cast<std::uint8_t>(kind)), "Unknown");
    }
    for (int kind : {0, 3, 8, 9, 255}) {
        EXPECT_STREQ(OperationName(6, static_cast<std::uint8_t>(kind)), "Unknown");
    }
}

TEST(OperationName, OtherCodesIgnoreTheKind) {
    const char* const names[] = {nullptr,
                                 "Create Named Pipe",
                                 "Close",
                                 "Read",
                                 "Write",
                                 "Query Information",
                                 nullptr,
                                 "Query EA",
                                 "Set EA",
                                 "Flush Buffers",
                                 "Query Volume Information",
                                 "Set Volume Information",
                                 nullptr,
                                 "File System Control",
                                 "Device Control",
                                 "Internal Device Control",
                                 "Shutdown",
                                 "Lock Control",
                                 "Cleanup",
                                 "Create Mail Slot",
                                 "Query Security",
                                 "Set Security",
                                 "Set Power",
                                 "Query Power"};
    for (int code = 0; code < 24; ++code) {
        if (names[code] == nullptr) {
            continue;
        }
        for (int kind : {0, 2, 200}) {
            EXPECT_STREQ(
                OperationName(static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(kind)),
                names[code])
                << code;
        }
    }
}

TEST(OperationName, CodesFrom24AreUnknownAndNoNameIsLongerThanDeclared) {
    for (int code = 24; code < 256; ++code) {
        EXPECT_STREQ(OperationName(static_cast<std::uint8_t>(code), 1), "Unknown") << code;
    }
    for (int code = 0; code < 256; ++code) {
        for (int kind = 0; kind < 256; ++kind) {
            EXPECT_LE(std::strlen(OperationName(static_cast<std::uint8_t>(code),
                                                static_cast<std::uint8_t>(kind))),
                      kLongestOperationName);
        }
    }
    EXPECT_EQ(std::string(OperationName(10, 0)).size(), kLongestOperationName);
}

}  // namespace
}  // namespace halvern
