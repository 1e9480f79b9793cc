#include "survey/FileNames.h"

#include <QRegularExpression>
#include <QStringList>

namespace lmr {

namespace {

constexpr int kMostChars = 120;  // file systems take 255 bytes; Cyrillic takes two each

}  // namespace

QString ProposedFileName(const QString& what, const QString& organisation, const QDate& day) {
    QStringList parts;
    for (const QString& part :
         {what, organisation, day.isValid() ? day.toString(Qt::ISODate) : QString()}) {
        // Slashes, quotes and the characters other desktops refuse; a leading dot hides a file.
        static const QRegularExpression refused(QStringLiteral("[/\\\\:*?\"<>|«»\\x00-\\x1f]"));
        static const QRegularExpression leadingDots(QStringLiteral("^[.\\s]+"));
        const QString clean =
            QString(part).replace(refused, QStringLiteral(" ")).remove(leadingDots).simplified();
        if (!clean.isEmpty()) parts << clean;
    }
    return parts.join(QLatin1Char(' ')).left(kMostChars).trimmed();
}

}  // namespace lmr
