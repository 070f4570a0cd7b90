/* The programs' load-configuration record. Its one setting that matters here: the programs'
 * own imports (opengl32, glu32, winmm and the rest of the system's libraries) are looked for
 * in System32 alone, never beside the program, where a Downloads folder may hold a planted
 * copy of any of them. Windows 10 (version 1607) and later read it; earlier ones ignore it.
 *
 * The record ends after the security cookie: it claims no safe exception-handler table and no
 * control-flow guard, which the compiler does not provide. Its size is 64 bytes for 32-bit
 * programs, as Windows asks of them, and 96 for 64-bit ones. The linker leaves the image's
 * load-configuration entry empty; cmake/pe_load_config.py points it here after the link. */
#include <windows.h>

typedef struct {
    DWORD Size;
    DWORD TimeDateStamp;
    WORD MajorVersion;
    WORD MinorVersion;
    DWORD GlobalFlagsClear;
    DWORD GlobalFlagsSet;
    DWORD CriticalSectionDefaultTimeout;
    ULONG_PTR DeCommitFreeBlockThreshold;
    ULONG_PTR DeCommitTotalFreeThreshold;
    ULONG_PTR LockPrefixTable;
    ULONG_PTR MaximumAllocationSize;
    ULONG_PTR VirtualMemoryThreshold;
#ifdef _WIN64
    ULONG_PTR ProcessAffinityMask;
    DWORD ProcessHeapFlags;
#else
    DWORD ProcessHeapFlags;
    ULONG_PTR ProcessAffinityMask;
#endif
    WORD CSDVersion;
    WORD DependentLoadFlags;
    ULONG_PTR EditList;
    ULONG_PTR SecurityCookie; /* none: the compiler's stack protector keeps its own */
} LoadConfiguration;

const LoadConfiguration _load_config_used = {
    .Size = sizeof(LoadConfiguration),
    .DependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32,
};
