#include "bench/support/ProcessMemory.h"

#include <fstream>
#include <string>

namespace quorvane::bench {

namespace {

std::int64_t StatusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, name.size(), name) == 0 && line.size() > name.size() &&
            line[name.size()] == ':')
            return std::stoll(line.substr(name.size() + 1));
    }
    return -1;
}

}  // namespace

std::int64_t ResidentKib() { return StatusField("VmRSS"); }
std::int64_t PeakKib() { return StatusField("VmHWM"); }

bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return static_cast<bool>(clear);
}

}  // namespace quorvane::bench
