// The log lines are stored as escaped GBK bytes; this proves each one is the
// GBK encoding of the text it stands for.
#include "repair/RepairLogLines.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

namespace {

std::string ToGbk(const std::string& utf8)
{
    iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no GBK converter";
        return std::string();
    }
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = &in[0];
    char* outPtr = &out[0];
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<size_t>(-1)) << utf8;
    EXPECT_EQ(inLeft, 0u);
    out.resize(out.size() - outLeft);
    return out;
}

struct LineCase
{
    const char* bytes;
    const char* utf8;
};

TEST(RepairLogLines, EachLineIsTheGbkEncodingOfItsText)
{
    const LineCase cases[] = {
        {kLogThreadCreateFailed, "创建修复注测表线程失败"},
        {kLogRedirectionOffFailed, "关闭重定向失败"},
        {kLogRunAddBranchNameFailed, "执行添加BranchName修复注测表命令失败"},
        {kLogAddBranchNameFailed, "修复注测表失败添加 BranchName"},
        {kLogRunAddRiskLevelFailed, "执行添加ThresholdRiskLevel修复注测表命令失败"},
        {kLogAddRiskLevelFailed, "修复注测表失败添加 ThresholdRiskLevel"},
        {kLogRunDeleteInternalFailed1, "执行删除ThresholdInternal修复注测表命令失败1"},
        {kLogRunAddInternalFailed, "执行添加ThresholdInternal修复注测表命令失败"},
        {kLogAddInternalFailed, "修复注测表失败添加 ThresholdInternal"},
        {kLogRunDeleteInternalFailed2, "执行删除ThresholdInternal修复注测表命令失败2"},
        {kLogDeleteInternalFailed, "修复注测表失败删除 ThresholdInternal"},
        {kLogRunDeleteOptedInFailed, "执行删除ThresholdOptedIn修复注测表命令失败"},
        {kLogVerifyFailed, "修复后校验注册表失败"},
        {kRepairLogFile, "Stellwick.txt"},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(std::string(c.bytes), ToGbk(c.utf8)) << c.utf8;
    }
}

TEST(RepairLogLines, LinesAreDistinct)
{
    const char* lines[] = {kLogThreadCreateFailed,
                           kLogRedirectionOffFailed,
                           kLogRunAddBranchNameFailed,
                           kLogAddBranchNameFailed,
                           kLogRunAddRiskLevelFailed,
                           kLogAddRiskLevelFailed,
                           kLogRunDeleteInternalFailed1,
                           kLogRunAddInternalFailed,
                           kLogAddInternalFailed,
                           kLogRunDeleteInternalFailed2,
                           kLogDeleteInternalFailed,
                           kLogRunDeleteOptedInFailed,
                           kLogVerifyFailed};
    for (size_t i = 0; i < std::size(lines); ++i) {
        for (size_t j = i + 1; j < std::size(lines); ++j) {
            EXPECT_NE(std::string(lines[i]), std::string(lines[j])) << i << " " << j;
        }
    }
}

} // namespace
