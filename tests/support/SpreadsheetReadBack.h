#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <vector>

namespace lmr {

// A member of a written workbook (a zip), as unzip gives it; empty when it cannot.
inline QByteArray Unzip(const QString& file, const QString& member) {
    QProcess p;
    p.start("unzip", {"-p", file, member});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return p.readAllStandardOutput();
}

// A worksheet of the workbook as headless LibreOffice reads it, as rows of CSV fields. Sheet 1
// is read in the C locale (its numbers then print with a decimal point); another sheet
// (1-based; LibreOffice 7.2 and later) is read in the test's own locale.
inline std::vector<QStringList> ConvertToCsv(const QString& file, const QString& outDir,
                                             int sheet = 1) {
    QProcess p;
    if (sheet == 1) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C.UTF-8");
        p.setProcessEnvironment(env);
    }
    const QString profile = QDir(outDir).filePath("profile");
    QString filter = "csv:Text - txt - csv (StarCalc):44,34,76";
    if (sheet != 1) filter += QStringLiteral(",1,,0,false,true,false,false,false,%1").arg(sheet);
    p.start("soffice", {"-env:UserInstallation=" + QUrl::fromLocalFile(profile).toString(),
                        "--headless", "--convert-to", filter, "--outdir", outDir, file});
    if (!p.waitForFinished(300000)) return {};
    // With a sheet chosen LibreOffice names the file after the sheet as well.
    const QString base = QFileInfo(file).completeBaseName();
    QStringList found = QDir(outDir).entryList({base + "*.csv"}, QDir::Files, QDir::Name);
    if (found.isEmpty()) return {};
    QFile csv(QDir(outDir).filePath(found.first()));
    if (!csv.open(QIODevice::ReadOnly)) return {};
    // Fields are quoted where they hold a comma ("THC, *C"); no field holds a quote or a newline.
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts)) {
        QStringList fields{QString()};
        bool quoted = false;
        for (const QChar ch : line) {
            if (ch == '"') {
                quoted = !quoted;
            } else if (ch == ',' && !quoted) {
                fields << QString();
            } else {
                fields.back() += ch;
            }
        }
        rows.push_back(fields);
    }
    return rows;
}

}  // namespace lmr
