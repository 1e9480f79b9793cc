#include "app/DisplayFonts.h"

#include <QFile>
#include <QFontDatabase>

#include "app/Resources.h"

namespace lmr {

bool FontListHasFace(const QString& installed, const QString& face) {
    return installed.contains(face);
}

bool RegisterFontFromResource(const DisplayFont& font) {
    InitResources();
    QFile file(QString::fromLatin1(font.resource));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // Registered for this process only; nothing is written to disk.
    return QFontDatabase::addApplicationFontFromData(file.readAll()) >= 0;
}

QString InstallDisplayFonts(const QString& installed, const FontRegistrar& registrar) {
    bool readoutThere = FontListHasFace(installed, QString::fromLatin1(kReadoutFont.face));
    if (!FontListHasFace(installed, QString::fromLatin1(kDrawingFont.face))) {
        (void)registrar(kDrawingFont);
    }
    if (!readoutThere) {
        readoutThere = registrar(kReadoutFont);
    }
    return QString::fromLatin1(readoutThere ? kReadoutFont.face : kReadoutFallbackFace);
}

QString InstalledFontList() { return QFontDatabase::families().join(QLatin1Char('\n')); }

}  // namespace lmr
