#include "ui/main/NewVersionNotice.h"

#include <climits>

#include <gtest/gtest.h>

TEST(NewVersionNotice, ClientDevicesAreSentToTheirClientWithoutTheDownloadPage)
{
    const NewVersionNotice a = NewVersionNoticeFor(1);
    EXPECT_EQ(a.text, L"检测到当前工具有新的版本，请在Ambercrest客户端下载最新版本使用。");
    EXPECT_FALSE(a.openDownloadPage);
    const NewVersionNotice q = NewVersionNoticeFor(2);
    EXPECT_EQ(q.text, L"检测到当前工具有新的版本，请在Quensel客户端下载最新版本使用。");
    EXPECT_FALSE(q.openDownloadPage);
}

TEST(NewVersionNotice, EveryOtherDeviceTypeGetsTheGeneralTextAndTheDownloadPage)
{
    for (int type : {0, -1, 3, 42, INT_MIN, INT_MAX}) {
        const NewVersionNotice n = NewVersionNoticeFor(type);
        EXPECT_EQ(n.text, L"检测到当前工具有新的版本，请下载最新版本使用。") << type;
        EXPECT_TRUE(n.openDownloadPage) << type;
    }
}
