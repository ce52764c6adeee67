#pragma once
// The "Search text" dialog and its controls; read by the resource compiler as well.

#define IDD_SEARCH_TEXT 108

#define IDC_SEARCH_TEXT 1025
#define IDC_REPLACE_TEXT 1026
#define IDC_CASE_SENSITIVE 1027
#define IDC_WHOLE_WORDS 1028
#define IDC_FOR_TEXT 1029
#define IDC_FOR_HEX 1030
#define IDC_REPLACE_ALL 1094
#define IDC_REPLACE 3
