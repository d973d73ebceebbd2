// Halvgate on the simulated PC: the machine the environment names is the platform, the backend
// the environment chooses shows the windows, and the application runs until its main window
// closes.
#include <cstdio>
#include <string>

#include "halvgate/mainwindow/halvgate_app.h"
#include "platform/sim/program_host.h"
#include "ui/backend.h"
#include "ui/env/backend_from_environment.h"

int main(int argc, char** argv) {
    winsim::ProgramHost host("halvgate", argc, argv);
    if (!host.Ready()) {
        return 1;
    }
    std::string error;
    std::unique_ptr<ui::Backend> backend = ui::env::CreateBackendFromEnvironment(argc, argv, error);
    if (backend == nullptr) {
        std::fprintf(stderr, "halvgate: %s\n", error.c_str());
        return 1;
    }
    const ui::ScopedBackend installed(*backend);
    halvgate::CHalvgateApp app;
    app.InitInstance();
    return 0;
}
