#pragma once

// The real programs (lmr, lmr-sim) run as child processes of a test, and what the meter's
// transcript file says of them.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "link/Transcript.h"

namespace lmr::test {

// Starts args[0] with the arguments after it and the extra environment entries; its standard
// output (the meter prints its device path) goes to /dev/null.
inline pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The lines of a transcript file that parse (the last may still be being written).
inline std::vector<TranscriptEntry> ReadTranscriptFile(const std::string& path) {
    std::vector<TranscriptEntry> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (const auto e = ParseTranscriptLine(line)) entries.push_back(*e);
    }
    return entries;
}

}  // namespace lmr::test
