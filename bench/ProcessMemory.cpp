#include "ProcessMemory.h"

#include <cstring>
#include <fstream>
#include <string>

namespace ProcessMemory
{

namespace
{

long statusKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    const size_t keyLength = std::strlen(key);
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, keyLength, key) == 0 && line.size() > keyLength &&
            line[keyLength] == ':')
            return std::stol(line.substr(keyLength + 1));
    }
    return -1;
}

} // namespace

long ResidentKb()
{
    return statusKb("VmRSS");
}

long PeakResidentKb()
{
    return statusKb("VmHWM");
}

bool ResetPeak()
{
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return bool(clearRefs);
}

} // namespace ProcessMemory
