#pragma once

#include <QString>
#include <array>

namespace lmr {

// The protocol's texts and the export's messages, in one place.

inline constexpr int kProtocolColumns = 10;  // A ... J carry text; K only widths, fill, borders

[[nodiscard]] QString ProtocolTitle();
// Header of sheet column c (1 ... 10).
[[nodiscard]] QString ProtocolHeader(int column);

// The caption of every failure message.
[[nodiscard]] QString ErrorCaption();

// Status text naming the file a protocol went to.
[[nodiscard]] QString ProtocolSavedText(const QString& path);
// The warning when no program on the desktop opens the written file.
[[nodiscard]] QString NotOpenedCaption();
[[nodiscard]] QString NotOpenedText(const QString& path);

// The workbook file could not be written; reason: the writer's own text.
[[nodiscard]] QString WriteFailedText(const QString& path, const QString& reason);
// The folder the protocols go to cannot be made or written; error: the errno of the failure.
[[nodiscard]] QString NoDocumentsFolderText(const QString& dir, int error);

}  // namespace lmr
