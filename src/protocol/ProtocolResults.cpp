#include "protocol/ProtocolResults.h"

#include "assess/AssessTexts.h"
#include "assess/NormTables.h"
#include "measure/NumberText.h"
#include "protocol/ProtocolText.h"

namespace lmr {

namespace {

using namespace protocol_text;

// "23,4 ± 0,3 (22,1–24,0)": the mean judged with its uncertainty, then the least and greatest.
QString MeasuredText(const QuantityFigures& q, const FactorResult* f,
                     std::optional<double> expanded, bool nearLimit) {
    const QString mean = f != nullptr ? FactorFigureText(*f, Russian())
                                      : FigureWithUncertainty(RoundToTenth(q.weightedMean),
                                                              expanded, nearLimit, 1, Russian());
    return QStringLiteral("%1 (%2)").arg(mean, Range(q.min, q.max));
}

QString RowUncertainty(std::optional<double> expanded, bool nearLimit, int decimals) {
    QString text = UncertaintyText(expanded, decimals, Russian());
    if (nearLimit) text += Utf8(kNearLimitMark);
    return text;
}

ProtocolResultRow FiguresRow(const QString& quantity, const QuantityFigures& q, int count,
                             const FactorResult* f, std::optional<double> expanded = {},
                             bool nearLimit = false) {
    ProtocolResultRow row;
    row.quantity = quantity;
    if (f != nullptr) {
        expanded = f->expanded;
        nearLimit = f->nearLimit;
    }
    if (count > 0) {
        row.uncertainty = RowUncertainty(expanded, nearLimit, 1);
        row.mean = RoundToTenth(q.weightedMean);
        row.min = q.min;
        row.max = q.max;
        row.measured = MeasuredText(q, f, expanded, nearLimit);
    } else {
        row.measured = QStringLiteral("нет измерений");
    }
    return row;
}

QString Hundredths(double value) {
    return Russian().toString(value, 'f', 2);
}

}  // namespace

std::vector<ProtocolResultRow> ResultRows(const Assessment& a, const AssessInputs& in,
                                          NormList& norms) {
    const AirNormRow& air = AirNormOf(in.season, in.category);
    const ThsNormRow& ths = ThsNormOf(in.category);
    const bool any = a.count > 0;
    const auto judged = [&](ProtocolResultRow& row, Factor f) {
        row.compliance = any ? ComplianceText(a, f, Russian()) : QString();
        row.verdict = any ? FactorClassText(a, f, Russian()) : QString();
    };
    const char* classes = ThsClassSource();

    ProtocolResultRow t = FiguresRow(QStringLiteral("Температура воздуха tв, °C"), a.air, a.count,
                                     &a.Of(Factor::AirTemperature));
    t.permissible = Range(air.permissibleLow / 10.0, air.permissibleHigh / 10.0);
    t.norm = norms.Cite({AirNormSource(), classes});
    judged(t, Factor::AirTemperature);

    ProtocolResultRow rh = FiguresRow(QStringLiteral("Относительная влажность, %"), a.rh, a.count,
                                      &a.Of(Factor::Humidity));
    rh.permissible = Range(kRhPermissibleLow,
                           PermissibleRhHigh(in.season, a.Of(Factor::AirTemperature).value));
    rh.norm = norms.Cite({AirNormSource(), classes});
    judged(rh, Factor::Humidity);

    ProtocolResultRow v;
    v.quantity = QStringLiteral("Скорость движения воздуха, м/с");
    const FactorResult& speed = a.Of(Factor::AirSpeed);
    v.decimals = 2;
    if (in.airSpeed) {
        v.mean = speed.value;
        v.measured = FactorFigureText(speed, Russian());
        v.uncertainty = RowUncertainty(speed.expanded, speed.nearLimit, 2);
    } else {
        v.measured = QStringLiteral("не измерена");
    }
    const AirSpeedRange range =
        PermissibleAirSpeed(in.season, in.category, a.Of(Factor::AirTemperature).value);
    v.permissible = range.low > 0
                        ? QStringLiteral("%1–%2").arg(Hundredths(range.low), Hundredths(range.high))
                        : QStringLiteral("не более %1").arg(Hundredths(range.high));
    v.norm = norms.Cite({AirNormSource(), classes});
    judged(v, Factor::AirSpeed);

    ProtocolResultRow globe = FiguresRow(QStringLiteral("Температура шарового термометра tш, °C"),
                                         a.globe, a.count, nullptr, a.globeExpanded);
    globe.permissible = globe.norm = globe.compliance = globe.verdict = QStringLiteral("—");

    ProtocolResultRow index =
        FiguresRow(QStringLiteral("ТНС-индекс, °C"), a.ths, a.count, &a.Of(Factor::Ths));
    index.permissible = Range(ths.permissibleLow / 10.0, ths.permissibleHigh / 10.0);
    index.norm = norms.Cite({ThsPermissibleSource(), classes});
    judged(index, Factor::Ths);

    ProtocolResultRow wbgt = FiguresRow(QStringLiteral("WBGT, °C"), a.wbgt, a.count, nullptr,
                                        a.wbgtExpanded, a.wbgtNearLimit);
    wbgt.permissible = QStringLiteral("не более %1").arg(Figure(a.wbgtLimit));
    wbgt.norm = norms.Cite({WbgtSource()});
    wbgt.compliance = QStringLiteral("—");
    wbgt.verdict = any ? WbgtVerdictText(a, Russian()) : QString();

    ProtocolResultRow w;
    w.quantity = QStringLiteral("Интенсивность теплового облучения (наибольшая), Вт/м²");
    if (any) {
        w.mean = a.Of(Factor::Irradiance).value;
        w.measured = Figure(a.maxW);
        w.uncertainty = QStringLiteral("—");
    } else {
        w.measured = QStringLiteral("нет измерений");
    }
    w.permissible = QStringLiteral("не более %1").arg(NumberText(in.permissibleIrradiance, Russian()));
    w.norm = norms.Cite({IrradianceSource(), classes});
    judged(w, Factor::Irradiance);

    return {t, rh, v, globe, index, wbgt, w};
}

}  // namespace lmr
