#include "halvgate/mainwindow/halvgate_app.h"

#include "halvgate/mainwindow/protected_items_dlg.h"
#include "halvgate/res/halvgate_resources.h"

namespace halvgate {

bool CHalvgateApp::InitInstance() {
    RegisterHalvgateResources();
    CProtectedItemsDlg window;
    window.DoModal();
    return false;
}

}  // namespace halvgate
