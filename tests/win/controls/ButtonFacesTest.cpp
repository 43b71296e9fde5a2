#include <gtest/gtest.h>

#include "framework/LiveObjectCount.h"
#include "res/resource.h"
#include "ui/toolkit/CButtonFaces.h"

namespace {

long LiveImages() { return LiveObjectCount::Current(LiveObjectKind::Gdiplus); }

TEST(ButtonFaces, OnlyTheNormalFaceIsDecodedUntilAnotherIsDrawn)
{
    const long before = LiveImages();
    {
        CButtonFaces faces;
        faces.Load(IDB_REPAIR_NORMAL, IDB_REPAIR_NORMAL + 1, IDB_REPAIR_NORMAL + 2, IDB_REPAIR_NORMAL + 3);
        EXPECT_TRUE(faces.AllPresent());
        EXPECT_EQ(LiveImages(), before + 1);

        Gdiplus::Image* disabled = faces.Face(3);
        ASSERT_NE(disabled, nullptr);
        EXPECT_EQ(disabled->GetWidth(), 284u);
        EXPECT_EQ(LiveImages(), before + 2);
        // Decoded once, then kept.
        EXPECT_EQ(faces.Face(3), disabled);
        EXPECT_EQ(LiveImages(), before + 2);
        EXPECT_EQ(faces.Face(4), nullptr);
        EXPECT_EQ(faces.Face(-1), nullptr);

        // Loading again replaces everything held.
        faces.Load(IDB_YES_NORMAL, IDB_YES_NORMAL + 1, IDB_YES_NORMAL + 2, IDB_YES_NORMAL + 2);
        EXPECT_EQ(LiveImages(), before + 1);
        EXPECT_EQ(faces.Face(0)->GetWidth(), 55u);
    }
    EXPECT_EQ(LiveImages(), before);
}

TEST(ButtonFaces, OneMissingIdTurnsDrawingOffWithoutDecodingAnything)
{
    const long before = LiveImages();
    CButtonFaces faces;
    faces.Load(IDB_YES_NORMAL, 178, IDB_YES_NORMAL + 2, IDB_YES_NORMAL + 2);
    EXPECT_FALSE(faces.AllPresent());
    EXPECT_EQ(LiveImages(), before);
    EXPECT_EQ(faces.Face(1), nullptr);

    faces.Load(IDB_YES_NORMAL, IDB_YES_NORMAL + 1, IDB_YES_NORMAL + 2, IDB_YES_NORMAL + 2);
    EXPECT_TRUE(faces.AllPresent());
    faces.Free();
    EXPECT_FALSE(faces.AllPresent());
    EXPECT_EQ(faces.Face(0), nullptr);
    EXPECT_EQ(LiveImages(), before);
}

} // namespace
