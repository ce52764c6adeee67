#pragma once
// The progress window of archive operations and FTP transfers; read by the resource compiler
// as well.

#define IDD_PROGRESS 1009

#define IDC_PROGRESS_STATUS 1005
#define IDC_PROGRESS_BAR 1007
#define IDC_PROGRESS_COUNT 1009
#define IDC_PROGRESS_COUNT_LABEL 1102
