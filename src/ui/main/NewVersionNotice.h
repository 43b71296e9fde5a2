// What the main panel says when the support component announces a newer tool.
#pragma once

#include <string>

struct NewVersionNotice
{
    std::wstring text;
    // The general notice also opens the download page; the clients' own
    // notices point the user at the client instead.
    bool openDownloadPage = false;
};

NewVersionNotice NewVersionNoticeFor(int deviceType);
