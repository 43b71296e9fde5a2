// The repair log's file name and its failure lines, as the GBK bytes the log
// writer takes. Kept as escaped bytes so the encoding of this source file can
// never change what lands in the log.
#pragma once

constexpr char kRepairLogFile[] = "Stellwick.txt";

// 创建修复注测表线程失败
constexpr char kLogThreadCreateFailed[] =
    "\xB4\xB4\xBD\xA8\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xCF\xDF\xB3\xCC\xCA\xA7\xB0\xDC";
// 关闭重定向失败
constexpr char kLogRedirectionOffFailed[] = "\xB9\xD8\xB1\xD5\xD6\xD8\xB6\xA8\xCF\xF2\xCA\xA7\xB0\xDC";
// 执行添加BranchName修复注测表命令失败
constexpr char kLogRunAddBranchNameFailed[] =
    "\xD6\xB4\xD0\xD0\xCC\xED\xBC\xD3"
    "BranchName\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xC3\xFC\xC1\xEE\xCA\xA7\xB0\xDC";
// 修复注测表失败添加 BranchName
constexpr char kLogAddBranchNameFailed[] =
    "\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xCA\xA7\xB0\xDC\xCC\xED\xBC\xD3 BranchName";
// 执行添加ThresholdRiskLevel修复注测表命令失败
constexpr char kLogRunAddRiskLevelFailed[] = "\xD6\xB4\xD0\xD0\xCC\xED\xBC\xD3ThresholdRiskLevel\xD0\xDE\xB8"
                                             "\xB4\xD7\xA2\xB2\xE2\xB1\xED\xC3\xFC\xC1\xEE"
                                             "\xCA\xA7\xB0\xDC";
// 修复注测表失败添加 ThresholdRiskLevel
constexpr char kLogAddRiskLevelFailed[] =
    "\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xCA\xA7\xB0\xDC\xCC\xED\xBC\xD3 ThresholdRiskLevel";
// 执行删除ThresholdInternal修复注测表命令失败1
constexpr char kLogRunDeleteInternalFailed1[] = "\xD6\xB4\xD0\xD0\xC9\xBE\xB3\xFDThresholdInternal\xD0\xDE"
                                                "\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xC3\xFC\xC1\xEE"
                                                "\xCA\xA7\xB0\xDC"
                                                "1";
// 执行添加ThresholdInternal修复注测表命令失败
constexpr char kLogRunAddInternalFailed[] = "\xD6\xB4\xD0\xD0\xCC\xED\xBC\xD3ThresholdInternal\xD0\xDE\xB8"
                                            "\xB4\xD7\xA2\xB2\xE2\xB1\xED\xC3\xFC\xC1\xEE"
                                            "\xCA\xA7\xB0\xDC";
// 修复注测表失败添加 ThresholdInternal
constexpr char kLogAddInternalFailed[] =
    "\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xCA\xA7\xB0\xDC\xCC\xED\xBC\xD3 ThresholdInternal";
// 执行删除ThresholdInternal修复注测表命令失败2
constexpr char kLogRunDeleteInternalFailed2[] = "\xD6\xB4\xD0\xD0\xC9\xBE\xB3\xFDThresholdInternal\xD0\xDE"
                                                "\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xC3\xFC\xC1\xEE"
                                                "\xCA\xA7\xB0\xDC"
                                                "2";
// 修复注测表失败删除 ThresholdInternal
constexpr char kLogDeleteInternalFailed[] =
    "\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xCA\xA7\xB0\xDC\xC9\xBE\xB3\xFD ThresholdInternal";
// 执行删除ThresholdOptedIn修复注测表命令失败
constexpr char kLogRunDeleteOptedInFailed[] =
    "\xD6\xB4\xD0\xD0\xC9\xBE\xB3\xFDThresholdOptedIn\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xC3\xFC\xC1\xEE"
    "\xCA\xA7\xB0\xDC";
// 修复后校验注册表失败
constexpr char kLogVerifyFailed[] =
    "\xD0\xDE\xB8\xB4\xBA\xF3\xD0\xA3\xD1\xE9\xD7\xA2\xB2\xE1\xB1\xED\xCA\xA7\xB0\xDC";
// 等待另一个修复结束超时
constexpr char kLogRepairLockTimedOut[] =
    "\xB5\xC8\xB4\xFD\xC1\xED\xD2\xBB\xB8\xF6\xD0\xDE\xB8\xB4\xBD\xE1\xCA\xF8\xB3\xAC\xCA\xB1";
// 无法取得修复锁
constexpr char kLogRepairLockUnavailable[] = "\xCE\xDE\xB7\xA8\xC8\xA1\xB5\xC3\xD0\xDE\xB8\xB4\xCB\xF8";
