#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include "survey/SurveyFile.h"

namespace lmr {
namespace {

struct Ran {
    int code = -1;
    QString error;
};

// The real program, without a display and without a platform chosen.
Ran Lmr(const QStringList& args, const QString& locale = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    if (!locale.isEmpty()) env.insert("LC_ALL", locale);
    p.setProcessEnvironment(env);
    p.start(LMR_PROGRAM, args);
    if (!p.waitForFinished(120000)) return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString PdfText(const QString& pdf) {
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    if (!text.waitForFinished(60000)) return {};
    return QString::fromUtf8(text.readAllStandardOutput());
}

// A survey of one height with three readings of 22,5 °C; with the instrument's limits where
// given; header.protocolNumber as given.
void MakeSurvey(const QString& path, SurveyKind kind = SurveyKind::ProductionControl,
                std::optional<double> limit = std::nullopt, const QString& number = "5-М") {
    Outcome made;
    const std::unique_ptr<SurveyFile> file = SurveyFile::Create(path, &made);
    ASSERT_TRUE(file) << made.text.toStdString();
    SurveyHeader header;
    header.protocolNumber = number;
    header.kind = kind;
    ASSERT_TRUE(file->SetHeader(header));
    SurveyInstrument instrument;
    instrument.errorAir = instrument.errorGlobe = limit;
    instrument.errorRh = limit ? std::optional<double>(3) : std::nullopt;
    ASSERT_TRUE(file->SetInstrument(instrument));
    SurveyWorkplace place;
    place.name = "Склад";
    const Valued<qint64> w = file->AddWorkplace(place);
    ASSERT_TRUE(w);
    const Valued<qint64> p = file->AddPoint(*w, SurveyPoint{});
    ASSERT_TRUE(p);
    SurveyHeight height;
    height.metres = 1.0;
    const Valued<qint64> h = file->AddHeight(*p, height);
    ASSERT_TRUE(h);
    SurveyMeasurement m;
    for (int i = 0; i < 3; ++i) {
        m.readings.push_back(MakeReading(QDateTime(QDate(2026, 3, 12), QTime(9, i)), 45, 22.5f,
                                         23, ReadingOrigin::Live));
    }
    ASSERT_TRUE(file->AddMeasurement(*h, m));
}

TEST(ProtocolCommand, WritesASavedSurveyOfEitherKindAndRefusesWhatItCannotRead) {
    QTemporaryDir dir;
    const QString survey = dir.filePath("обследование.lmrs");
    MakeSurvey(survey, SurveyKind::ProductionControl, std::nullopt);
    const QString pdf = dir.filePath("p.pdf");
    const QString xlsx = dir.filePath("p.xlsx");
    // On a Russian desktop too, the workbook's numbers are numbers with a decimal point.
    const Ran good = Lmr({"--protocol", survey, "--pdf", pdf, "--xlsx", xlsx}, "ru_RU.UTF-8");
    EXPECT_EQ(good.code, 0) << good.error.toStdString();
    QProcess unzip;
    unzip.start("unzip", {"-p", xlsx, "xl/worksheets/sheet1.xml"});
    ASSERT_TRUE(unzip.waitForFinished(60000));
    const QByteArray sheet = unzip.readAllStandardOutput();
    EXPECT_TRUE(sheet.contains("<v>22.5</v>")) << sheet.toStdString();
    EXPECT_FALSE(sheet.contains("<v>22,5</v>"));
    const QString page = PdfText(pdf);
    EXPECT_TRUE(page.contains("Стр. 1 из")) << page.toStdString();
    for (const char* text : {"22,5 (22,5–22,5)", "производственный контроль", "оптимальное",
                             "соответствуют СанПиН 1.2.3685-21", "Неопределённость измерений не"}) {
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_TRUE(QFile::exists(xlsx));

    // The special assessment with the instrument's limits: classes, uncertainties, the rule.
    const QString assessed = dir.filePath("соут.lmrs");
    MakeSurvey(assessed, SurveyKind::SpecialAssessment, 0.2);
    const QString pdf2 = dir.filePath("s.pdf");
    EXPECT_EQ(Lmr({"--protocol", assessed, "--pdf", pdf2}).code, 0);
    const QString page2 = PdfText(pdf2);
    for (const char* text : {"22,5 ± 0,2", "специальная оценка условий труда",
                             "класс условий труда 1 (оптимальный)", "Правило принятия решения"}) {
        EXPECT_TRUE(page2.simplified().contains(QString::fromUtf8(text))) << text;
    }

    // The survey named as an output is refused before anything is written over it.
    const QByteArray before = Digest(survey);
    const Ran over = Lmr({"--protocol", survey, "--pdf", survey});
    EXPECT_EQ(over.code, 1);
    EXPECT_TRUE(over.error.contains("это файл самого обследования")) << over.error.toStdString();
    EXPECT_EQ(Digest(survey), before);

    const QString foreign = dir.filePath("чужой.lmrs");
    QFile f(foreign);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Время;RH, %\n");
    f.close();
    for (const QString& bad : {dir.filePath("нет.lmrs"), foreign}) {
        const Ran refused = Lmr({"--protocol", bad, "--pdf", dir.filePath("x.pdf")});
        EXPECT_EQ(refused.code, 1) << bad.toStdString();
        EXPECT_TRUE(refused.error.contains(QFileInfo(bad).fileName())) << refused.error.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
    }
    EXPECT_EQ(Lmr({"--protocol", survey}).code, 2);
    EXPECT_EQ(Lmr({"--protocol", survey, "--pdf"}).code, 2);
}

TEST(ProtocolCommand, OnlyReadsTheSurveyAndNeverWritesOverWhatIsNotANewProtocol) {
    QTemporaryDir dir;
    const QString survey = dir.filePath("s.lmrs");
    // A protocol number too long for a page header: cut, not refused.
    MakeSurvey(survey, SurveyKind::ProductionControl, std::nullopt, QString(300, QChar(u'№')));
    // Kept by another program in the rollback journal: read as it is, its header not switched.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "journal");
        db.setDatabaseName(survey);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("PRAGMA journal_mode = DELETE"));
    }
    QSqlDatabase::removeDatabase("journal");
    const QByteArray before = Digest(survey);
    const QString pdf = dir.filePath("o.pdf");
    const QString xlsx = dir.filePath("o.xlsx");
    const Ran good = Lmr({"--protocol", survey, "--pdf", pdf, "--xlsx", xlsx});
    EXPECT_EQ(good.code, 0) << good.error.toStdString();
    // No library's own lines.
    EXPECT_FALSE(good.error.contains("WARNING") || good.error.contains("ERROR"))
        << good.error.toStdString();
    EXPECT_EQ(Digest(survey), before);
    EXPECT_FALSE(QFile::exists(survey + "-wal"));
    EXPECT_FALSE(QFile::exists(survey + "-journal"));

    const QString fifo = dir.filePath("fifo.pdf");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString hard = dir.filePath("hard.xlsx");
    ASSERT_EQ(link(QFile::encodeName(survey).constData(), QFile::encodeName(hard).constData()), 0);
    ASSERT_TRUE(QFile::link(survey, dir.filePath("soft.pdf")));
    ASSERT_TRUE(QFile::link(dir.filePath("loop.pdf"), dir.filePath("loop.pdf")));
    const struct {
        QStringList outputs;
        int code;
        const char* says;
    } cases[] = {
        {{"--xlsx", hard}, 1, "это файл самого обследования"},
        {{"--pdf", dir.filePath("soft.pdf")}, 1, "это файл самого обследования"},
        {{"--pdf", fifo}, 1, "не обычный файл"},
        {{"--pdf", dir.path()}, 1, "это папка"},
        {{"--pdf", dir.filePath("loop.pdf")}, 1, "по кругу"},
        {{"--pdf", dir.filePath("x.pdf"), "--xlsx", dir.filePath("x.pdf")}, 2, "один файл"},
        {{"--pdf", dir.filePath("closed.xlsx")}, 2, ".xlsx"},
        {{"--xlsx", dir.filePath("closed.pdf")}, 2, ".pdf"},
        {{"--pdf", dir.filePath("v.pdf"), "--version"}, 2, "--version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.outputs.join(' ').toStdString());
        const Ran refused = Lmr(QStringList{"--protocol", survey} + c.outputs);
        EXPECT_EQ(refused.code, c.code);
        EXPECT_TRUE(refused.error.contains(QString::fromUtf8(c.says))) << refused.error.toStdString();
        EXPECT_EQ(Digest(survey), before);
    }
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    for (const char* never : {"x.pdf", "closed.xlsx", "closed.pdf", "v.pdf"}) {
        EXPECT_FALSE(QFile::exists(dir.filePath(never))) << never;
    }

    // Without a display: the usage, not an abort.
    const Ran bogus = Lmr({"--bogus"});
    EXPECT_EQ(bogus.code, 2);
    EXPECT_TRUE(bogus.error.contains("usage: lmr")) << bogus.error.toStdString();
}

}  // namespace
}  // namespace lmr
