// The transform T that links the rescue seed, the rescue code kept in the registry and the
// content of a rescue disk: code = T(seed), disk = T(code). It permutes and masks bytes; it
// keeps nothing secret from someone who has this program.
#pragma once

#include <cstddef>

#include "platform/win32_types.h"

namespace halvern {

class CRescueTransform {
  public:
    static constexpr std::size_t kSize = 20;

    virtual ~CRescueTransform() = default;

    // out[k] = in[P[k]] ^ M[k]. `in` and `out` must not overlap.
    void Apply(const win::BYTE* in, win::BYTE* out) const;
};

}  // namespace halvern
