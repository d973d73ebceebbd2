// The Halvgate application: it runs the protected items window modally for the life of the
// program.
#pragma once

namespace halvgate {

class CHalvgateApp {
  public:
    virtual ~CHalvgateApp() = default;
    // Registers the program's resources, runs the main window and destroys it. Returns false:
    // the program ends when the window has closed.
    bool InitInstance();
};

}  // namespace halvgate
