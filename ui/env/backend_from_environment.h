// Chooses the backend of a program from its environment, as QT_QPA_PLATFORM chooses Qt's
// platform: HALVERN_UI ("headless" or "qt"), HALVERN_SCRIPT (the script the headless backend
// plays) and HALVERN_TRANSCRIPT (where its transcript goes; standard output by default).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/backend.h"

namespace ui::env {

// Reads one environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// The backend the environment asks for, or null with `error` saying why and what to do.
std::unique_ptr<ui::Backend> CreateBackendFromEnvironment(int& argc, char** argv,
                                                          std::string& error);
// The same with the variables read through `lookup`.
std::unique_ptr<ui::Backend> CreateBackend(const EnvironmentLookup& lookup, int& argc, char** argv,
                                           std::string& error);

}  // namespace ui::env
