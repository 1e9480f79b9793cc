#pragma once

#include <QPagedPaintDevice>

#include "data/DataFile.h"
#include "protocol/ProtocolContent.h"

namespace lmr {

// The resolution the protocol is laid out at, dots per inch; a PDF is written at it and a
// printer is asked for it, and any other device gets the same pages scaled.
inline constexpr int kProtocolDpi = 720;

// The page the protocol is laid out for: A4 portrait, no printer margins (the layout keeps its
// own), so a PDF and a print come out alike.
void SetProtocolPage(QPagedPaintDevice& device);

// Lays the protocol out on the device's pages and paints them: header, tables, conclusion,
// signatures and a chart per point, with the protocol's number and "Стр. N из M" on every page.
// Asks progress (pages done, pages in all) before each page; its false stops the painting there.
// Returns the number of pages, or 0 when stopped.
int PaintProtocol(QPagedPaintDevice& device, const ProtocolContent& content,
                  const DataProgress& progress = {});

}  // namespace lmr
