#pragma once

#include <QString>
#include <functional>

namespace lmr {

// A message box a window is asked to show (the export's failure, a data file's); tests
// record them instead.
struct ExportMessage {
    enum class Icon { Error, Warning };
    QString caption;
    QString text;
    Icon icon = Icon::Error;
};

using MessageSink = std::function<void(const ExportMessage&)>;

}  // namespace lmr
