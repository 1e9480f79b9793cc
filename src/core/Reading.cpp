#include "core/Reading.h"

#include <cmath>

#include "measure/NumberText.h"

namespace lmr {

Reading MakeReading(const QDateTime& when, float rh, float tv, float tsf, ReadingOrigin origin,
                    std::uint8_t model, std::uint8_t head) {
    return Reading{when, rh, tv, tsf, DeriveHeatStress(rh, tv, tsf), origin, model, head};
}

QDateTime LoggerRecordTime(const LoggerRecord& record) {
    const QDate date(2000 + record.date11, record.date12, record.date13);
    const QTime time(record.hour, record.minute);
    if (!date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time);
}

bool LoggerRecordValid(const LoggerRecord& record) {
    const auto word = [](float v) { return std::lround(double(v) * 10); };
    const long words[3] = {word(record.rh), word(record.tv), word(record.tsf)};
    for (const long w : words) {
        if (w >= 65535) return false;
    }
    if (words[0] == 0 && words[1] == 0 && words[2] == 0) return false;
    return LoggerRecordTime(record).isValid();
}

std::optional<double> LiveValue(const Reading& r, Quantity q) {
    const HeatStress& h = r.derived;
    switch (q) {
        case Quantity::Ths:
            return RoundToTenth(h.ths);
        case Quantity::Wbgt:
            return RoundToTenth(h.wbgt);
        case Quantity::Rh:
            return RoundToTenth(r.rh);
        case Quantity::Tv:
            return RoundToTenth(r.tv);
        case Quantity::Tsf:
            return RoundToTenth(r.tsf);
        case Quantity::Tvt:
            return RoundToTenth(h.tvt);
        case Quantity::Ttr:
            if (!h.ttr) return std::nullopt;
            return RoundToTenth(*h.ttr);
        case Quantity::Trad:
            return RoundToTenth(h.trad);
        case Quantity::W:
            return RoundToTenth(h.w);
    }
    return std::nullopt;
}

}  // namespace lmr
