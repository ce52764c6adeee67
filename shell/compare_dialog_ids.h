#pragma once
// The Compare folders dialog.
#define IDD_COMPARE_FOLDERS 160
#define IDC_COMPARE_SIZE_TIME 1601
#define IDC_COMPARE_CONTENT 1602
#define IDC_COMPARE_TWO_SECONDS 1603
