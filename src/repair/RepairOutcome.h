// How a run of the repair steps ended.
#pragma once

struct RepairOutcome
{
    bool success = false;
    // GBK log line naming the failed step; null after a success.
    const char* failureLine = nullptr;
};
