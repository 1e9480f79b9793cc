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

TEST(ProtocolCommand, WritesASavedSurveyAndRefusesWhatItCannotRead) {
    QTemporaryDir dir;
    const QString survey = dir.filePath("обследование.lmrs");
    {
        SurveyFileResult made;
        const std::unique_ptr<SurveyFile> file = SurveyFile::Create(survey, &made);
        ASSERT_TRUE(file) << made.error.toStdString();
        SurveyHeader header;
        header.protocolNumber = "5-М";
        ASSERT_TRUE(file->SetHeader(header));
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
            m.readings.push_back(MakeReading(QDateTime(QDate(2026, 3, 12), QTime(9, i)), 45,
                                             22.5f, 23, ReadingOrigin::Live));
        }
        ASSERT_TRUE(file->AddMeasurement(*h, m));
    }
    const QString pdf = dir.filePath("p.pdf");
    const QString xlsx = dir.filePath("p.xlsx");
    const Ran good = Lmr({"--protocol", survey, "--pdf", pdf, "--xlsx", xlsx});
    EXPECT_EQ(good.code, 0) << good.error.toStdString();
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(page.contains("Стр. 1 из")) << page.toStdString();
    EXPECT_TRUE(page.contains("22,5 (22,5–22,5)")) << page.toStdString();
    EXPECT_TRUE(QFile::exists(xlsx));

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
