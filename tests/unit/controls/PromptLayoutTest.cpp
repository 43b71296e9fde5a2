#include <gtest/gtest.h>

#include "RectExpect.h"

#include <string>

#include "ui/toolkit/PromptLayout.h"

namespace {

void ExpectFaces(const PromptFaces& actual, const PromptFaces& expected)
{
    EXPECT_EQ(expected.normal, actual.normal);
    EXPECT_EQ(expected.hover, actual.hover);
    EXPECT_EQ(expected.pressed, actual.pressed);
    EXPECT_EQ(expected.disabled, actual.disabled);
}

TEST(PromptLayout, ModeTable)
{
    // The disabled face is the pressed one for every button.
    const PromptFaces yes{165, 166, 167, 167};
    const PromptFaces no{159, 160, 161, 161};
    const PromptFaces confirm{162, 163, 164, 164};
    const PromptFaces cancel{153, 154, 155, 155};
    const struct
    {
        int mode;
        PromptFaces first;
        PromptFaces second;
        bool secondShown;
        bool firstCentred;
    } rows[] = {
        {1, yes, no, false, true},
        {2, yes, no, true, false},
        {3, confirm, cancel, false, true},
        {4, confirm, cancel, true, false},
        // Any other mode: the faces of mode 1, one button, not centred.
        {0, yes, no, false, false},
        {5, yes, no, false, false},
        {7, yes, no, false, false},
        {-1, yes, no, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("mode " + std::to_string(row.mode));
        const PromptModeRow m = PromptModeTable(row.mode);
        ExpectFaces(m.first, row.first);
        ExpectFaces(m.second, row.second);
        EXPECT_EQ(row.secondShown, m.secondShown);
        EXPECT_EQ(row.firstCentred, m.firstCentred);
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
