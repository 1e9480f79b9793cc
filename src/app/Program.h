#pragma once

#include <QWidget>
#include <memory>

#include "app/TFMain.h"

namespace lmr {

// The process-wide objects of a running program, made in their order: the
// main window first, then the statistics, options, splash and help windows,
// all hidden but the main window. Tests make one per test.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    [[nodiscard]] TFMain& FMain() const { return *fmain_; }
    [[nodiscard]] QWidget& FStat() const { return *fstat_; }
    [[nodiscard]] QWidget& FOptions() const { return *foptions_; }
    [[nodiscard]] QWidget& FLogo() const { return *flogo_; }
    [[nodiscard]] QWidget& FHelp() const { return *fhelp_; }

    // Stops whatever still runs (the search) before the windows go.
    void Shutdown();

private:
    std::unique_ptr<TFMain> fmain_;
    std::unique_ptr<QWidget> fstat_;
    std::unique_ptr<QWidget> foptions_;
    std::unique_ptr<QWidget> flogo_;
    std::unique_ptr<QWidget> fhelp_;
};

}  // namespace lmr
