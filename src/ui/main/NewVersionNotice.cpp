#include "ui/main/NewVersionNotice.h"

NewVersionNotice NewVersionNoticeFor(int deviceType)
{
    NewVersionNotice n;
    switch (deviceType) {
    case 1:
        n.text = L"检测到当前工具有新的版本，请在Ambercrest客户端下载最新版本使用。";
        break;
    case 2:
        n.text = L"检测到当前工具有新的版本，请在Quensel客户端下载最新版本使用。";
        break;
    default:
        n.text = L"检测到当前工具有新的版本，请下载最新版本使用。";
        n.openDownloadPage = true;
        break;
    }
    return n;
}
