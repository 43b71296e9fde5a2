/* The record the support component fills at initialisation, and the entry
 * points it exports. Shared by the program and the component, so it stays
 * plain C: fixed arrays, no C++ types across the library boundary. */
#ifndef STELLWICK_SUPPORT_TOOLINFO_H
#define STELLWICK_SUPPORT_TOOLINFO_H

#include <wchar.h>

#if defined(_WIN32)
#define TOOLINFO_CALL __cdecl
#else
#define TOOLINFO_CALL
#endif

/* Capacity of each text in wide characters, terminating NUL included. The
 * component copies with truncation, so every text is always terminated. */
#define TOOL_INFO_TEXT_CHARS 512

/* In C++ every field starts empty on its own; C callers zero the record. */
#ifdef __cplusplus
#define TOOLINFO_EMPTY = {}
#else
#define TOOLINFO_EMPTY
#endif

typedef struct ToolInfo
{
    wchar_t m_szComponentName[TOOL_INFO_TEXT_CHARS] TOOLINFO_EMPTY;
    wchar_t m_szComponentVersion[TOOL_INFO_TEXT_CHARS] TOOLINFO_EMPTY;
    wchar_t m_szFeedbackUrl[TOOL_INFO_TEXT_CHARS] TOOLINFO_EMPTY;
    /* The only text the program reads: where the more-tools button leads. */
    wchar_t m_szMoreToolsUrl[TOOL_INFO_TEXT_CHARS] TOOLINFO_EMPTY;
    wchar_t m_szAgreementUrl[TOOL_INFO_TEXT_CHARS] TOOLINFO_EMPTY;
    wchar_t m_szDownloadUrl[TOOL_INFO_TEXT_CHARS] TOOLINFO_EMPTY;
} ToolInfo;

#define TOOL_INFO_TEXT_COUNT 6

/* The eleven exports: C calling convention (the caller pops the arguments),
 * 32-bit int results, NUL-terminated UTF-16 strings. */
typedef int(TOOLINFO_CALL* InitFreedbackDllFn)(ToolInfo* info);
typedef int(TOOLINFO_CALL* FeedbackQuestionFn)(const wchar_t* toolId, const wchar_t* toolVersion);
/* The address is a system string (BSTR); the component takes it over. */
typedef int(TOOLINFO_CALL* OpenUrlFn)(wchar_t* url);
typedef int(TOOLINFO_CALL* GetInterNetStateFn)(void);
typedef int(TOOLINFO_CALL* CustomerFeedbackFn)(const wchar_t* toolId, const wchar_t* toolVersion, int kind);
typedef int(TOOLINFO_CALL* CustomerFeedbackExFn)(const wchar_t* toolId, const wchar_t* toolVersion, int kind,
                                                 const wchar_t* timeText, const wchar_t* deviceText);
typedef int(TOOLINFO_CALL* WriteCustomerFeedbackInfoFileFn)(const wchar_t* toolId, const wchar_t* toolVersion,
                                                            int kind, const wchar_t* timeText,
                                                            const wchar_t* deviceText);
typedef int(TOOLINFO_CALL* GetToolIsNewVersionFn)(const wchar_t* toolId, const wchar_t* toolVersion);
typedef int(TOOLINFO_CALL* GetToolIsNewVersionDownFn)(const wchar_t* toolId, const wchar_t* toolVersion);
typedef int(TOOLINFO_CALL* OpenToolDownUrlFn)(void);
typedef int(TOOLINFO_CALL* OpenUseAgreementUrlFn)(void);

#endif
