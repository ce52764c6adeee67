#pragma once
// The query and results dialogs of find files; read by the resource compiler as well.

#define IDD_FIND_QUERY 106
#define IDD_FIND_RESULTS 107

#define IDC_FIND_MASK 1012
#define IDC_FIND_TEXT 1013
#define IDC_FIND_CASE 1014
#define IDC_FIND_AREA 1015
#define IDC_FIND_FOLDERS 1016
#define IDC_FIND_ARCHIVES 1017
#define IDC_FIND_WHOLE_WORDS 1018

#define IDC_FIND_GO_TO 1016
#define IDC_FIND_OPEN 1017
#define IDC_FIND_PANEL 1018
#define IDC_FIND_SEARCHING 1019
#define IDC_FIND_FILES_FOUND 1021
#define IDC_FIND_FOLDERS_FOUND 1022
#define IDC_FIND_LIST 1024
