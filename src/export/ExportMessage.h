#pragma once

#include <QString>
#include <functional>

namespace lmr {

// A message box the export asks the window to show; the export itself shows none.
struct ExportMessage {
    enum class Icon { Error, Warning };
    QString caption;
    QString text;
    Icon icon = Icon::Error;
};

using MessageSink = std::function<void(const ExportMessage&)>;

}  // namespace lmr
