#pragma once
// The shared prompt dialogs and their controls; read by the resource compiler as well.

#define IDD_PASSWORD 101
#define IDD_PROMPT 102
#define IDD_QUICK_SEARCH 105

#define IDC_PASSWORD_EDIT 1001
#define IDC_PASSWORD_LABEL 1002
#define IDC_PROMPT_LABEL 1004
#define IDC_QUICK_SEARCH_EDIT 1011
#define IDC_PROMPT_COMBO 1093
