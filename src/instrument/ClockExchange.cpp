#include "instrument/ClockExchange.h"

#include "instrument/InstrumentTexts.h"
#include "link/CommandCodes.h"
#include "link/Exchange.h"

namespace lmr {

namespace {

ClockFields CurrentFields(const ClockFieldReader& field) {
    return {field(ClockField::Hour), field(ClockField::Minute), field(ClockField::Day),
            field(ClockField::Month), field(ClockField::Year)};
}

}  // namespace

ClockResult WriteInstrumentClock(Link& link, int portNumber, const ClockFieldReader& field,
                                 const std::function<void(const QString&)>& progress) {
    if (const auto refusal = NonexistentDateRefusal(CurrentFields(field))) {
        return {InstrumentStatus::Refused, *refusal};
    }
    Exchange exchange(link, portNumber, "clock");
    if (exchange.Result() == ExchangeResult::Busy) {
        return {InstrumentStatus::Busy, QString::fromUtf8(kInstrumentBusyText)};
    }
    if (exchange.Result() == ExchangeResult::NoAnswer) {
        return {InstrumentStatus::NoAnswer, QString::fromUtf8(kInstrumentNoAnswerText)};
    }
    if (progress) progress(QString::fromUtf8(kWritingClockText));

    // The instrument answers every byte; the answers are not compared with what was sent.
    link.SendCommand(Code(Command::SetClock));
    for (ClockField f : kClockMessageOrder) link.SendCommand(ClockByte(f, field(f)));
    if (exchange.Lost()) return {InstrumentStatus::Lost, QString::fromUtf8(kClockLostText)};
    return {InstrumentStatus::Done, QString::fromUtf8(kClockWrittenText)};
}

}  // namespace lmr
