#include "ui/env/backend_from_environment.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ui/headless/headless_backend.h"

#ifdef HALVERN_HAVE_QT
#include "ui/qt/qt_backend.h"
#endif

namespace ui::env {
namespace {

std::string Get(const EnvironmentLookup& lookup, const char* name) {
    const char* value = lookup(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool IsSet(const EnvironmentLookup& lookup, const char* name) {
    return !Get(lookup, name).empty();
}

std::unique_ptr<Backend> CreateHeadless(const EnvironmentLookup& lookup, std::string& error) {
    headless::Script script;
    const std::string path = Get(lookup, "HALVERN_SCRIPT");
    if (!path.empty()) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            error = "cannot read the script HALVERN_SCRIPT names: " + path;
            return nullptr;
        }
        std::ostringstream text;
        text << file.rdbuf();
        std::string parseError;
        auto parsed = headless::Script::Parse(text.str(), &parseError);
        if (!parsed) {
            error = path + ": " + parseError;
            return nullptr;
        }
        script = std::move(*parsed);
    }
    auto backend = std::make_unique<headless::HeadlessBackend>(std::move(script));
    backend->WriteTranscriptAtEnd(Get(lookup, "HALVERN_TRANSCRIPT"));
    return backend;
}

std::unique_ptr<Backend> CreateQt(const EnvironmentLookup& lookup, int& argc, char** argv,
                                  std::string& error) {
#ifdef HALVERN_HAVE_QT
    const bool display = IsSet(lookup, "DISPLAY") || IsSet(lookup, "WAYLAND_DISPLAY") ||
                         IsSet(lookup, "QT_QPA_PLATFORM");
    if (!display) {
        error =
            "HALVERN_UI=qt needs a display, and there is none (DISPLAY, WAYLAND_DISPLAY and "
            "QT_QPA_PLATFORM are unset): run the program under `xvfb-run -a`, set "
            "QT_QPA_PLATFORM=offscreen, or play a script with HALVERN_UI=headless "
            "HALVERN_SCRIPT=<file>";
        return nullptr;
    }
    return std::make_unique<qtbackend::QtBackend>(argc, argv);
#else
    (void)lookup;
    (void)argc;
    (void)argv;
    error =
        "HALVERN_UI=qt: this build has no Qt backend (configure with -DHALVERN_QT=ON), "
        "use HALVERN_UI=headless with HALVERN_SCRIPT=<file>";
    return nullptr;
#endif
}

}  // namespace

std::unique_ptr<Backend> CreateBackend(const EnvironmentLookup& lookup, int& argc, char** argv,
                                       std::string& error) {
    std::string ui = Get(lookup, "HALVERN_UI");
    if (ui.empty()) {
        ui = IsSet(lookup, "HALVERN_SCRIPT") ? "headless" : "qt";
    }
    if (ui == "headless") {
        return CreateHeadless(lookup, error);
    }
    if (ui == "qt") {
        return CreateQt(lookup, argc, argv, error);
    }
    error = "unknown HALVERN_UI value '" + ui + "': use headless or qt";
    return nullptr;
}

std::unique_ptr<Backend> CreateBackendFromEnvironment(int& argc, char** argv, std::string& error) {
    return CreateBackend([](const char* name) { return std::getenv(name); }, argc, argv, error);
}

}  // namespace ui::env
