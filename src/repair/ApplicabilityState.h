// The four values the repair looks after, as read from the registry, and
// whether they are in the state the repair leaves. Platform-neutral.
#pragma once

#include <optional>
#include <string>

struct ApplicabilityState
{
    // Absent values are empty optionals. A value of another type than a
    // string is kept as present with the text "<type N>", an expandable
    // string (REG_EXPAND_SZ) as its text behind "<REG_EXPAND_SZ>", so that
    // neither ever passes for one of the wanted strings.
    std::optional<std::wstring> branchName;
    std::optional<std::wstring> thresholdRiskLevel;
    std::optional<std::wstring> thresholdInternal;
    std::optional<std::wstring> thresholdOptedIn;

    // BranchName "fbl_release", ThresholdRiskLevel "low", the other two absent.
    bool IsRepaired() const;
};

// The key under HKEY_LOCAL_MACHINE and the value names, for the readers.
constexpr wchar_t kApplicabilityKey[] = L"SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability";
constexpr wchar_t kValueBranchName[] = L"BranchName";
constexpr wchar_t kValueThresholdRiskLevel[] = L"ThresholdRiskLevel";
constexpr wchar_t kValueThresholdInternal[] = L"ThresholdInternal";
constexpr wchar_t kValueThresholdOptedIn[] = L"ThresholdOptedIn";
constexpr wchar_t kRepairedBranchName[] = L"fbl_release";
constexpr wchar_t kRepairedRiskLevel[] = L"low";
constexpr wchar_t kExpandableStringMark[] = L"<REG_EXPAND_SZ>";
