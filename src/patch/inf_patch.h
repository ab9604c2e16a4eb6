// The INF patch procedure: backs up MACHINE.INF as MACHINE.OLD, inserts the
// payload's four line tables beneath their sections, replaces USB.INF and
// removes the scratch file, all in the INF folder of the Windows directory.
#ifndef MORVANE_PATCH_INF_PATCH_H
#define MORVANE_PATCH_INF_PATCH_H

// The Windows directory, as the system reports it at the start of each run;
// initially "C:\WINDOWS", which stays when the query fails.
extern char WindowsDirectory[128];

// One patch run. 1 when every step succeeded; 0 as soon as one fails: a
// Windows directory or path that does not fit its 128-byte buffer, a failed
// copy, an insertion that fails on I/O (a missing section is no failure: the
// file is written back unchanged and the run goes on), or USB.INF that cannot
// be created or written. What a failed run has written stays, except that an
// insertion that fails half way puts MACHINE.INF back as it was before it.
int PatchInfFiles(void);

#endif
