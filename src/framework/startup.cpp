// Start-up and shut-down of the program without any C runtime: the entry
// point named in the link (-e), the static constructors, an exit registry of
// our own for what the compiler registers with atexit, and ExitProcess.
#include "framework/startup.h"

#include "framework/win_app.h"
#include "platform/win32_api.h"

typedef void (*StaticFunction)(void);

// The linker's PE script places "-1, the .ctors entries, 0" here (and on
// i686 names it ___CTOR_LIST__, which is what this C name becomes).
// gcc puts one entry per translation unit into .ctors, and init_priority
// entries into .ctors.NNNNN, sorted after the plain ones by name. The list
// is run from its end to its start: that puts the highest priority first
// and the plain entries last, as the toolchain's own start-up does.
extern "C" StaticFunction __CTOR_LIST__[];

namespace
{

// The global objects of this program register their destructors here (gcc
// on MinGW calls atexit for every global with a destructor). A few suffice;
// a registration beyond them fails, as the C library's atexit may.
const int MaxExitFunctions = 32;
StaticFunction exitFunctions[MaxExitFunctions];
int exitFunctionCount;

void RunStaticConstructors()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1] != 0)
        ++count;
    for (int i = count; i >= 1; --i)
        __CTOR_LIST__[i]();
}

void RunExitFunctions()
{
    // Last registered, first run; a function registered while this runs is
    // run too.
    while (exitFunctionCount > 0) {
        --exitFunctionCount;
        exitFunctions[exitFunctionCount]();
    }
}

} // namespace

extern "C" int atexit(StaticFunction function)
{
    if (exitFunctionCount >= MaxExitFunctions)
        return -1;
    exitFunctions[exitFunctionCount++] = function;
    return 0;
}

extern "C" void WinAppStartup(void)
{
    RunStaticConstructors();
    int exitCode = RunWinApp();
    RunExitFunctions();
    ExitProcess(static_cast<UINT>(exitCode));
}
