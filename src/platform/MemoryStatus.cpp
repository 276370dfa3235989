#include "MemoryStatus.h"

#if defined(_WIN32)
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>
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

std::uint64_t peakResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return counters.PeakWorkingSetSize;
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

std::uint64_t peakResidentBytes() {
    // The high-water mark of the resident set, which the kernel keeps for the whole life of the process.
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    char line[256];
    unsigned long long kib = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof(line), f))
        found = std::sscanf(line, "VmHWM: %llu kB", &kib) == 1;
    std::fclose(f);
    return found ? std::uint64_t(kib) * 1024u : 0;
}
#else
std::uint64_t freePhysicalBytes() {
    return 0;
}

std::uint64_t peakResidentBytes() {
    return 0;
}
#endif

} // namespace MemoryStatus
