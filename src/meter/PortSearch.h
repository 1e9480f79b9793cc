#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "link/Unitcomport.h"

namespace lmr {

// What the search says about one port it tried (the window makes the text).
struct SearchNote {
    enum class Kind {
        Searching,  // no answer (yet): "Поиск оборудования ..."
        Found,      // the port answered the probe
        NoAccess,   // the user may not open the port
        Held,       // another program has it open: not probed
        Locked,     // it refused to open because another program locked it
    };
    Kind kind = Kind::Searching;
    int port = 0;
    std::string path;     // NoAccess, Held, Locked
    std::string program;  // Held
    int pid = 0;          // Held
};

// Searches COM1…COM8 for the meter, over and over, until one answers the probe. Run is the body
// of the worker's search job; the accessors may be asked from any thread. A port another program
// has open is not probed (the probe's bytes would reach that program, a modem or a terminal);
// it and a port locked by another program are named in the notes.
class PortSearch {
public:
    using NoteSink = std::function<void(const SearchNote&)>;

    // Runs passes until a port answered (true; the port is closed again before PortFound is set)
    // or a cancel was asked for on the link (false: between ports, or at once when closing).
    // A note after every port tried, on the calling thread.
    [[nodiscard]] bool Run(Link& link, const NoteSink& note);
    // After the port found failed its identification (the meter was lost, or the device only
    // echoes the probe): clears PortFound, and the next Run goes on from the next port, so a
    // device that answers any byte on an earlier port cannot hide the meter behind it.
    void SearchAgain();

    [[nodiscard]] bool PortFound() const { return portFound_.load(); }
    // The port being tried, and after success the one that answered (0 before the first).
    [[nodiscard]] int PortNumber() const { return portNumber_.load(); }
    // "COM*" until a port answered, then "COMn".
    [[nodiscard]] std::string PortText() const;

private:
    bool Pass(Link& link, const NoteSink& note);

    std::atomic<bool> portFound_{false};
    std::atomic<int> portNumber_{0};
    std::atomic<int> firstPort_{1};  // where the next pass starts
    mutable std::mutex mutex_;
    std::string portText_ = "COM*";
};

}  // namespace lmr
