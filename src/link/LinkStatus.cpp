#include "link/LinkStatus.h"

namespace lmr {

const char* LinkStatusText(LinkStatus status) {
    switch (status) {
        case LinkStatus::Ok:
            return "ok";
        case LinkStatus::NoDevice:
            return "no device";
        case LinkStatus::NoAccess:
            return "no access";
        case LinkStatus::Io:
            return "I/O error";
        case LinkStatus::Timeout:
            return "time-out";
        case LinkStatus::Protocol:
            return "protocol error";
        case LinkStatus::Busy:
            return "busy";
        case LinkStatus::Cancelled:
            return "cancelled";
    }
    return "unknown";
}

}  // namespace lmr
