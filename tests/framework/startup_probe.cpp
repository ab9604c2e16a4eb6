// A program linked like InfPatch.exe (our entry point, no C runtime) that
// checks the order of start and end: static constructors by priority, then
// each unit's in definition order, all of them before InitInstance; after
// Run, the functions registered with atexit and the global destructors in
// the reverse order of their registration. The last destructor checks the
// log, prints it and ends the process: exit code 0 when the order was right,
// 1 when it was not, and 7 (Run's result) when the destructors never ran.
#include "framework/startup.h"
#include "framework/win_app.h"
#include "startup_probe.h"

namespace
{

char eventLog[64];
int eventCount;

void Print(const char* text)
{
    DWORD length = 0;
    while (text[length] != '\0')
        ++length;
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &written, 0);
}

// Where `event` stands in the log, or -1.
int Position(char event)
{
    for (int i = 0; i < eventCount; ++i)
        if (eventLog[i] == event)
            return i;
    return -1;
}

// Expected: 'P' (priority 200) first; 'W', 'A', 'B' in their unit's order;
// every
// constructor ('P', 'O', 'A', 'B') and the application ('W') before 'I'
// (InitInstance) and 'R' (Run); 'x', the function InitInstance registered,
// first after Run; then each destructor in the reverse order of its
// constructor, 'p' last.
int OrderIsRight()
{
    static const char constructed[] = "POWAB";
    if (eventCount != 13 || eventLog[0] != 'P' || Position('W') > Position('A') ||
        Position('A') > Position('B'))
        return 0;
    for (int i = 0; constructed[i] != '\0'; ++i)
        if (Position(constructed[i]) < 0 || Position(constructed[i]) >= 5)
            return 0;
    if (eventLog[5] != 'I' || eventLog[6] != 'R' || eventLog[7] != 'x')
        return 0;
    for (int i = 0; i < 5; ++i)
        if (eventLog[8 + i] != eventLog[4 - i] - 'A' + 'a')
            return 0;
    return 1;
}

void AtExit()
{
    LogEvent('x');
}

struct LastToGo {
    LastToGo() { LogEvent('P'); }
    ~LastToGo()
    {
        LogEvent('p');
        eventLog[eventCount] = '\0';
        int right = OrderIsRight();
        Print("start-up order: ");
        Print(eventLog);
        Print(right ? " (right)\n" : " (wrong)\n");
        ExitProcess(right ? 0 : 1);
    }
};

class ProbeApp : public CWinApp
{
public:
    ProbeApp() { LogEvent('W'); }
    ~ProbeApp() { LogEvent('w'); }

    BOOL InitInstance() override
    {
        LogEvent('I');
        atexit(AtExit);
        return TRUE;
    }
    int Run() override
    {
        LogEvent('R');
        return 7;
    }
};

} // namespace

void LogEvent(char event)
{
    if (eventCount < static_cast<int>(sizeof eventLog) - 1)
        eventLog[eventCount++] = event;
}

__attribute__((init_priority(200))) LastToGo lastToGo;
ProbeApp probeApp;
Recorder first('A');
Recorder second('B');
