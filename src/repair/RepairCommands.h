// The six registry commands of a repair and the text by which each is judged.
#pragma once

#define REPAIR_KEY L"\"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability\""

// What reg prints on a Chinese-language Windows when a change went through.
constexpr wchar_t kRepairSuccessText[] = L"操作成功完成";

constexpr wchar_t kCommandAddBranchName[] =
    L"reg add " REPAIR_KEY L" /v \"BranchName\" /d \"fbl_release\" /t REG_SZ /f";
constexpr wchar_t kCommandAddRiskLevel[] =
    L"reg add " REPAIR_KEY L" /v \"ThresholdRiskLevel\" /d \"low\" /t REG_SZ /f";
constexpr wchar_t kCommandDeleteInternal[] = L"reg delete " REPAIR_KEY L" /v \"ThresholdInternal\" /f";
constexpr wchar_t kCommandAddInternal[] =
    L"reg add " REPAIR_KEY L" /v \"ThresholdInternal\" /d \"\" /t REG_SZ /f";
constexpr wchar_t kCommandDeleteOptedIn[] = L"reg delete " REPAIR_KEY L" /v \"ThresholdOptedIn\" /f";

#undef REPAIR_KEY
