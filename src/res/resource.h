// Resource ids of Stellwick.exe. Included by the resource script and by the code.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_PELLMARSTELLWICK_DIALOG 102 // main frame
#define IDD_EXECUTE_PROMPT_CHILD 129    // progress prompt content
#define IDD_EXECUTE_PROMPT 130          // progress prompt frame
#define IDD_FEEDBACK_CHILD 131          // problem-solving feedback content
#define IDD_FEEDBACK 132                // problem-solving feedback frame
#define IDD_PROMPT_CHILD 133            // prompt content
#define IDD_PROMPT 134                  // prompt frame
#define IDD_STELLWICK_PANEL 135         // main panel

// Strings and icon
#define IDS_ABOUTBOX 101
#define IDR_MAINFRAME 128

// Controls
#define IDC_STATIC_PROGRESS 1000 // progress prompt message
#define IDC_FB_CLOSE 1001
#define IDC_FB_SOLVED 1002
#define IDC_FB_UNSOLVED 1003
#define IDC_BTN_CLOSE 1004 // prompt and main panel close button
#define IDC_PROMPT_MESSAGE 1005
#define IDC_PROMPT_FIRST 1006
#define IDC_PROMPT_SECOND 1007
#define IDC_BTN_MINIMIZE 1009
#define IDC_BTN_REPAIR 1010
#define IDC_CHK_AGREE 1011
#define IDC_STATIC_VERSION 1012
#define IDC_STATIC_AGREEMENT 1013
#define IDC_STATIC_FEEDBACK 1014
#define IDC_FB_OTHER 1016
#define IDC_BTN_MORE_TOOLS 1017

// System menu command of the about box
#define IDM_ABOUTBOX 16

// PNG artwork (resource type "PNG")
#define IDB_MAIN_SKIN 138
#define IDB_MAIN_BACKGROUND 139
#define IDB_CHECK_SPRITE 140
#define IDB_CLOSE_NORMAL 141 // 141-144
#define IDB_EXECUTE_SKIN 145
#define IDB_EXECUTE_BACKGROUND 146
#define IDB_MINIMIZE_NORMAL 147 // 147-150
#define IDB_PROMPT_SKIN 151
#define IDB_PROMPT_BACKGROUND 152
#define IDB_CANCEL_NORMAL 153 // 153-155
#define IDB_PROMPT_CLOSE_NORMAL 156 // 156-158
#define IDB_NO_NORMAL 159 // 159-161
#define IDB_CONFIRM_NORMAL 162 // 162-164
#define IDB_YES_NORMAL 165 // 165-167
#define IDB_FEEDBACK_SKIN 168
#define IDB_FEEDBACK_BACKGROUND 169
#define IDB_FB_CLOSE_NORMAL 170 // 170-173
#define IDB_REPAIR_NORMAL 174 // 174-177
#define IDB_SOLVED_NORMAL 179 // 179-182
#define IDB_UNSOLVED_NORMAL 184 // 184-187
#define IDB_OTHER_NORMAL 188 // 188-191
#define IDB_MORE_TOOLS_NORMAL 192 // 192-195
