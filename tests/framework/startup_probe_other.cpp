// The start-up probe's second translation unit: one more global object, so
// that the constructors of several units run.
#include "startup_probe.h"

Recorder otherUnit('O');
