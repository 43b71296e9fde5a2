#include <gtest/gtest.h>

#include "ui/toolkit/ButtonStateMachine.h"

namespace {

struct Row
{
    const char* what;
    int from;
    int event; // 0 hit test, 1 down, 2 up, 3 leave check
    bool enabled;
    bool inside;
    int plain;   // state after the event, plain image button
    int feature; // state after the event, feature button
};

// Drives a machine to a given starting state through the events a real
// button sees, so the rows start from reachable states.
void Reach(ButtonStateMachine& m, int state)
{
    switch (state) {
    case BTN_HOVER:
        m.OnHitTest(true, true);
        break;
    case BTN_PRESSED:
        m.OnButtonDown(true, true);
        break;
    case BTN_DISABLED:
        m.OnEnable(false);
        break;
    default:
        break;
    }
    ASSERT_EQ(state, m.State());
}

bool Apply(ButtonStateMachine& m, int event, bool enabled, bool inside)
{
    switch (event) {
    case 0:
        return m.OnHitTest(enabled, inside);
    case 1:
        return m.OnButtonDown(enabled, inside);
    case 2:
        return m.OnButtonUp(enabled, inside);
    default:
        return m.OnMouseLeaveCheck(enabled, inside);
    }
}

const Row kRows[] = {
    {"hit inside from normal", 1, 0, true, true, 2, 2},
    {"hit inside keeps hover", 2, 0, true, true, 2, 2},
    {"hit inside keeps pressed", 3, 0, true, true, 3, 3},
    {"hit inside keeps disabled look of an enabled window", 4, 0, true, true, 4, 4},
    {"hit outside leaves hover", 2, 0, true, false, 1, 1},
    {"hit outside keeps pressed", 3, 0, true, false, 3, 3},
    {"hit outside keeps normal", 1, 0, true, false, 1, 1},
    {"hit on disabled window", 2, 0, false, true, 4, 4},
    {"hit outside on disabled window", 1, 0, false, false, 4, 4},
    {"down inside", 2, 1, true, true, 3, 3},
    {"down outside", 2, 1, true, false, 2, 1},
    {"down on disabled window", 1, 1, false, true, 4, 4},
    {"up inside", 3, 2, true, true, 2, 2},
    {"up outside keeps pressed on the plain button", 3, 2, true, false, 3, 1},
    {"up on disabled window", 3, 2, false, false, 4, 4},
    {"leave check outside from pressed", 3, 3, true, false, 1, 1},
    {"leave check outside from hover", 2, 3, true, false, 1, 1},
    {"leave check outside from disabled look", 4, 3, true, false, 1, 1},
    {"leave check inside keeps pressed", 3, 3, true, true, 3, 3},
    {"leave check on disabled window", 2, 3, false, false, 4, 4},
};

TEST(ButtonStateMachine, EveryRowOfTheTableForBothKinds)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        ButtonStateMachine plain(false);
        Reach(plain, row.from);
        const bool plainChanged = Apply(plain, row.event, row.enabled, row.inside);
        EXPECT_EQ(row.plain, plain.State());
        EXPECT_EQ(row.plain != row.from, plainChanged);

        ButtonStateMachine feature(true);
        Reach(feature, row.from);
        const bool featureChanged = Apply(feature, row.event, row.enabled, row.inside);
        EXPECT_EQ(row.feature, feature.State());
        EXPECT_EQ(row.feature != row.from, featureChanged);
    }
}

TEST(ButtonStateMachine, PressDragOffAndReleaseOutsideStaysPressedUntilLeaveCheck)
{
    ButtonStateMachine m;
    m.OnHitTest(true, true);
    m.OnButtonDown(true, true);
    m.OnHitTest(true, false); // the pointer moves off while captured
    m.OnButtonUp(true, false);
    EXPECT_EQ(BTN_PRESSED, m.State());
    EXPECT_TRUE(m.OnMouseLeaveCheck(true, false));
    EXPECT_EQ(BTN_NORMAL, m.State());
}

TEST(ButtonStateMachine, DisableThenEnableShowsNormalEvenAfterHover)
{
    ButtonStateMachine m(true);
    m.OnHitTest(true, true);
    EXPECT_TRUE(m.OnEnable(false));
    EXPECT_EQ(BTN_DISABLED, m.State());
    m.OnHitTest(true, true); // state 4 is not left by the hit test
    EXPECT_EQ(BTN_DISABLED, m.State());
    EXPECT_TRUE(m.OnEnable(true));
    EXPECT_EQ(BTN_NORMAL, m.State());
    EXPECT_FALSE(m.OnEnable(true));
}

} // namespace
