#pragma once
// The archive code's own dialog; read by the resource compiler as well.

#define IDD_LOG_VIEWER 104
#define IDC_LOG_TEXT 1003
