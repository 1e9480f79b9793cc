#include "link/PortTable.h"

#include <libserialport.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace lmr {
namespace {

constexpr int kComPorts = 8;

std::vector<PortTable::Port> FromEnvironment(const char* list) {
    std::vector<PortTable::Port> ports;
    std::string rest = list;
    size_t start = 0;
    while (start <= rest.size()) {
        const size_t colon = rest.find(':', start);
        const std::string path =
            rest.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!path.empty()) ports.push_back({path, {}, false});
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return ports;
}

bool LooksLikeAdapter(const std::string& path) {
    return path.find("ttyUSB") != std::string::npos || path.find("ttyACM") != std::string::npos;
}

std::vector<PortTable::Port> Enumerate() {
    std::vector<PortTable::Port> ports;
    sp_port** list = nullptr;
    if (sp_list_ports(&list) != SP_OK) return ports;
    for (sp_port** p = list; *p != nullptr; ++p) {
        const char* name = sp_get_port_name(*p);
        if (name == nullptr) continue;
        const char* description = sp_get_port_description(*p);
        PortTable::Port port{name, description != nullptr ? description : "", false};
        port.adapter = sp_get_port_transport(*p) == SP_TRANSPORT_USB || LooksLikeAdapter(name);
        ports.push_back(std::move(port));
    }
    sp_free_port_list(list);
    return PortTable::Ordered(std::move(ports));
}

std::vector<PortTable::Port> Machine(int& unreachableListed) {
    unreachableListed = 0;
    const char* env = std::getenv("LMR_PORTS");
    if (env == nullptr || *env == '\0') return Enumerate();
    std::vector<PortTable::Port> listed = FromEnvironment(env);
    unreachableListed = std::max(0, static_cast<int>(listed.size()) - kComPorts);
    return listed;
}

// Names with their digits compared as numbers: ttyS2 before ttyS10.
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            size_t ie = i, je = j;
            while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
            while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
            const unsigned long long na = std::strtoull(a.substr(i, ie - i).c_str(), nullptr, 10);
            const unsigned long long nb = std::strtoull(b.substr(j, je - j).c_str(), nullptr, 10);
            if (na != nb) return na < nb;
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

}  // namespace

PortTable::PortTable() : fixed_(false), ports_(Machine(unreachableListed_)) {}

PortTable::PortTable(std::vector<Port> ports) : fixed_(true), ports_(std::move(ports)) {}

void PortTable::Refresh() {
    if (fixed_) return;
    int unreachable = 0;
    std::vector<Port> fresh = Machine(unreachable);
    std::lock_guard<std::mutex> lock(mutex_);
    ports_ = std::move(fresh);
    unreachableListed_ = unreachable;
}

std::optional<std::string> PortTable::PathOf(int n) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (n < 1 || n > kComPorts || static_cast<size_t>(n) > ports_.size()) return std::nullopt;
    return ports_[static_cast<size_t>(n - 1)].path;
}

std::string PortTable::Description(int n) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (n < 1 || n > kComPorts || static_cast<size_t>(n) > ports_.size()) return {};
    return ports_[static_cast<size_t>(n - 1)].description;
}

std::vector<PortTable::Port> PortTable::Ports() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return ports_;
}

int PortTable::UnreachableListed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return unreachableListed_;
}

std::vector<PortTable::Port> PortTable::Ordered(std::vector<Port> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const Port& a, const Port& b) {
        if (a.adapter != b.adapter) return a.adapter;
        return NaturalLess(a.path, b.path);
    });
    return ports;
}

}  // namespace lmr
