// Resource ids of the About box (dialog 100) and its controls.
#pragma once

namespace halvgate {

constexpr int IDD_ABOUTBOX = 100;

constexpr int IDC_WEB_ADDRESS = 1000;
constexpr int IDC_GO = 1001;

}  // namespace halvgate
