#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

#include "survey/Survey.h"

namespace lmr {

// What the protocol of measurements holds, built from a survey as texts and figures; the PDF,
// the print and the workbook write the same content, each in its own layout.

struct ProtocolField {
    QString label;
    QString value;
};

// One measured quantity of one height against its norm.
struct ProtocolResultRow {
    QString quantity;  // "Температура воздуха, °C"
    // The figures as judged: the mean by time, with the least and the greatest reading; none when
    // nothing was measured. A typed air speed has a mean alone.
    std::optional<double> mean;
    std::optional<double> min;
    std::optional<double> max;
    int decimals = 1;  // of the figures: tenths, an air speed hundredths
    QString uncertainty;  // "± 0,3" (with "*" at a limit), "не указана", or empty with no figure
    QString measured;     // the figures as the document shows them: "23,4 ± 0,3 (22,1–24,0)"
    QString permissible;  // "20–25"
    QString norm;         // the norms used that set it: "[1]"
    QString compliance;   // against СанПиН 1.2.3685-21: "допустимое", "не соответствует: …"
    QString verdict;      // the factor's class by the methodology, or why it has none
};

// The rows of one height of one point of one workplace, under a title naming all three.
struct ProtocolResultGroup {
    QString title;  // "Рабочее место 1 «…», точка «…», высота 0,1 м"
    QString workplace;  // "1 «…»"
    QString point;      // "«…»", or its number where it has no name
    double metres = 0;
    int count = 0;  // readings judged
    QString times;  // each measurement's start and end: "12.03.2026 10:00–10:12; 10:20–10:31"
    std::vector<ProtocolResultRow> rows;
};

struct ProtocolWorkplaceClass {
    QString number;  // "1"
    QString name;
    QString category;  // "Iа (до 139 Вт)"
    QString conditionsClass;  // "2 (допустимый)", or why there is none
    QString decidedBy;  // "ТНС-индекс, точка «у окна», высота 1,5 м"
};

// A chart of one point: the ТНС-индекс and the air temperature of each of its heights.
struct ProtocolChartSeries {
    QString name;  // "ТНС-индекс, 0,1 м"
    bool ths = false;  // else the air temperature
    int height = 0;    // the height's index in the point, for its line style
    bool logger = false;  // from the logger (a download or a data file), else a live series
    std::vector<std::pair<qint64, double>> points;  // wall seconds, °C; in time order
};

struct ProtocolChart {
    QString title;  // "Рабочее место 1 «…», точка «…»"
    std::vector<ProtocolChartSeries> series;
};

struct ProtocolSignature {
    QString role;  // "Измерения провёл"
    QString name;
};

struct ProtocolContent {
    std::vector<QString> laboratory;  // its name, address and accreditation, above the title
    QString title;   // "Протокол измерений параметров микроклимата"
    QString number;  // "№ 15-М/2026", as every page names it
    std::vector<ProtocolField> header;
    std::vector<ProtocolField> instrument;
    std::vector<ProtocolField> conditions;
    // What makes the protocol doubtful: a lapsed verification, readings outside the
    // verification or the survey's days.
    std::vector<QString> warnings;
    std::vector<ProtocolResultGroup> results;
    std::vector<ProtocolWorkplaceClass> classes;
    std::vector<QString> conclusion;
    std::vector<QString> norms;  // "[1] СанПиН …", in the order the rows cite them
    std::vector<QString> statements;  // what the results stand for and how they may be copied
    std::vector<ProtocolSignature> signatures;
    std::vector<ProtocolChart> charts;
};

// The protocol of a whole survey. Numbers are in Russian form (a decimal comma), whatever the
// desktop's language: the protocol is a Russian document.
[[nodiscard]] ProtocolContent BuildProtocol(const Survey& survey);

// The column heads of the results table and of the classes table.
[[nodiscard]] const std::vector<QString>& ResultHeads();
[[nodiscard]] const std::vector<QString>& ClassHeads();

}  // namespace lmr
