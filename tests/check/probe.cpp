// Probe programs for the Windows 95 fitness check. Without a PROBE_* macro this
// is the smallest program built the way InfPatch.exe is: its own entry point,
// no C runtime, static constructors run by the entry itself. Each PROBE_*
// macro adds one deliberate fault that the check must name. The probes are
// only ever inspected, never run.
#include <windows.h>

// The linker lays the constructor table out as -1, the constructors, 0.
typedef void (*ProbeConstructor)(void);
extern "C" ProbeConstructor __CTOR_LIST__[];

#if defined(PROBE_IMPORTS)
// Not declared for Windows 95 structure sizes; it does not exist there at all.
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);
// Bound by ordinal only, through an import library made from a .def file.
extern "C" void WINAPI OrdinalProbe(void);
#endif

namespace
{
// Dynamic initialisation, so that the constructor table is not empty.
DWORD startTicks = GetTickCount();
} // namespace

extern "C" void WINAPI ProbeEntry(void)
{
    for (ProbeConstructor* c = __CTOR_LIST__ + 1; *c != 0; ++c)
        (*c)();

#if defined(PROBE_CMOV)
    __asm__ volatile("cmovne %%edx, %%eax" ::: "eax", "cc");
#elif defined(PROBE_P6_FPU)
    __asm__ volatile("fcomi %%st(1), %%st\n\tfcmove %%st(1), %%st" ::: "cc");
#elif defined(PROBE_MMX)
    // No clobber list: the probe never runs, and -march=pentium knows no mm registers.
    __asm__ volatile("movq %%mm0, %%mm1\n\temms" ::);
#elif defined(PROBE_SSE)
    // No clobber list, for the same reason.
    __asm__ volatile("xorps %%xmm0, %%xmm0" ::);
#elif defined(PROBE_LONG_NOP)
    // What an assembler emits as alignment padding for later processors.
    __asm__ volatile("nopl 0(%%eax,%%eax,1)" ::);
#elif defined(PROBE_IMPORTS)
    if (GetTickCount64() == 0)
        CloseHandle(CreateFileW(L"probe", 0, 0, 0, OPEN_EXISTING, 0, 0));
    OrdinalProbe();
#endif

    MessageBoxA(0, "probe", "probe", MB_OK);
    ExitProcess(startTicks != 0 ? 0 : 1);
}
