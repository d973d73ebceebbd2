// Halvask's outside bytes: the command line it is started with, and the request record the
// driver returns. Any input must leave a prompt that fits the agent's buffer and ends with the
// question, and an accepted command line must have been an AskForAccess line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/request_record.h"
#include "halvask/access_prompt.h"
#include "halvask/command_line.h"
#include "halvask/operation_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    if (halvern::ParseAskForAccessCommandLine(line.c_str()) &&
        line.find(halvern::kAskForAccessWord) == std::string::npos) {
        std::abort();
    }

    halvern::RequestRecord record;
    std::memcpy(record.bytes.data(), data, size < record.bytes.size() ? size : record.bytes.size());
    const std::string prompt = halvern::BuildAccessPrompt(
        halvern::OperationName(record.OperationCode(), record.OperationKind()),
        record.ProcessName(), record.Path());
    if (prompt.size() > halvern::kMaxPromptLength || !prompt.ends_with(". Continue ?")) {
        std::abort();
    }
    return 0;
}
