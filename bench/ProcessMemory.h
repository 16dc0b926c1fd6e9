// The host process's memory: its peak working set (the kernel's high-water
// mark of resident memory under Wine) and a reset of that peak, so a peak
// can be read for one stretch of work.
#pragma once

#include <cstddef>

// PeakWorkingSetSize of this process, in bytes.
size_t PeakWorkingSet();
// WorkingSetSize of this process, in bytes.
size_t CurrentWorkingSet();
// Resets the peak to the current working set; false when the system does
// not allow it (peaks then run over the whole process).
bool ResetPeakWorkingSet();
