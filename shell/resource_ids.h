#pragma once
// Resource numbers shared by the resource script and the code.

#define IDI_FIRST_TOOL_ICON 121
#define IDI_LAST_TOOL_ICON 146
#define IDI_NO_ICON 129

#define IDI_BACK 121
#define IDI_PATH 122
#define IDI_SORT 123
#define IDI_MODE 124
#define IDI_SELECT 125
#define IDI_MAKE_FOLDER 126
#define IDI_PACK 127
#define IDI_COPY 128
#define IDI_MOVE 130
#define IDI_DELETE 131
#define IDI_FIND 132
#define IDI_CONSOLE 133
#define IDI_SORT_NAME 134
#define IDI_SORT_EXTENSION 135
#define IDI_SORT_SIZE 136
#define IDI_SORT_TIME 137
#define IDI_UNSORTED 138
#define IDI_BRIEF 139
#define IDI_EXTRACT 140
#define IDI_PROGRAM 141
#define IDI_COLUMNS 142
#define IDI_FONT 143
#define IDI_DESELECT 144
#define IDI_EDIT 145
#define IDI_VIEW 146
