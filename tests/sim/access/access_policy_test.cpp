#include "sim/drivers/nt/access_policy.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/password_codec.h"

namespace simnt {
namespace {

constexpr std::uint32_t kRead = 0x1;
constexpr std::uint32_t kPrompt = 0x40000;
constexpr std::uint32_t kAskPassword = 0x80000;

// An item whose mask restricts `restricted` with the action bits given (the mask is the
// complement, as the item file stores it).
NtItem Item(const char* path, std::uint32_t restricted, std::uint16_t status = 1) {
    return NtItem{path, status, ~restricted};
}

class AccessPolicy : public testing::Test {
  protected:
    AccessPolicy() { state.header.SetDefaults(); }

    AccessDecision Decide(const char* operation, const char* path) {
        const AccessOperation* op = FindAccessOperation(operation);
        EXPECT_NE(op, nullptr) << operation;
        return DecideAccess(state, *op, path);
    }

    NtDriverState state;
};

TEST_F(AccessPolicy, ActionDecidesARestrictedAccess) {
    state.items = {Item("C:\\DATA\\*", kRead)};
    EXPECT_EQ(Decide("read", "C:\\DATA\\A.TXT").verdict, AccessVerdict::Deny);
    state.items = {Item("C:\\DATA\\*", kRead | kPrompt)};
    const AccessDecision held = Decide("read", "C:\\DATA\\A.TXT");
    EXPECT_EQ(held.verdict, AccessVerdict::Prompt);
    EXPECT_EQ(held.item, 0u);
    state.items = {Item("C:\\DATA\\*", kRead | kAskPassword)};
    EXPECT_EQ(Decide("READ", "c:\\data\\a.txt").verdict, AccessVerdict::AskPassword);
    // Both action bits clear reads as Prompt.
    state.items = {Item("C:\\DATA\\*", kRead | kPrompt | kAskPassword)};
    EXPECT_EQ(Decide("read", "C:\\DATA\\A.TXT").verdict, AccessVerdict::Prompt);
}

TEST_F(AccessPolicy, WhatLetsAnAccessThrough) {
    state.items = {Item("C:\\DATA\\*", kRead)};
    EXPECT_EQ(Decide("open", "C:\\DATA\\A.TXT").verdict, AccessVerdict::Allow);  // other right
    EXPECT_EQ(Decide("read", "C:\\OTHER\\A.TXT").verdict, AccessVerdict::Allow);
    EXPECT_EQ(Decide("query", "C:\\DATA\\A.TXT").verdict, AccessVerdict::Allow);  // no right

    state.items = {Item("C:\\DATA\\*", kRead, 0)};  // inactive item
    EXPECT_EQ(Decide("read", "C:\\DATA\\A.TXT").verdict, AccessVerdict::Allow);

    state.items = {Item("C:\\DATA\\*", kRead)};
    state.protectionOn = false;
    const AccessDecision off = Decide("read", "C:\\DATA\\A.TXT");
    EXPECT_EQ(off.verdict, AccessVerdict::Allow);
    EXPECT_EQ(off.reason, "protection is switched off");

    state.protectionOn = true;
    state.header.SetProtectionStatus(0);
    EXPECT_EQ(Decide("read", "C:\\DATA\\A.TXT").verdict, AccessVerdict::Allow);
}

TEST_F(AccessPolicy, FirstRestrictingItemInListOrderDecides) {
    state.items = {Item("C:\\DATA\\A.TXT", 0x40), Item("C:\\DATA", kRead | kPrompt),
                   Item("C:\\DATA\\*", kRead)};
    const AccessDecision decision = Decide("read", "C:\\DATA\\A.TXT");
    EXPECT_EQ(decision.verdict, AccessVerdict::Prompt);
    EXPECT_EQ(decision.item, 1u);
    EXPECT_EQ(decision.reason, "item C:\\DATA restricts Read (action Prompt)");
}

TEST_F(AccessPolicy, EveryOperationIsRestrictedByItsOwnRight) {
    for (const AccessOperation& op : AccessOperations()) {
        if (op.rightBit == 0) {
            continue;
        }
        state.items = {Item("C:\\DATA", op.rightBit)};
        EXPECT_EQ(DecideAccess(state, op, "C:\\DATA\\F").verdict, AccessVerdict::Deny) << op.name;
        state.items = {Item("C:\\DATA", 0xFFFF & ~op.rightBit)};
        EXPECT_EQ(DecideAccess(state, op, "C:\\DATA\\F").verdict, AccessVerdict::Allow) << op.name;
    }
    EXPECT_EQ(FindAccessOperation("fly"), nullptr);
}

TEST(FlyPassword, ComparesTheEncodedForm) {
    halvern::ConfigHeader header;
    header.SetDefaults();
    EXPECT_FALSE(FlyPasswordMatches(header, ""));  // none set
    char plain[16] = "Secret";
    halvern::CPasswordCodec().Encode(plain, header.FlyPassword().data());
    header.SetFlyPasswordSet(1);
    EXPECT_TRUE(FlyPasswordMatches(header, "Secret"));
    EXPECT_TRUE(FlyPasswordMatches(header, "Secret  "));  // trailing spaces do not count
    EXPECT_FALSE(FlyPasswordMatches(header, "secret"));
    EXPECT_FALSE(FlyPasswordMatches(header, ""));
    // Longer than the settings can store: never cut down to a match.
    EXPECT_FALSE(FlyPasswordMatches(header, "Secret          x"));
    EXPECT_FALSE(FlyPasswordMatches(header, std::string_view("Secret\0", 7)));
}

}  // namespace
}  // namespace simnt
