#include <gtest/gtest.h>

#include <QApplication>

#include "measure/FileNumbers.h"

// Widget tests drive real windows on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    lmr::KeepFileNumbersInCLocale();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
