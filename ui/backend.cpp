#include "ui/backend.h"

namespace ui {
namespace {
Backend* g_backend = nullptr;
}  // namespace

Backend* InstallBackend(Backend* backend) {
    Backend* previous = g_backend;
    g_backend = backend;
    return previous;
}

Backend* InstalledBackend() {
    return g_backend;
}

}  // namespace ui
