#include <gtest/gtest.h>

#include "RectExpect.h"

#include "ui/toolkit/PromptLayout.h"

namespace {

TEST(PromptLayout, ModeTable)
{
    const PromptModeRow m1 = PromptModeTable(1);
    EXPECT_EQ(165u, m1.first.normal);
    EXPECT_EQ(166u, m1.first.hover);
    EXPECT_EQ(167u, m1.first.pressed);
    EXPECT_EQ(167u, m1.first.disabled);
    EXPECT_EQ(159u, m1.second.normal);
    EXPECT_EQ(161u, m1.second.disabled);
    EXPECT_FALSE(m1.secondShown);
    EXPECT_TRUE(m1.firstCentred);

    const PromptModeRow m2 = PromptModeTable(2);
    EXPECT_EQ(165u, m2.first.normal);
    EXPECT_EQ(160u, m2.second.hover);
    EXPECT_TRUE(m2.secondShown);
    EXPECT_FALSE(m2.firstCentred);

    const PromptModeRow m3 = PromptModeTable(3);
    EXPECT_EQ(162u, m3.first.normal);
    EXPECT_EQ(164u, m3.first.disabled);
    EXPECT_EQ(153u, m3.second.normal);
    EXPECT_FALSE(m3.secondShown);
    EXPECT_TRUE(m3.firstCentred);

    const PromptModeRow m4 = PromptModeTable(4);
    EXPECT_EQ(163u, m4.first.hover);
    EXPECT_EQ(154u, m4.second.hover);
    EXPECT_EQ(155u, m4.second.disabled);
    EXPECT_TRUE(m4.secondShown);
    EXPECT_FALSE(m4.firstCentred);

    for (int mode : {0, 5, 7, -1}) {
        const PromptModeRow other = PromptModeTable(mode);
        EXPECT_EQ(165u, other.first.normal) << mode;
        EXPECT_EQ(159u, other.second.normal) << mode;
        EXPECT_FALSE(other.secondShown) << mode;
        EXPECT_FALSE(other.firstCentred) << mode;
    }
}

TEST(PromptLayout, ContentAtScaleOne)
{
    const PromptContentLayout l = LayoutPromptContent(SkinRect{0, 0, 326, 146}, 1.0f);
    EXPECT_RECT(l.close, 300, 8, 312, 20);
    EXPECT_RECT(l.first, 96, 107, 151, 131);
    EXPECT_RECT(l.second, 175, 107, 230, 131);
    EXPECT_RECT(l.firstCentred, 135, 107, 190, 131);
    EXPECT_RECT(l.message, 10, 50, 316, 106);
}

TEST(PromptLayout, ContentAtScaleOnePointTwoTruncatesOnceWhereComputedTogether)
{
    // Frame 403 x 187 at 1.2; the content is 403 − 12 by 187 − 12.
    const SkinRect content = PromptContentInFrame(SkinRect{0, 0, 403, 187}, 1.2f);
    EXPECT_RECT(content, 6, 3, 397, 178);
    const PromptContentLayout l = LayoutPromptContent(SkinRect{0, 0, 391, 175}, 1.2f);
    // 195 − 66 − 14.4 = 114.6 -> 114 (truncating each product first would give 115).
    EXPECT_RECT(l.first, 114, 128, 180, 156);
    EXPECT_RECT(l.second, 209, 128, 275, 156);
    EXPECT_RECT(l.firstCentred, 162, 128, 228, 156);
    EXPECT_RECT(l.close, 360, 9, 374, 23);
    EXPECT_RECT(l.message, 12, 60, 379, 127);
}

TEST(PromptLayout, ContentInFrameAtScaleOne)
{
    EXPECT_RECT(PromptContentInFrame(SkinRect{0, 0, 336, 156}, 1.0f), 5, 3, 331, 149);
    EXPECT_RECT(PromptContentInFrame(SkinRect{100, 50, 436, 206}, 1.0f), 105, 53, 431, 199);
    EXPECT_RECT(ExecuteContentInFrame(SkinRect{0, 0, 232, 132}, 1.0f), 14, 12, 218, 116);
}

TEST(PromptLayout, ExecuteMessageLine)
{
    EXPECT_RECT(ExecuteMessageRect(SkinRect{0, 0, 204, 104}, 1.0f), 10, 42, 194, 62);
    // At 1.25: content 290 − 35 by 165 − 35 = 255 x 130; 65 − 12.5 = 52.5 -> 52.
    const SkinRect content = ExecuteContentInFrame(SkinRect{0, 0, 290, 165}, 1.25f);
    EXPECT_RECT(content, 17, 15, 272, 145);
    EXPECT_RECT(ExecuteMessageRect(SkinRect{0, 0, 255, 130}, 1.25f), 12, 52, 242, 77);
}

TEST(PromptLayout, ExecuteTextDefaultForShortTexts)
{
    EXPECT_EQ(L"正在删除，请稍等", ExecutePromptText(L""));
    EXPECT_EQ(L"正在删除，请稍等", ExecutePromptText(L"x"));
    EXPECT_EQ(L"好的", ExecutePromptText(L"好的"));
    EXPECT_EQ(L"正在修复，请稍等", ExecutePromptText(L"正在修复，请稍等"));
}

} // namespace
