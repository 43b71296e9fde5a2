// The look of an image button as a function of what the pointer and the
// platform do to it. Kept free of window code so every row is tested natively.
#pragma once

enum ButtonState
{
    BTN_NORMAL = 1,
    BTN_HOVER = 2,
    BTN_PRESSED = 3,
    BTN_DISABLED = 4,
};

class ButtonStateMachine
{
public:
    // The feature button sets its state on every press and release, also
    // outside its active area; the plain image button leaves it alone there.
    explicit ButtonStateMachine(bool buttonMessagesAlwaysSet = false)
        : m_bAlwaysSet(buttonMessagesAlwaysSet)
    {
    }

    int State() const { return m_nState; }

    // Each returns true when the state changed (the button then repaints).
    bool OnHitTest(bool enabled, bool inside);
    bool OnButtonDown(bool enabled, bool inside);
    bool OnButtonUp(bool enabled, bool inside);
    bool OnMouseLeaveCheck(bool enabled, bool inside);
    bool OnEnable(bool enable);

private:
    bool SetState(int state);

    bool m_bAlwaysSet;
    int m_nState = BTN_NORMAL;
};
