// The calls into the activation helper library zuvud.dll. The library is taken from the loaded
// modules or loaded, and never freed; each export is looked up right before it is called, so a
// missing library or export makes that one call do nothing.
#pragma once

#include <cstdint>

namespace halvern {

class CActivationLibrary {
  public:
    static constexpr const char* kLibraryName = "zuvud.dll";

    virtual ~CActivationLibrary() = default;

    // Each returns true when the export was found and called.
    bool RefreshSettings();
    bool SetIdleTime(std::uint32_t idleActivation, std::uint32_t idleSeconds);
    bool StartRun();
    bool GetQuit(std::uint32_t& quit);
    bool EndRun();
};

}  // namespace halvern
