#include "halvask/access_prompt.h"

#include "common/request_record.h"
#include "halvask/operation_names.h"

namespace halvern {

namespace {

constexpr std::string_view kAfterOperation = " access attempt by process ";
constexpr std::string_view kAfterProcess = " on ";
constexpr std::string_view kAfterPath = ". Continue ?";

std::string ShortenPath(std::string_view path, std::size_t room) {
    if (path.size() <= room) {
        return std::string(path);
    }
    const std::size_t kept = room - kPathEllipsis.size();
    const std::size_t head = kept / 3;
    const std::size_t tail = kept - head;
    std::string shortened(path.substr(0, head));
    shortened += kPathEllipsis;
    shortened += path.substr(path.size() - tail);
    return shortened;
}

}  // namespace

std::string BuildAccessPrompt(std::string_view operation, std::string_view process,
                              std::string_view path) {
    operation = operation.substr(0, kLongestOperationName);
    process = process.substr(0, RequestRecord::kProcessNameSize - 1);
    const std::size_t fixed = operation.size() + kAfterOperation.size() + process.size() +
                              kAfterProcess.size() + kAfterPath.size();
    // The cuts above leave at least this much room for the path.
    static_assert(kLongestOperationName + kAfterOperation.size() + RequestRecord::kProcessNameSize -
                      1 + kAfterProcess.size() + kAfterPath.size() + kPathEllipsis.size() <
                  kMaxPromptLength);
    std::string prompt(operation);
    prompt += kAfterOperation;
    prompt += process;
    prompt += kAfterProcess;
    prompt += ShortenPath(path, kMaxPromptLength - fixed);
    prompt += kAfterPath;
    return prompt;
}

}  // namespace halvern
