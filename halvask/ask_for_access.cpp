#include "halvask/ask_for_access.h"

#include <array>
#include <cstdint>
#include <string>

#include "common/byte_order.h"
#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "common/request_record.h"
#include "halvask/access_prompt.h"
#include "halvask/command_line.h"
#include "halvask/operation_names.h"
#include "halvask/slot_release.h"
#include "ui/message_box.h"
#include "ui/types.h"

namespace halvern {

namespace {

RequestRecord FetchRequest(std::uint32_t slot) {
    RequestRecord record;
    record.SetSlot(slot);
    record.SetAnswer(RequestRecord::kAnswerPending);
    std::array<std::uint8_t, kSlotNumberSize> input{};
    PutU32(input, 0, slot);
    // A failed fetch leaves the preset record, which is shown as it is.
    CDriverDevice().ExchangeRequest(IOCTL_HALVGATE_GET_REQUEST, input.data(),
                                    static_cast<win::DWORD>(input.size()), record.bytes.data(),
                                    static_cast<win::DWORD>(record.bytes.size()));
    return record;
}

bool UserAllows(const RequestRecord& record) {
    const std::string prompt =
        BuildAccessPrompt(OperationName(record.OperationCode(), record.OperationKind()),
                          record.ProcessName(), record.Path());
    return ui::MessageBox(nullptr, prompt, "Warning",
                          ui::MB_YESNO | ui::MB_ICONWARNING | ui::MB_TOPMOST) == ui::IDYES;
}

}  // namespace

int RunAskForAccess(const char* commandLine) {
    const std::optional<std::uint32_t> slot = ParseAskForAccessCommandLine(commandLine);
    if (!slot) {
        return kAskExitNotAccepted;
    }
    RequestRecord record = FetchRequest(*slot);
    const bool allowed = UserAllows(record);
    record.SetAnswer(allowed ? RequestRecord::kAnswerAllow : RequestRecord::kAnswerRefuse);
    // The answer goes to the slot this agent was started for, whatever the fetch returned.
    record.SetSlot(*slot);
    CDriverDevice().SendRequest(IOCTL_HALVGATE_ANSWER_REQUEST, record.bytes.data(),
                                static_cast<win::DWORD>(record.bytes.size()));
    ReportSlotFree(*slot);
    return allowed ? kAskExitAllowed : kAskExitRefused;
}

}  // namespace halvern
