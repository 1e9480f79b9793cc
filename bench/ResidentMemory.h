#pragma once

#include <fstream>
#include <string>

// The process's resident memory in MB, from /proc/self/status; 0 where that cannot be read.
inline double ResidentMb() {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}
