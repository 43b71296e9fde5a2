// The prompt's mode table and the rectangles of both prompt windows, as
// plain arithmetic over the scale factor. Platform-neutral.
#pragma once

#include <string>

#include "ui/toolkit/SkinGeometry.h"

constexpr int PROMPT_MODE_YES = 1;
constexpr int PROMPT_MODE_YES_NO = 2;
constexpr int PROMPT_MODE_CONFIRM = 3;
constexpr int PROMPT_MODE_CONFIRM_CANCEL = 4;

struct PromptFaces
{
    unsigned normal = 0;
    unsigned hover = 0;
    unsigned pressed = 0;
    unsigned disabled = 0;
};

struct PromptModeRow
{
    PromptFaces first;
    PromptFaces second;
    bool secondShown = false;
    bool firstCentred = false;
};

// The row of a mode; a mode outside 1 to 4 gets the faces of mode 1, no
// second button and the first button left of centre.
PromptModeRow PromptModeTable(int mode);

struct PromptContentLayout
{
    SkinRect close;
    SkinRect first;
    SkinRect second;
    SkinRect firstCentred;
    SkinRect message;
};

// The prompt content's controls for its client rectangle (left and top are 0).
PromptContentLayout LayoutPromptContent(const SkinRect& client, float s);

// Where the prompt content goes in its frame: left + 5·s, top + 3·s, frame
// width − 10·s by frame height − 10·s, each sum truncated once.
SkinRect PromptContentInFrame(const SkinRect& frame, float s);

// The same for the progress prompt: left + 14·s, top + 12·s, W − 28·s by H − 28·s.
SkinRect ExecuteContentInFrame(const SkinRect& frame, float s);

// The progress prompt's message line in its content's client rectangle.
SkinRect ExecuteMessageRect(const SkinRect& client, float s);

// The progress prompt's text: the given one when it has at least two
// characters, else "正在删除，请稍等".
std::wstring ExecutePromptText(const std::wstring& message);
