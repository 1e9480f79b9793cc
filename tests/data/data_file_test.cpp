#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "data/DataFile.h"
#include "measure/HeatStress.h"

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace lmr::test {
namespace {

const QByteArray kHeader = DataHeaderLine();

QString Write(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("data.csv"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    return path;
}

TEST(DataFile, RowsComeBackAsWrittenWithTheRecordsTheyCameFrom) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logger/2009-04-07.csv"));
    LoggerRecord a;
    a.rh = 45.0f;
    a.tv = 22.1f;
    a.tsf = 19.3f;  // below tв: the file keeps it as read
    a.minute = 5;
    a.hour = 14;
    a.date13 = 7;
    a.date12 = 4;
    a.date11 = 9;
    LoggerRecord b = a;
    b.rh = 0;  // no dew point: its field stays empty
    b.tv = 6553.5f;
    b.hour = 23;
    b.minute = 59;
    DataFileWriter w;
    ASSERT_TRUE(w.Open(path)) << w.Error().toStdString();
    ASSERT_TRUE(w.Append(DataRowOf(a)));
    ASSERT_TRUE(w.Append(DataRowOf(b)));

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "\xEF\xBB\xBF" + kHeader.chopped(1));
    const HeatStress hs = DeriveHeatStress(45.0f, 22.1f, 19.3f);
    EXPECT_EQ(lines[1], QStringLiteral("2009-04-07T14:05:00;45.0;22.1;19.3;%1;%2;%3;%4;%5;%6\r")
                            .arg(hs.ths, 0, 'f', 1)
                            .arg(hs.wbgt, 0, 'f', 1)
                            .arg(hs.tvt, 0, 'f', 1)
                            .arg(*hs.ttr, 0, 'f', 1)
                            .arg(hs.trad, 0, 'f', 1)
                            .arg(hs.w, 0, 'f', 1)
                            .toUtf8());
    EXPECT_EQ(lines[2].split(';')[7], "");

    const DataFileContents back = ReadDataFile(path);
    ASSERT_TRUE(back.error.isEmpty()) << back.error.toStdString();
    ASSERT_EQ(back.rows.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const LoggerRecord want = i == 0 ? a : b;
        const LoggerRecord got = LoggerRecordOf(back.rows[i]);
        EXPECT_EQ(got.rh, want.rh);
        EXPECT_EQ(got.tv, want.tv);
        EXPECT_EQ(got.tsf, want.tsf);
        EXPECT_EQ(LoggerTimeText(got), LoggerTimeText(want));
    }
}

TEST(DataFile, AFileNotOursCutOffOrWithABadFieldLoadsNothingAndNamesTheLine) {
    const QByteArray good = "2009-04-07T14:05:00;45.0;22.1;19.3;1.0;1.0;1.0;1.0;1.0;1.0\r\n";
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* says;
    };
    const Case cases[] = {
        {"another table", "a;b;c\r\n" + good, "не является файлом данных ЛМР: строка 1"},
        {"nothing", "", "строка 1"},
        {"header only", kHeader, "не содержит записей"},
        {"a stopped download's comment only",
         kHeader + QString::fromUtf8("# Загрузка прервана, записей в файле: 0\r\n").toUtf8(),
         "не содержит записей"},
        {"cut in a line", kHeader + good + good.left(20), "оборван в строке 3"},
        {"a field short", kHeader + good + QByteArray(good).replace(";1.0\r", "\r"),
         "строка 3: ожидалось 10"},
        {"decimal comma", kHeader + QByteArray(good).replace("45.0", "45,0"),
         "строка 2: в столбце «RH, %» не число: «45,0»"},
        {"not a number", kHeader + good + QByteArray(good).replace("22.1", "inf"),
         "строка 3: в столбце «tв, °C» не число"},
        {"empty measurement", kHeader + QByteArray(good).replace(";19.3;", ";;"),
         "в столбце «tсф, °C» не число"},
        {"bad time", kHeader + QByteArray(good).replace("T14:05", " 14:05"),
         "строка 2: время «2009-04-07 14:05:00»"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataFileContents r = ReadDataFile(Write(dir, c.bytes));
        EXPECT_TRUE(r.rows.empty());
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.says))) << r.error.toStdString();
    }
}

}  // namespace
}  // namespace lmr::test
