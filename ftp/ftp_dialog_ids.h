#pragma once
// The Open URL dialog and the transfer progress window; read by the resource compiler as well.

#define IDD_OPEN_URL 152
#define IDD_TRANSFER_PROGRESS 1009

#define IDC_PROGRESS_STATUS 1005
#define IDC_PROGRESS_BAR 1007
#define IDC_PROGRESS_DONE 1009
#define IDC_PROGRESS_DONE_LABEL 1102

#define IDC_URL_COMBO 1095
#define IDC_LOGIN_COMBO 1096
#define IDC_PASSWORD_FIELD 1097
#define IDC_ANONYMOUS_CHECK 1098
#define IDC_SAVE_URL_CHECK 1100
#define IDC_URL_PROPERTIES 1101
