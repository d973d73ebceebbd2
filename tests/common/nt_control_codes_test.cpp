#include "common/nt_control_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/request_record.h"

namespace halvern {
namespace {

struct PublishedCode {
    win::DWORD code;
    win::DWORD function;
    const char* name;
};

// The codes as the driver publishes them.
constexpr PublishedCode kPublished[] = {
    {0x88890044, 0x11, "IOCTL_HALVGATE_RELOAD_CONFIG"},
    {0x88890048, 0x12, "IOCTL_HALVGATE_PROTECTION_ON"},
    {0x8889004C, 0x13, "IOCTL_HALVGATE_PROTECTION_OFF"},
    {0x88890050, 0x14, "IOCTL_HALVGATE_STATUS_ACTIVE"},
    {0x88890054, 0x15, "IOCTL_HALVGATE_LOGIN_ONLY"},
    {0x88890060, 0x18, "IOCTL_HALVGATE_QUERY_INSTANCE"},
    {0x8889006C, 0x1B, "IOCTL_HALVGATE_LOADER_COPY"},
    {0x88890070, 0x1C, "IOCTL_HALVGATE_LOADER_START"},
    {0x88890074, 0x1D, "IOCTL_HALVGATE_LOADER_QUERY"},
    {0x88890084, 0x21, "IOCTL_HALVGATE_ANSWER_REQUEST"},
    {0x88890090, 0x24, "IOCTL_HALVGATE_GET_REQUEST"},
};

TEST(NtControlCodes, EachConstantIsThePublishedCode) {
    EXPECT_EQ(IOCTL_HALVGATE_RELOAD_CONFIG, 0x88890044u);
    EXPECT_EQ(IOCTL_HALVGATE_PROTECTION_ON, 0x88890048u);
    EXPECT_EQ(IOCTL_HALVGATE_PROTECTION_OFF, 0x8889004Cu);
    EXPECT_EQ(IOCTL_HALVGATE_STATUS_ACTIVE, 0x88890050u);
    EXPECT_EQ(IOCTL_HALVGATE_LOGIN_ONLY, 0x88890054u);
    EXPECT_EQ(IOCTL_HALVGATE_QUERY_INSTANCE, 0x88890060u);
    EXPECT_EQ(IOCTL_HALVGATE_LOADER_COPY, 0x8889006Cu);
    EXPECT_EQ(IOCTL_HALVGATE_LOADER_START, 0x88890070u);
    EXPECT_EQ(IOCTL_HALVGATE_LOADER_QUERY, 0x88890074u);
    EXPECT_EQ(IOCTL_HALVGATE_ANSWER_REQUEST, 0x88890084u);
    EXPECT_EQ(IOCTL_HALVGATE_GET_REQUEST, 0x88890090u);
}

TEST(NtControlCodes, TableHoldsEveryCodeOnceWithItsFunctionNumber) {
    ASSERT_EQ(std::size(kNtControlCodes), std::size(kPublished));
    std::set<win::DWORD> seen;
    for (const PublishedCode& published : kPublished) {
        const NtControlCode* entry = FindNtControlCode(published.code);
        ASSERT_NE(entry, nullptr) << published.name;
        EXPECT_STREQ(entry->name, published.name);
        EXPECT_EQ((published.code >> 2) & 0xFFF, published.function) << published.name;
        EXPECT_EQ(published.code >> 16, 0x8889u);
        EXPECT_EQ(published.code & 3, 0u) << "buffered";
        EXPECT_EQ((published.code >> 14) & 3, 0u) << "any access";
        EXPECT_TRUE(seen.insert(entry->code).second);
    }
    EXPECT_EQ(FindNtControlCode(HalvgateControlCode(0x16)), nullptr);
}

TEST(NtControlCodes, BufferSizesOfTheExchanges) {
    EXPECT_EQ(FindNtControlCode(IOCTL_HALVGATE_RELOAD_CONFIG)->inSize, 300u);
    EXPECT_EQ(FindNtControlCode(IOCTL_HALVGATE_QUERY_INSTANCE)->outSize, 4u);
    EXPECT_EQ(FindNtControlCode(IOCTL_HALVGATE_GET_REQUEST)->inSize, 4u);
    EXPECT_EQ(FindNtControlCode(IOCTL_HALVGATE_GET_REQUEST)->outSize, 296u);
    EXPECT_EQ(FindNtControlCode(IOCTL_HALVGATE_ANSWER_REQUEST)->inSize, 296u);
}

TEST(RequestRecord, FieldsLandAtTheirOffsets) {
    RequestRecord record;
    record.SetSlot(0x04030201);
    record.SetAnswer(RequestRecord::kAnswerPending);
    record.SetOperationCode(6);
    record.SetOperationKind(5);
    record.SetProcessName("EXPLORER.EXE");
    record.SetPath("C:\\DATA\\A.TXT");

    std::array<std::uint8_t, 296> expected{};
    expected[0] = 1, expected[1] = 2, expected[2] = 3, expected[3] = 4;
    expected[4] = 10;
    expected[12] = 6;
    expected[13] = 5;
    const std::string process = "EXPLORER.EXE";
    const std::string path = "C:\\DATA\\A.TXT";
    for (std::size_t i = 0; i < process.size(); ++i) {
        expected[20 + i] = static_cast<std::uint8_t>(process[i]);
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        expected[37 + i] = static_cast<std::uint8_t>(path[i]);
    }
    EXPECT_EQ(record.bytes, expected);
    EXPECT_EQ(record.ProcessName(), process);
    EXPECT_EQ(record.Path(), path);
}

TEST(RequestRecord, TextFieldsWithoutTerminatorReadWithinTheirCapacity) {
    RequestRecord record;
    record.bytes.fill('x');
    EXPECT_EQ(record.ProcessName(), std::string(16, 'x'));
    EXPECT_EQ(record.Path(), std::string(258, 'x'));
    record.SetProcessName(std::string(40, 'p'));
    EXPECT_EQ(record.bytes[20 + 15], 'p');
    EXPECT_EQ(record.bytes[20 + 16], 0);
    EXPECT_EQ(record.bytes[37], 'x') << "the path field is not touched";
}

}  // namespace
}  // namespace halvern
