#include "repair/ApplicabilityState.h"

bool ApplicabilityState::IsRepaired() const
{
    // Compared exactly: reg writes exactly these texts, and anything else
    // (another case, a trailing blank) is not what the repair leaves.
    return branchName && *branchName == kRepairedBranchName && thresholdRiskLevel &&
           *thresholdRiskLevel == kRepairedRiskLevel && !thresholdInternal && !thresholdOptedIn;
}
