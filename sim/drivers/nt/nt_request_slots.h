// The other side of the request slots: how the rest of the machine (the machine tool's access
// command) holds an access for the user's decision. Post puts the access into a free slot,
// WaitForAnswer polls until IOCTL_HALVGATE_ANSWER_REQUEST answered it, Free releases it. Slots
// of a poster that died are reclaimed by the next post.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "common/request_record.h"

namespace simnt {

class NtRequestSlots {
  public:
    explicit NtRequestSlots(std::filesystem::path machineDir);

    // The slot number the access was put into, or nothing when every slot is taken. The
    // record's slot and answer fields are filled in by the driver.
    std::optional<std::uint32_t> Post(const halvern::RequestRecord& request,
                                      std::uint32_t posterPid);
    // The answer (1 allow, 2 refuse) once given; nothing when the time ran out or the slot
    // holds no request.
    std::optional<std::uint32_t> WaitForAnswer(std::uint32_t slot,
                                               std::chrono::milliseconds timeout);
    // Frees the slot; false when it was free already or out of range.
    bool Free(std::uint32_t slot);

  private:
    std::filesystem::path machineDir_;
};

}  // namespace simnt
