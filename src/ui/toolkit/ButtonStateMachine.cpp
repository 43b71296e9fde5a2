#include "ui/toolkit/ButtonStateMachine.h"

bool ButtonStateMachine::SetState(int state)
{
    if (m_nState == state)
        return false;
    m_nState = state;
    return true;
}

bool ButtonStateMachine::OnHitTest(bool enabled, bool inside)
{
    if (!enabled)
        return SetState(BTN_DISABLED);
    if (inside)
        return m_nState == BTN_NORMAL ? SetState(BTN_HOVER) : false;
    return m_nState == BTN_HOVER ? SetState(BTN_NORMAL) : false;
}

bool ButtonStateMachine::OnButtonDown(bool enabled, bool inside)
{
    if (!enabled)
        return SetState(BTN_DISABLED);
    if (inside)
        return SetState(BTN_PRESSED);
    return m_bAlwaysSet ? SetState(BTN_NORMAL) : false;
}

bool ButtonStateMachine::OnButtonUp(bool enabled, bool inside)
{
    if (!enabled)
        return SetState(BTN_DISABLED);
    if (inside)
        return SetState(BTN_HOVER);
    return m_bAlwaysSet ? SetState(BTN_NORMAL) : false;
}

bool ButtonStateMachine::OnMouseLeaveCheck(bool enabled, bool inside)
{
    if (!enabled)
        return SetState(BTN_DISABLED);
    if (inside)
        return false;
    return SetState(BTN_NORMAL);
}

bool ButtonStateMachine::OnEnable(bool enable) { return SetState(enable ? BTN_NORMAL : BTN_DISABLED); }
