// Shared by the two translation units of the start-up probe: global objects
// that write one letter into a log when they are constructed and the same
// letter in lower case when they are destroyed.
#ifndef MORVANE_TESTS_FRAMEWORK_STARTUP_PROBE_H
#define MORVANE_TESTS_FRAMEWORK_STARTUP_PROBE_H

void LogEvent(char event);

struct Recorder {
    explicit Recorder(char name) : m_name(name) { LogEvent(name); }
    ~Recorder() { LogEvent(static_cast<char>(m_name - 'A' + 'a')); }

    char m_name;
};

#endif
