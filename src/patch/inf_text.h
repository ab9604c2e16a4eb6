// INF text primitives: a byte-exact file copy, and a copy of an INF text that
// adds lines directly beneath the header of one named section. The patch
// procedure alternates the two over MACHINE.INF and a scratch file.
#ifndef MORVANE_PATCH_INF_TEXT_H
#define MORVANE_PATCH_INF_TEXT_H

// Copies source onto destination byte for byte (destination first). 1 when
// every byte of the source, as many as the file system reports for it, reached
// the destination and both files closed cleanly. 0 when a file cannot be
// opened, the size query or a read fails, the source ends before its reported
// size (the copy is never padded), or a write, flush or close fails. A source
// that cannot be opened or measured leaves the destination untouched.
int CopyWholeFile(const char* destination, const char* source);

// The outcomes of InsertSectionLines.
enum InsertResults {
    // An I/O failure: a file could not be opened, or a read, write, flush or
    // close failed. The destination may hold a partial copy (or be untouched
    // when the source could not be opened).
    INSERT_IO_ERROR = -1,
    // No usable header "[section]" in the source: the destination is a
    // byte-exact copy of the source.
    INSERT_NO_SECTION = 0,
    // The header was found and the lines were written beneath it.
    INSERT_DONE = 1,
};

// Copies the INF text at source onto destination (destination first) and
// writes the count lines, each followed by CR LF, right after the line of the
// first header whose name equals section, ignoring the case of ASCII letters.
// A '[' anywhere opens a candidate name that runs to the next ']'. A name of
// more than 63 bytes, a '[' with no ']' before the end, and a matching header
// whose line does not end (CR, then LF) before the end count as no match.
// Returns one of InsertResults.
int InsertSectionLines(const char* destination, const char* source, const char* section, int count,
                       const char* const* lines);

#endif
