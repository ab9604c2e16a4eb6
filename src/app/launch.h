// Starting a helper program by name and waiting for its end, the way the
// program shows its readme in the system's text editor.
#ifndef MORVANE_APP_LAUNCH_H
#define MORVANE_APP_LAUNCH_H

// Starts `program` with the one argument `argument` and waits until it has
// ended. The program is looked for in the current folder first and then in
// each folder of PATH in turn; the first file of that name found is
// started, with the command line "<program> <argument>", and inherits this
// program's current folder. A folder whose full file name would not fit
// MAX_PATH is passed over, never cut short.
// Returns 1 when the program ran and has ended, 0 when it was not found or
// could not be started; in both cases the call returns at once.
int LaunchAndWait(const char* program, const char* argument);

#endif
