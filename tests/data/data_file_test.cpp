#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/Reading.h"
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
    b.rh = 0;        // no dew point: its field stays empty
    b.tv = 6553.5f;  // the word 65535: no measurement, and the file says so
    b.hour = 23;
    b.minute = 59;
    DataFileWriter w;
    const Outcome opened = w.Open(path);
    ASSERT_TRUE(opened) << opened.text.toStdString();
    ASSERT_TRUE(w.Append(DataRowOf(a)));
    ASSERT_TRUE(w.Append(DataRowOf(b)));

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "\xEF\xBB\xBF" + kHeader.chopped(1));
    const HeatStress hs = DeriveHeatStress(45.0f, 22.1f, 19.3f);
    EXPECT_EQ(lines[1], QStringLiteral("2009-04-07T14:05:00;45.0;22.1;19.3;%1;%2;%3;%4;%5;%6;\r")
                            .arg(hs.ths, 0, 'f', 1)
                            .arg(hs.wbgt, 0, 'f', 1)
                            .arg(hs.tvt, 0, 'f', 1)
                            .arg(*hs.ttr, 0, 'f', 1)
                            .arg(hs.trad, 0, 'f', 1)
                            .arg(hs.w, 0, 'f', 1)
                            .toUtf8());
    EXPECT_EQ(lines[2].split(';')[7], "");
    EXPECT_TRUE(lines[2].endsWith(";недостоверная запись\r")) << lines[2].data();

    const Valued<DataFileContents> back = ReadDataFile(path);
    ASSERT_TRUE(back) << back.outcome.text.toStdString();
    ASSERT_EQ(back->rows.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const LoggerRecord want = i == 0 ? a : b;
        const LoggerRecord got = LoggerRecordOf(back->rows[i]);
        EXPECT_EQ(got.rh, want.rh);
        EXPECT_EQ(got.tv, want.tv);
        EXPECT_EQ(got.tsf, want.tsf);
        EXPECT_EQ(LoggerTimeText(got), LoggerTimeText(want));
    }
}

TEST(DataFile, AFileNotOursCutOffOrWithABadFieldLoadsNothingAndNamesTheLine) {
    const QByteArray good = "2009-04-07T14:05:00;45.0;22.1;19.3;1.0;1.0;1.0;1.0;1.0;1.0;\r\n";
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
        {"cut in its only record", kHeader + good.left(20), "оборван в строке 2"},
        {"cut in the header", kHeader.left(20), "строка 1"},
        {"a field short", kHeader + good + QByteArray(good).replace(";\r", "\r"),
         "строка 3: ожидалось 11"},
        {"the older header, a line of today's",
         kHeader.left(kHeader.lastIndexOf(';')) + "\r\n" + good, "строка 2: ожидалось 10"},
        {"decimal comma", kHeader + QByteArray(good).replace("45.0", "45,0"),
         "строка 2: в столбце «RH, %» число с десятичной запятой: «45,0»"},
        {"Windows-1251", QByteArray(kHeader).replace("Время", "\xC2\xF0\xE5\xEC\xFF") + good,
         "не в кодировке UTF-8"},
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
        const Valued<DataFileContents> r = ReadDataFile(Write(dir, c.bytes));
        EXPECT_FALSE(r);
        EXPECT_TRUE(r.outcome.text.contains(QString::fromUtf8(c.says)))
            << r.outcome.text.toStdString();
    }

    // Neither a FIFO nor a device nor a folder is read: each would block or never end.
    const QString fifo = dir.filePath(QStringLiteral("fifo.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), dir.path()}) {
        SCOPED_TRACE(path.toStdString());
        const Valued<DataFileContents> r = ReadDataFile(path);
        EXPECT_FALSE(r);
        EXPECT_TRUE(r.outcome.text.contains(QString::fromUtf8("не обычный файл")))
            << r.outcome.text.toStdString();
    }
    const QString notWritten = WriteDataFile(fifo, {DataRow{}}).text;
    EXPECT_TRUE(notWritten.contains(QString::fromUtf8("не обычный файл")))
        << notWritten.toStdString();
    // The system's reason in Russian.
    const QString missing = ReadDataFile(dir.filePath(QStringLiteral("none.csv"))).outcome.text;
    EXPECT_TRUE(missing.endsWith(QString::fromUtf8(": нет такого файла или папки")))
        << missing.toStdString();
}

TEST(DataFile, AFileCutOffInItsLastLineGivesTheWholeLinesBeforeAndSaysSo) {
    const QByteArray good = "2009-04-07T14:05:00;45.0;22.1;19.3;1.0;1.0;1.0;1.0;1.0;1.0;\r\n";
    QTemporaryDir dir;
    const Valued<DataFileContents> cut =
        ReadDataFile(Write(dir, kHeader + good + good + good.left(20)));
    ASSERT_TRUE(cut) << cut.outcome.text.toStdString();
    EXPECT_EQ(cut->rows.size(), 2u);
    EXPECT_TRUE(cut->notice.contains(QString::fromUtf8("оборван: неполная строка 4 пропущена")))
        << cut->notice.toStdString();
    // A spreadsheet may end the last line without its line end: nothing is missing.
    const Valued<DataFileContents> unended =
        ReadDataFile(Write(dir, kHeader + good + good.chopped(2)));
    ASSERT_TRUE(unended) << unended.outcome.text.toStdString();
    EXPECT_EQ(unended->rows.size(), 2u);
    EXPECT_TRUE(unended->notice.isEmpty()) << unended->notice.toStdString();
}

// A disk with no space left: a small file system of its own (root may mount one).
TEST(DataFile, AFullDiskIsSaidToBeFull) {
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    if (QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=8k"), QStringLiteral("tmpfs"), disk}) != 0) {
        GTEST_SKIP() << "no file system can be mounted here";
    }
    std::vector<DataRow> rows(2000);
    const QString saved = WriteDataFile(disk + QStringLiteral("/saved.csv"), rows).text;
    DataFileWriter w;
    Outcome written = w.Open(disk + QStringLiteral("/download.csv"));
    for (auto row = rows.begin(); written && row != rows.end(); ++row) written = w.Append(*row);
    const QString downloaded = written.text;
    QProcess::execute(QStringLiteral("umount"), {disk});
    EXPECT_TRUE(saved.endsWith(QString::fromUtf8(": на диске нет места"))) << saved.toStdString();
    EXPECT_TRUE(downloaded.endsWith(QString::fromUtf8(": на диске нет места")))
        << downloaded.toStdString();
}

TEST(DataFile, AFileWrittenBeforeTheNoteColumnOpensWithItsImpossibleTimesAsTheyWere) {
    QTemporaryDir dir;
    const QByteArray older = kHeader.left(kHeader.lastIndexOf(';')) + "\r\n" +
                             "2009-04-07T25:05:00;45.0;22.1;19.3;1.0;1.0;1.0;1.0;1.0;1.0\r\n";
    const Valued<DataFileContents> r = ReadDataFile(Write(dir, "\xEF\xBB\xBF" + older));
    ASSERT_TRUE(r) << r.outcome.text.toStdString();
    ASSERT_EQ(r->rows.size(), 1u);
    EXPECT_EQ(LoggerTimeText(LoggerRecordOf(r->rows[0])), "25:5 7.4.9");
    EXPECT_FALSE(LoggerRecordValid(LoggerRecordOf(r->rows[0])));
}

}  // namespace
}  // namespace lmr::test
