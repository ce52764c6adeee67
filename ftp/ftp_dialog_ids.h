#pragma once
// The Open URL dialog; read by the resource compiler as well. Transfers show the shared
// progress window.
#include "fileops/progress_dialog_ids.h"

#define IDD_OPEN_URL 152
#define IDD_TRANSFER_PROGRESS IDD_PROGRESS
#define IDC_PROGRESS_DONE IDC_PROGRESS_COUNT
#define IDC_PROGRESS_DONE_LABEL IDC_PROGRESS_COUNT_LABEL

#define IDC_URL_COMBO 1095
#define IDC_LOGIN_COMBO 1096
#define IDC_PASSWORD_FIELD 1097
#define IDC_ANONYMOUS_CHECK 1098
#define IDC_SAVE_URL_CHECK 1100
#define IDC_URL_PROPERTIES 1101

#define IDD_CONNECTION_PROPERTIES 153
#define IDC_PROPERTIES_SERVER 1103
#define IDC_PASSIVE_CHECK 1104
#define IDC_START_FOLDER_FIELD 1105
