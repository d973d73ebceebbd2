// A fresh NT machine with the simulated driver, the headless backend and Halvgate's resources:
// a test writes the user's steps as a script, runs the protected items window with it and then
// looks at the transcript, the item file, the registry and the driver.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "halvgate/mainwindow/protected_items_dlg.h"
#include "platform/sim/device.h"
#include "sim/drivers/nt/nt_driver_state.h"
#include "tests/support/test_machine.h"
#include "ui/headless/script.h"
#include "ui/headless/transcript.h"

namespace halvgate_test {

// The machine's NT driver with every control code recorded on the way through. The instance
// query can be made to answer for another running monitor.
class RecordingDriver : public winsim::IDevice {
  public:
    bool Control(HalvernDeviceCall& call) override;

    std::vector<std::uint32_t> codes;
    bool anotherInstance = false;
};

// One record of the item file.
struct FileItem {
    std::string path;
    std::uint16_t status;
    std::uint32_t mask;
};

class MainWindowTest : public ::testing::Test {
  protected:
    static constexpr const char* kItemFile = "C:\\WINDOWS\\DO2000IF.CFG";

    MainWindowTest();

    // The steps of a script text; a parse error fails the test.
    static ui::headless::Script Steps(std::string_view text);
    // Runs the protected items window with the script until it closes; returns the transcript.
    ui::headless::Transcript Run(const ui::headless::Script& script);
    ui::headless::Transcript Run(std::string_view text) { return Run(Steps(text)); }

    // The transcript shows a message box with this text and caption (texts without quotes or
    // line breaks).
    static bool ShowsMessage(const ui::headless::Transcript& transcript, const std::string& text,
                             const std::string& caption);

    // The window a callback step sees.
    static halvgate::CProtectedItemsDlg& Window(ui::Dialog& dialog);

    simnt::NtDriverState Driver() const;
    // The codes the driver received, by name ("ON", "OFF", "RELOAD", ...), in order.
    std::vector<std::string> CodeNames() const;
    void ForgetCodes() { driver_->codes.clear(); }

    // An item file with the default header and these rows; with a logon password when one is
    // given, and the header's protection status word.
    std::string ItemFileBytes(const std::vector<FileItem>& items,
                              const char* logonPassword = nullptr,
                              std::uint16_t protectionStatus = 1) const;
    void WriteItemFile(const std::vector<FileItem>& items, const char* logonPassword = nullptr,
                       std::uint16_t protectionStatus = 1) const;
    // The rows of the item file on the machine, or nothing when it is missing or malformed.
    std::optional<std::vector<FileItem>> ReadItemFile() const;
    std::optional<std::uint32_t> RegistryDword(const char* name) const;

    halvern_test::TestMachine pc_;
    std::shared_ptr<RecordingDriver> driver_ = std::make_shared<RecordingDriver>();
};

// Masks of common rights as the item file stores them.
constexpr std::uint32_t kNoAccessDisable = 0xFFFF3F04;
constexpr std::uint32_t kNoAccessPrompt = 0xFFFB3F04;
constexpr std::uint32_t kNothingRestricted = 0xFFFFFFFF;

bool operator==(const FileItem& a, const FileItem& b);
void PrintTo(const FileItem& item, std::ostream* out);

}  // namespace halvgate_test
