#pragma once
// The shared prompt dialogs and their controls; read by the resource compiler as well.

#define IDD_PASSWORD 101
#define IDD_PROMPT 102
#define IDD_QUICK_SEARCH 105
#define IDD_SEARCH_TEXT 108
#define IDD_GO_TO 147

#define IDC_PASSWORD_EDIT 1001
#define IDC_PASSWORD_LABEL 1002
#define IDC_PROMPT_LABEL 1004
#define IDC_QUICK_SEARCH_EDIT 1011
#define IDC_PROMPT_COMBO 1093

// "Search text" (the viewer's search and the editor's find/replace) and "Go to".
#define IDC_REPLACE 3
#define IDC_SEARCH_COMBO 1025
#define IDC_REPLACE_COMBO 1026
#define IDC_CASE_SENSITIVE 1027
#define IDC_WHOLE_WORDS 1028
#define IDC_SEARCH_FOR_TEXT 1029
#define IDC_SEARCH_FOR_HEX 1030
#define IDC_REPLACE_ALL 1094
#define IDC_GO_TO_EDIT 1030
#define IDC_GO_TO_LABEL 1031
