#include "survey/SurveySchema.h"

namespace lmr {

namespace {

template <typename E>
struct Code {
    E value;
    const char* text;
};

constexpr Code<WorkCategory> kCategories[] = {{WorkCategory::Ia, "Ia"},
                                              {WorkCategory::Ib, "Ib"},
                                              {WorkCategory::IIa, "IIa"},
                                              {WorkCategory::IIb, "IIb"},
                                              {WorkCategory::III, "III"}};
constexpr Code<Posture> kPostures[] = {{Posture::Sitting, "sitting"},
                                       {Posture::Standing, "standing"}};
constexpr Code<Season> kSeasons[] = {{Season::Cold, "cold"}, {Season::Warm, "warm"}};
constexpr Code<SurveyKind> kKinds[] = {{SurveyKind::ProductionControl, "control"},
                                       {SurveyKind::SpecialAssessment, "sout"}};
constexpr Code<IrradiatedShare> kShares[] = {{IrradiatedShare::AtLeastHalf, "half"},
                                             {IrradiatedShare::QuarterToHalf, "quarter"},
                                             {IrradiatedShare::AtMostQuarter, "less"},
                                             {IrradiatedShare::OpenSource, "open"}};
constexpr Code<ReadingOrigin> kOrigins[] = {{ReadingOrigin::Live, "live"},
                                            {ReadingOrigin::Download, "download"},
                                            {ReadingOrigin::DataFile, "datafile"}};

template <typename E, std::size_t N>
const char* TextOf(const Code<E> (&codes)[N], E value) {
    for (const Code<E>& c : codes) {
        if (c.value == value) return c.text;
    }
    return codes[0].text;
}

template <typename E, std::size_t N>
std::optional<E> ValueOf(const Code<E> (&codes)[N], QStringView text) {
    for (const Code<E>& c : codes) {
        if (text == QLatin1String(c.text)) return c.value;
    }
    return std::nullopt;
}

}  // namespace

const std::vector<std::vector<const char*>>& SurveySchemaSteps() {
    // The CHECKs repeat the code tables above, so that another program writing into the file
    // cannot put a value there that this one does not read back. Readings keep their order of
    // arrival by id; dates are local "yyyy-MM-dd", times local "yyyy-MM-ddTHH:mm:ss". A new
    // file is made by every step in turn, so it is the same as an old one brought up to date.
    static const std::vector<std::vector<const char*>> steps = {{
        "CREATE TABLE survey ("
        " id INTEGER PRIMARY KEY CHECK (id = 1),"
        " organisation TEXT NOT NULL DEFAULT '',"
        " address TEXT NOT NULL DEFAULT '',"
        " customer TEXT NOT NULL DEFAULT '',"
        " purpose TEXT NOT NULL DEFAULT '',"
        " protocol_number TEXT NOT NULL DEFAULT '',"
        " protocol_date TEXT,"
        " first_date TEXT,"
        " last_date TEXT,"
        " operators TEXT NOT NULL DEFAULT '',"
        " season TEXT NOT NULL DEFAULT 'cold' CHECK (season IN ('cold', 'warm')),"
        " outdoor_temperature REAL)",
        "CREATE TABLE instrument ("
        " id INTEGER PRIMARY KEY CHECK (id = 1),"
        " model TEXT NOT NULL DEFAULT '',"
        " head TEXT NOT NULL DEFAULT '',"
        " serial_number TEXT NOT NULL DEFAULT '',"
        " certificate_number TEXT NOT NULL DEFAULT '',"
        " certificate_date TEXT,"
        " valid_until TEXT)",
        "CREATE TABLE workplace ("
        " id INTEGER PRIMARY KEY,"
        " sort_order INTEGER NOT NULL,"
        " name TEXT NOT NULL,"
        " category TEXT NOT NULL CHECK (category IN ('Ia', 'Ib', 'IIa', 'IIb', 'III')),"
        " posture TEXT NOT NULL CHECK (posture IN ('sitting', 'standing')),"
        " shift_hours REAL NOT NULL)",
        "CREATE TABLE point ("
        " id INTEGER PRIMARY KEY,"
        " workplace_id INTEGER NOT NULL REFERENCES workplace(id) ON DELETE CASCADE,"
        " sort_order INTEGER NOT NULL,"
        " name TEXT NOT NULL)",
        "CREATE INDEX point_of_workplace ON point(workplace_id)",
        "CREATE TABLE height ("
        " id INTEGER PRIMARY KEY,"
        " point_id INTEGER NOT NULL REFERENCES point(id) ON DELETE CASCADE,"
        " sort_order INTEGER NOT NULL,"
        " metres REAL NOT NULL,"
        " air_speed REAL)",
        "CREATE INDEX height_of_point ON height(point_id)",
        "CREATE TABLE measurement ("
        " id INTEGER PRIMARY KEY,"
        " height_id INTEGER NOT NULL REFERENCES height(id) ON DELETE CASCADE,"
        " origin TEXT NOT NULL CHECK (origin IN ('live', 'download', 'datafile')),"
        " source TEXT NOT NULL DEFAULT '')",
        "CREATE INDEX measurement_of_height ON measurement(height_id)",
        "CREATE TABLE reading ("
        " id INTEGER PRIMARY KEY,"
        " measurement_id INTEGER NOT NULL REFERENCES measurement(id) ON DELETE CASCADE,"
        " time TEXT,"
        " rh REAL NOT NULL,"
        " tv REAL NOT NULL,"
        " tsf REAL NOT NULL,"
        " tvt REAL,"
        " ttr REAL,"
        " ths REAL,"
        " wbgt REAL,"
        " tg REAL,"
        " trad REAL,"
        " w REAL,"
        " origin TEXT NOT NULL CHECK (origin IN ('live', 'download', 'datafile')),"
        " model INTEGER NOT NULL CHECK (model BETWEEN 0 AND 255),"
        " head INTEGER NOT NULL CHECK (head BETWEEN 0 AND 255))",
        "CREATE INDEX reading_of_measurement ON reading(measurement_id)",
        "INSERT INTO survey (id) VALUES (1)",
        "INSERT INTO instrument (id) VALUES (1)",
    }, {
        // 2: the laboratory, the survey's kind and method, the instrument whole with its
        // limits of error, the irradiated share of a height, a live series still recording.
        "CREATE TABLE laboratory ("
        " id INTEGER PRIMARY KEY CHECK (id = 1),"
        " name TEXT NOT NULL DEFAULT '',"
        " address TEXT NOT NULL DEFAULT '',"
        " accreditation TEXT NOT NULL DEFAULT '',"
        " head TEXT NOT NULL DEFAULT '',"
        " compiler TEXT NOT NULL DEFAULT '')",
        "INSERT INTO laboratory (id) VALUES (1)",
        "ALTER TABLE survey ADD COLUMN kind TEXT NOT NULL DEFAULT 'control'"
        " CHECK (kind IN ('control', 'sout'))",
        "ALTER TABLE survey ADD COLUMN method TEXT NOT NULL DEFAULT ''",
        "ALTER TABLE instrument ADD COLUMN type_name TEXT NOT NULL DEFAULT ''",
        "ALTER TABLE instrument ADD COLUMN register_number TEXT NOT NULL DEFAULT ''",
        "ALTER TABLE instrument ADD COLUMN ranges TEXT NOT NULL DEFAULT ''",
        "ALTER TABLE instrument ADD COLUMN error_air REAL",
        "ALTER TABLE instrument ADD COLUMN error_rh REAL",
        "ALTER TABLE instrument ADD COLUMN error_globe REAL",
        "ALTER TABLE instrument ADD COLUMN error_air_speed REAL",
        "ALTER TABLE instrument ADD COLUMN error_air_speed_percent REAL",
        "ALTER TABLE height ADD COLUMN irradiated_share TEXT NOT NULL DEFAULT 'half'"
        " CHECK (irradiated_share IN ('half', 'quarter', 'less', 'open'))",
        "ALTER TABLE measurement ADD COLUMN recording INTEGER NOT NULL DEFAULT 0"
        " CHECK (recording IN (0, 1))",
    }};
    return steps;
}

const char* CategoryCode(WorkCategory category) {
    return TextOf(kCategories, category);
}
const char* PostureCode(Posture posture) {
    return TextOf(kPostures, posture);
}
const char* SeasonCode(Season season) {
    return TextOf(kSeasons, season);
}
const char* KindCode(SurveyKind kind) {
    return TextOf(kKinds, kind);
}
const char* IrradiatedShareCode(IrradiatedShare share) {
    return TextOf(kShares, share);
}
std::optional<SurveyKind> KindOfCode(QStringView code) {
    return ValueOf(kKinds, code);
}
std::optional<IrradiatedShare> IrradiatedShareOfCode(QStringView code) {
    return ValueOf(kShares, code);
}
const char* OriginCode(ReadingOrigin origin) {
    return TextOf(kOrigins, origin);
}
std::optional<WorkCategory> CategoryOfCode(QStringView code) {
    return ValueOf(kCategories, code);
}
std::optional<Posture> PostureOfCode(QStringView code) {
    return ValueOf(kPostures, code);
}
std::optional<Season> SeasonOfCode(QStringView code) {
    return ValueOf(kSeasons, code);
}
std::optional<ReadingOrigin> OriginOfCode(QStringView code) {
    return ValueOf(kOrigins, code);
}

}  // namespace lmr
