#pragma once

#include <cstdint>

// What the operating system says about its memory.
namespace MemoryStatus {
// Physical memory that programs can have at once without the system writing anything to disk first, in bytes;
// 0 when the system does not say.
std::uint64_t freePhysicalBytes();

// The most physical memory this process has held at once so far, in bytes; 0 when the system does not say.
std::uint64_t peakResidentBytes();
// Physical memory this process holds now, in bytes; 0 when the system does not say.
std::uint64_t residentBytes();
// Starts the peak afresh from what the process holds now; false when the system cannot.
bool resetPeakResident();
} // namespace MemoryStatus
