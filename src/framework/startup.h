// The program's entry point: the link names it with -e (the i686 symbol
// carries the leading underscore of the C calling convention). It runs the
// static constructors, the application object (RunWinApp), the functions
// registered with atexit in reverse order, and ends the process with the
// application's exit code.
#ifndef MORVANE_FRAMEWORK_STARTUP_H
#define MORVANE_FRAMEWORK_STARTUP_H

extern "C" void WinAppStartup(void);

// What gcc calls to register the destructor of a global object.
extern "C" int atexit(void (*function)(void));

#endif
