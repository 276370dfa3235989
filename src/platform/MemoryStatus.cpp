#include "MemoryStatus.h"

#if defined(_WIN32)
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on
#elif defined(__linux__)
#include <sys/sysinfo.h>

#include <cstdio>
#endif

namespace MemoryStatus {

#if defined(_WIN32)
std::uint64_t freePhysicalBytes() {
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    return status.ullAvailPhys;
}

namespace {
bool processMemory(PROCESS_MEMORY_COUNTERS& counters) {
    counters.cb = sizeof(counters);
    return K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)) != 0;
}
} // namespace

std::uint64_t peakResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters;
    return processMemory(counters) ? std::uint64_t(counters.PeakWorkingSetSize) : 0;
}

std::uint64_t residentBytes() {
    PROCESS_MEMORY_COUNTERS counters;
    return processMemory(counters) ? std::uint64_t(counters.WorkingSetSize) : 0;
}

bool resetPeakResident() {
    return false; // Windows keeps the peak for the life of the process
}
#elif defined(__linux__)
std::uint64_t freePhysicalBytes() {
    // MemAvailable counts the page cache the kernel gives up on demand, as Windows' available memory does;
    // the bare free pages of sysinfo() would look alarmingly small on any machine that has run for a while.
    if (std::FILE* f = std::fopen("/proc/meminfo", "r")) {
        char line[256];
        unsigned long long kib = 0;
        bool found = false;
        while (std::fgets(line, sizeof(line), f)) {
            if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) {
                found = true;
                break;
            }
        }
        std::fclose(f);
        if (found)
            return std::uint64_t(kib) * 1024u;
    }
    struct sysinfo info;
    if (sysinfo(&info) != 0)
        return 0;
    return std::uint64_t(info.freeram) * info.mem_unit;
}

namespace {
// A "Name:   123 kB" line of /proc/self/status, in bytes.
std::uint64_t statusKib(const char* format) {
    std::uint64_t bytes = 0;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned long long kib = 0;
        while (std::fgets(line, sizeof(line), f)) {
            if (std::sscanf(line, format, &kib) == 1) {
                bytes = std::uint64_t(kib) * 1024u;
                break;
            }
        }
        std::fclose(f);
    }
    return bytes;
}
} // namespace

std::uint64_t peakResidentBytes() {
    return statusKib("VmHWM: %llu kB");
}

std::uint64_t residentBytes() {
    return statusKib("VmRSS: %llu kB");
}

bool resetPeakResident() {
    // "5" resets the high-water mark to the present size (Linux 4.0 and later).
    std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (!f)
        return false;
    const bool written = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && written;
}
#else
std::uint64_t freePhysicalBytes() {
    return 0;
}

std::uint64_t peakResidentBytes() {
    return 0;
}

std::uint64_t residentBytes() {
    return 0;
}

bool resetPeakResident() {
    return false;
}
#endif

} // namespace MemoryStatus
