#pragma once
// This process's memory as the kernel counts it, in KiB.

#include <cstdint>

namespace quorvane::bench {

std::int64_t ResidentKib();  // VmRSS now
std::int64_t PeakKib();      // VmHWM, the high-water mark

// Starts the high-water mark again from the current size, so a peak can be
// taken for one step. False when the kernel refuses.
bool ResetPeak();

}  // namespace quorvane::bench
