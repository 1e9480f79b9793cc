#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "survey/SurveyFile.h"

namespace lmr {
namespace {

struct Ran {
    int code = -1;
    QString error;
};

// The real program, without a display and without a platform chosen.
Ran Lmr(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
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

// A survey of one height with three readings of 22,5 °C; with the instrument's limits where given.
void MakeSurvey(const QString& path, SurveyKind kind, std::optional<double> limit) {
    SurveyFileResult made;
    const std::unique_ptr<SurveyFile> file = SurveyFile::Create(path, &made);
    ASSERT_TRUE(file) << made.error.toStdString();
    SurveyHeader header;
    header.protocolNumber = "5-М";
    header.kind = kind;
    ASSERT_TRUE(file->SetHeader(header));
    SurveyInstrument instrument;
    instrument.errorAir = instrument.errorGlobe = limit;
    instrument.errorRh = limit ? std::optional<double>(3) : std::nullopt;
    ASSERT_TRUE(file->SetInstrument(instrument));
    SurveyWorkplace place;
    place.name = "Склад";
    const std::optional<qint64> w = file->AddWorkplace(place);
    ASSERT_TRUE(w);
    const std::optional<qint64> p = file->AddPoint(*w, SurveyPoint{});
    ASSERT_TRUE(p);
    SurveyHeight height;
    height.metres = 1.0;
    const std::optional<qint64> h = file->AddHeight(*p, height);
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
    const Ran good = Lmr({"--protocol", survey, "--pdf", pdf, "--xlsx", xlsx});
    EXPECT_EQ(good.code, 0) << good.error.toStdString();
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

}  // namespace
}  // namespace lmr
