#include "meter/Identify.h"

#include "link/CommandCodes.h"
#include "link/Exchange.h"

namespace lmr {
namespace {

struct Caption {
    uint8_t code;
    const char* text;
};

constexpr Caption kModels[] = {{23, "ВЕГ/71"}, {24, "ВЕГ/72"}};
// Answer 1 is "гол.2" and answer 2 "гол.1": the meter numbers its heads the other way round.
constexpr Caption kHeads[] = {{0, "нет"}, {1, "гол.2"}, {2, "гол.1"}};

template <size_t N>
std::optional<std::string> Find(const Caption (&table)[N], uint8_t code) {
    for (const Caption& c : table) {
        if (c.code == code) return std::string(c.text);
    }
    return std::nullopt;
}

}  // namespace

Identification Identify(Link& link, int portNumber) {
    Identification id;
    Exchange exchange(link, portNumber, "identify", Probe::No);
    if (const MeterStatus s = exchange.Status(); s != MeterStatus::Ok) {
        id.status = s;
        return id;
    }
    // The answer to the command byte keeps the two sides in step; the code follows it.
    (void)link.SendCommand(Code(Command::Identify));
    id.InstrumentCode = link.ReadEchoedByte();
    // Noise alone does not stop the dialogue: the status at its end says so.
    const MeterStatus sofar = exchange.Status();
    const bool inStep = sofar == MeterStatus::Ok || sofar == MeterStatus::Noise;
    if (inStep && id.InstrumentCode == kModelWithHead) {
        id.HeadAsked = true;
        (void)link.SendCommand(Code(Command::AskHead));
        id.HeadCode = link.ReadEchoedByte();
    }
    id.status = exchange.Ended();
    return id;
}

std::optional<std::string> ModelCaption(uint8_t instrumentCode) {
    return Find(kModels, instrumentCode);
}

std::optional<std::string> HeadCaption(uint8_t headCode) {
    return Find(kHeads, headCode);
}

bool EnablesMeasurement(uint8_t instrumentCode) {
    return ModelCaption(instrumentCode).has_value();
}

}  // namespace lmr
