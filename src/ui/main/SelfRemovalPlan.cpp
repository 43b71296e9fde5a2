#include "ui/main/SelfRemovalPlan.h"

namespace {

const wchar_t* const WAIT_THEN = L"/D /C timeout /t 3 /nobreak & ";

wchar_t LowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

bool EndsWithNoCase(const std::wstring& name, const std::wstring& tail)
{
    return name.size() >= tail.size() && EqualNoCase(name.substr(name.size() - tail.size()), tail);
}

// \\localhost\c$\rest (already normalised) names c:\rest of this machine.
std::wstring AdministrativeShareAsDrive(const std::wstring& n)
{
    for (const wchar_t* host : {L"\\\\localhost\\", L"\\\\127.0.0.1\\"}) {
        const std::wstring prefix = host;
        if (n.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::wstring share = n.substr(prefix.size(), 2);
        const size_t after = prefix.size() + 2;
        if (share.size() == 2 && share[0] >= L'a' && share[0] <= L'z' && share[1] == L'$' &&
            (n.size() == after || n[after] == L'\\'))
            return std::wstring(1, share[0]) + L":" + (n.size() == after ? L"" : n.substr(after));
    }
    return n;
}

} // namespace

std::wstring NormaliseFolderPath(const std::wstring& path)
{
    std::wstring p = path;
    for (wchar_t& c : p) {
        if (c == L'/')
            c = L'\\';
    }
    if (p.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        p = L"\\\\" + p.substr(8);
    else if (p.compare(0, 4, L"\\\\?\\") == 0 || p.compare(0, 4, L"\\\\.\\") == 0)
        p = p.substr(4);

    std::wstring out;
    out.reserve(p.size());
    for (size_t i = 0; i < p.size(); ++i) {
        const wchar_t c = p[i];
        if (c == L'\\' && !out.empty() && out.back() == L'\\' && !(i == 1 && out.size() == 1))
            continue;
        out.push_back(LowerAscii(c));
    }
    while (out.size() > 1 && out.back() == L'\\' && !(out.size() == 2 && out[0] == L'\\'))
        out.pop_back();
    return AdministrativeShareAsDrive(out);
}

bool IsDriveRoot(const std::wstring& folder)
{
    const std::wstring n = NormaliseFolderPath(folder);
    if (n.empty() || n == L"\\" || n == L"\\\\")
        return true;
    if (n.size() == 2 && n[1] == L':')
        return true;
    // \\?\Volume{...}\ is the root of that volume, wherever it is mounted.
    if (n.compare(0, 7, L"volume{") == 0)
        return n.find(L'\\') == std::wstring::npos;
    if (n.compare(0, 2, L"\\\\") == 0) {
        // \\server\share is the root of that share; \\server alone is no folder at all.
        const size_t server = n.find(L'\\', 2);
        if (server == std::wstring::npos)
            return true;
        return n.find(L'\\', server + 1) == std::wstring::npos;
    }
    return false;
}

SelfRemovalPlan PlanSelfRemoval(const std::wstring& programFile, const std::wstring& supportFileName,
                                const std::vector<std::wstring>& folderEntries, bool listingComplete,
                                const std::vector<std::wstring>& knownFolders, bool knownByIdentity)
{
    SelfRemovalFolders folders;
    folders.known = knownFolders;
    folders.knownByIdentity = knownByIdentity;
    return PlanSelfRemovalWithFolders(programFile, supportFileName, folderEntries, listingComplete, folders);
}

SelfRemovalPlan PlanSelfRemovalWithFolders(const std::wstring& programFileIn,
                                           const std::wstring& supportFileName,
                                           const std::vector<std::wstring>& folderEntries,
                                           bool listingComplete, const SelfRemovalFolders& folders)
{
    SelfRemovalPlan plan;
    std::wstring programFile = programFileIn;
    for (wchar_t& c : programFile) {
        if (c == L'/')
            c = L'\\';
    }
    const size_t cut = programFile.rfind(L'\\');
    if (cut == std::wstring::npos || cut + 1 >= programFile.size())
        return plan;
    plan.folder = programFile.substr(0, cut);
    const std::wstring programName = programFile.substr(cut + 1);

    // cmd expands %NAME% even inside double quotes, and !NAME! when delayed
    // expansion is switched on in the registry: the command could then name
    // some other folder. Such a path is left alone.
    if (plan.folder.empty() || plan.folder.find_first_of(L"%!\"") != std::wstring::npos ||
        supportFileName.find_first_of(L"%!\"\\/") != std::wstring::npos ||
        programName.find_first_of(L"%!\"") != std::wstring::npos) {
        plan.folder.clear();
        return plan;
    }

    bool onlyOurFiles = listingComplete;
    for (const std::wstring& entry : folderEntries) {
        if (!EqualNoCase(entry, programName) && !EqualNoCase(entry, supportFileName)) {
            onlyOurFiles = false;
            break;
        }
    }

    // An installed copy stays whole, program and library included.
    if (folders.programFilesByIdentity)
        return plan;
    for (const std::wstring& p : folders.programFiles) {
        if (!p.empty() && IsSameOrInside(plan.folder, p))
            return plan;
    }

    bool known = folders.knownByIdentity || IsDriveRoot(plan.folder);
    const std::wstring normalised = NormaliseFolderPath(plan.folder);
    for (const std::wstring& k : folders.known) {
        if (!k.empty() && NormaliseFolderPath(k) == normalised) {
            known = true;
            break;
        }
    }
    // Every user's profile and what lies directly in it (Downloads, Desktop,
    // a folder of his own) are that user's, whoever elevated the tool.
    const size_t parentCut = normalised.rfind(L'\\');
    const std::wstring parent =
        parentCut == std::wstring::npos ? std::wstring() : normalised.substr(0, parentCut);
    for (const std::wstring& profile : folders.profiles) {
        const std::wstring p = NormaliseFolderPath(profile);
        if (!p.empty() && (p == normalised || p == parent)) {
            known = true;
            break;
        }
    }

    if (onlyOurFiles && !known) {
        plan.action = SelfRemovalPlan::Action::RemoveFolder;
        plan.parameters = std::wstring(WAIT_THEN) + L"rmdir /s /q " + Quoted(plan.folder);
    } else {
        // A root keeps its backslash so that "C:" does not mean "the current folder of C:".
        std::wstring base = plan.folder;
        if (base.back() != L'\\')
            base += L'\\';
        plan.action = SelfRemovalPlan::Action::DeleteProgramFiles;
        // With a wildcard del lists the folder and deletes only the plain files
        // that match: a folder or junction put at the name during the wait is
        // skipped, where the bare name would have del empty that folder.
        plan.programPattern = L"?" + programName.substr(1);
        plan.parameters = std::wstring(WAIT_THEN) + L"del /f /q " + Quoted(base + plan.programPattern);
        bool otherProgram = false;
        for (const std::wstring& entry : folderEntries) {
            if (!EqualNoCase(entry, programName) && EndsWithNoCase(entry, L".exe"))
                otherProgram = true;
        }
        plan.deleteSupportLibrary = listingComplete && !otherProgram;
    }
    return plan;
}

bool AddSupportLibraryToDelete(SelfRemovalPlan* plan, const std::wstring& supportFileName)
{
    if (plan->action != SelfRemovalPlan::Action::DeleteProgramFiles || !plan->deleteSupportLibrary ||
        supportFileName.size() < 2 || supportFileName.find_first_of(L"%!\"\\/") != std::wstring::npos)
        return false;
    std::wstring base = plan->folder;
    if (base.back() != L'\\')
        base += L'\\';
    plan->libraryPattern = L"?" + supportFileName.substr(1);
    plan->parameters += L" " + Quoted(base + plan->libraryPattern);
    return true;
}

bool IsSameOrInside(const std::wstring& folder, const std::wstring& outer)
{
    const std::wstring f = NormaliseFolderPath(folder);
    std::wstring o = NormaliseFolderPath(outer);
    if (f.empty() || o.empty())
        return false;
    if (f == o)
        return true;
    if (o.back() != L'\\')
        o += L'\\';
    return f.compare(0, o.size(), o) == 0;
}

std::wstring PathRootOf(const std::wstring& path)
{
    const std::wstring n = NormaliseFolderPath(path);
    if (n.size() >= 2 && n[1] == L':' && n[0] != L'\\')
        return n.substr(0, 2);
    if (n.compare(0, 7, L"volume{") == 0)
        return n.substr(0, n.find(L'\\'));
    if (n.compare(0, 2, L"\\\\") == 0) {
        const size_t server = n.find(L'\\', 2);
        if (server == std::wstring::npos || server == 2 || server + 1 >= n.size())
            return std::wstring();
        return n.substr(0, n.find(L'\\', server + 1));
    }
    return std::wstring();
}

bool WorthComparingByIdentity(const std::wstring& programFolder, const std::wstring& programVolume,
                              const std::wstring& knownFolder, const std::wstring& knownVolume)
{
    const std::wstring root = PathRootOf(programFolder);
    if (!root.empty() && root == PathRootOf(knownFolder))
        return true;
    return !programVolume.empty() && !knownVolume.empty() &&
           NormaliseFolderPath(programVolume) == NormaliseFolderPath(knownVolume);
}

std::vector<std::wstring> ParentFoldersBelowRoot(const std::wstring& folderIn)
{
    std::wstring p = folderIn;
    for (wchar_t& c : p) {
        if (c == L'/')
            c = L'\\';
    }
    // The end of count names starting at from (\\server\share: two), at the
    // backslash after them or at the end of the path.
    const auto afterNames = [&p](size_t from, int count) {
        size_t end = std::wstring::npos;
        for (int i = 0; i < count; ++i) {
            const size_t next = p.find(L'\\', from);
            if (next == from || from >= p.size())
                return std::wstring::npos;
            if (next == std::wstring::npos)
                return i + 1 == count ? p.size() : std::wstring::npos;
            end = next;
            from = next + 1;
        }
        return end;
    };
    size_t rootEnd = std::wstring::npos;
    if (p.compare(0, 8, L"\\\\?\\UNC\\") == 0 || p.compare(0, 8, L"\\\\.\\UNC\\") == 0)
        rootEnd = afterNames(8, 2);
    else if (p.compare(0, 4, L"\\\\?\\") == 0 || p.compare(0, 4, L"\\\\.\\") == 0)
        rootEnd = (p.size() >= 6 && p[5] == L':') ? 6 : afterNames(4, 1);
    else if (p.compare(0, 2, L"\\\\") == 0)
        rootEnd = afterNames(2, 2);
    else if (p.size() >= 2 && p[1] == L':')
        rootEnd = 2;
    std::vector<std::wstring> parents;
    if (rootEnd == std::wstring::npos || rootEnd >= p.size())
        return parents;
    for (size_t i = rootEnd + 1; i < p.size(); ++i) {
        if (p[i] == L'\\' && p[i - 1] != L'\\')
            parents.push_back(p.substr(0, i));
    }
    return parents;
}
