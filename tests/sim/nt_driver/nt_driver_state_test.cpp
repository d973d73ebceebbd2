#include "sim/drivers/nt/nt_driver_state.h"

#include <gtest/gtest.h>

#include <string>

namespace simnt {
namespace {

TEST(NtDriverState, TextFormKeepsEveryField) {
    NtDriverState state = NtDriverState::FromText("");
    state.bootId = 7;
    state.initialized = true;
    state.protectionOn = false;
    state.statusActive = true;
    state.loginOnly = true;
    state.instancePid = 1234;
    state.instanceStartTime = 99887766;
    state.loaderStarted = true;
    state.loaderCopies = 3;
    state.reloads = 12;
    state.itemFile = FileVerdict::BadChecksum;
    state.moduleFile = FileVerdict::Short;
    state.header.SetIdleTimeSeconds(600);
    state.items = {{"C:\\DATA\\*", 1, 0xFFFB3F04}, {std::string("A B\nC\0D", 7), 2, 0}};
    state.authorizedModules = {"NOTEPAD", ""};
    state.unauthorizedModules = {"*"};
    state.slots[3].state = NtSlot::State::Answered;
    state.slots[3].posterPid = 55;
    state.slots[3].posterStartTime = 66;
    state.slots[3].answer = 2;
    state.slots[3].record.SetPath("C:\\DATA\\A.TXT");
    state.slots[15].state = NtSlot::State::Pending;

    const NtDriverState back = NtDriverState::FromText(state.ToText());
    EXPECT_EQ(back.ToText(), state.ToText());
    EXPECT_EQ(back.items, state.items);
    EXPECT_EQ(back.authorizedModules, state.authorizedModules);
    EXPECT_EQ(back.header, state.header);
    EXPECT_EQ(back.slots[3].record.Path(), "C:\\DATA\\A.TXT");
    EXPECT_EQ(back.slots[15].state, NtSlot::State::Pending);
    EXPECT_EQ(back.slots[0].state, NtSlot::State::Free);
    EXPECT_FALSE(back.protectionOn);
    EXPECT_EQ(back.instanceStartTime, 99887766u);
}

TEST(NtDriverState, DamagedLinesAreSkipped) {
    const NtDriverState state = NtDriverState::FromText(
        "HalvgateState 1\nswitch 2\nboot x\nitem 1 2 =zz\nitem 1 5 41\nitem 1 5 =41\nslot 99 "
        "pending 1 1 0 00\n"
        "header 00\nreloads 4 5\nunknown line\n\nauthorized =4e");
    EXPECT_TRUE(state.protectionOn);
    EXPECT_EQ(state.bootId, 0u);
    ASSERT_EQ(state.items.size(), 1u);
    EXPECT_EQ(state.items[0].path, "A");
    EXPECT_TRUE(state.header.ChecksumMatches());
    EXPECT_EQ(state.reloads, 0u);
    EXPECT_EQ(state.authorizedModules, std::vector<std::string>{"N"});
    EXPECT_TRUE(NtDriverState::FromText("not a state\nswitch 0").protectionOn);
}

}  // namespace
}  // namespace simnt
