// Window messages that travel between the subsystems.
#pragma once

// Repair worker -> main panel (and panel -> progress prompt frame): close the progress prompt.
constexpr unsigned WM_REPAIR_CLOSE_PROMPT = 1525; // 0x5F5, wParam 0, lParam 0
// Repair worker -> main panel, always after WM_REPAIR_CLOSE_PROMPT: wParam 1 success, 2 failure.
constexpr unsigned WM_REPAIR_RESULT = 1526; // 0x5F6
// Prompt content -> prompt frame: wParam 1 first button, anything else second button.
constexpr unsigned WM_PROMPT_ANSWER = 1557; // 0x615
// Global mouse hook -> main panel: a left button went down somewhere. Ignored.
constexpr unsigned WM_HOOK_LBUTTONDOWN = 2024; // 0x7E8

constexpr unsigned REPAIR_RESULT_SUCCESS = 1;
constexpr unsigned REPAIR_RESULT_FAILURE = 2;
