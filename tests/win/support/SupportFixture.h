// The stand-in component in a folder of the test's own, with a settings file
// that keeps pages closed (there is no browser here), and a cleared journal.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Where the build put the stand-in; the test copies sit in without-<n> below it.
std::wstring StandinBuildFolder();
std::wstring JournalFile();
void ClearJournal();
std::vector<std::string> JournalLines();
std::string Utf8(const std::wstring& text);

class SupportFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the settings file beside the copied component (UTF-16 with a
    // byte-order mark, so Chinese values survive); [Component] OpenPages=0 is
    // always part of it. Lines end in CR LF.
    void WriteSettings(const std::wstring& componentKeys = std::wstring(),
                       const std::wstring& otherSections = std::wstring());

    std::wstring m_folder;      // holds a copy of the stand-in and its settings
    std::wstring m_emptyFolder; // holds nothing
};
