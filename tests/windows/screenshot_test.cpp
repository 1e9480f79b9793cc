#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QPixmap>

#include "Child.h"
#include "app/FormHelp.h"
#include "app/FormLogo.h"
#include "windows/FormOptions.h"
#include "windows/FormStat.h"
#include "windows/StatisticsSource.h"

using lmr::test::Child;

namespace lmr {
namespace {

// Grabs a window as the offscreen platform draws it; with LMR_SCREENSHOT_DIR set the
// picture is kept there for a look by eye.
void Grab(QWidget& w, const char* name) {
    w.show();
    const QPixmap shot = w.grab();
    EXPECT_EQ(shot.size(), w.size()) << name;
    const QString dir = qEnvironmentVariable("LMR_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(shot.save(QDir(dir).filePath(QString(name) + ".png"))) << name;
    }
}

class Readings : public StatisticsSource {
public:
    std::vector<double> Values(int) const override {
        return {21.3, 22.0, 22.4, 23.9, 24.1, 19.8, 18.2, 25.5, 26.0, 22.2, 4.9, 49.9};
    }
};

TEST(Screenshot, StatisticsWindowWithReadings) {
    Readings src;
    TFStat w;
    w.SetSource(&src);
    Child<QComboBox>(w, "ComboBoxStat").setCurrentIndex(0);
    Grab(w, "stat");
}

TEST(Screenshot, StatisticsWindowAtFirstShow) {
    TFStat w;
    Grab(w, "stat-empty");
}

TEST(Screenshot, OptionsWindow) {
    TFOptions w;
    Grab(w, "options");
}

TEST(Screenshot, LogoAndHelpWindows) {
    TFLogo logo;
    Grab(logo, "logo");
    TFHelp help;
    Grab(help, "help");
}

}  // namespace
}  // namespace lmr
