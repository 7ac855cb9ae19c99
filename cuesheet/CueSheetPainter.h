#pragma once
// Draws a cue sheet on a printer or a PDF writer, page after page, with the
// console's own tree picture beside each cue.

#include <functional>

struct CCueSheet;
class QPagedPaintDevice;

enum class SheetResult { kDone, kCancelled, kNoDevice };

// Asked after each page with the pages done and the pages in all; false stops the sheet.
using SheetProgress = std::function<bool(int done, int pages)>;

// The pages the sheet takes on `device` as it is set up now.
int CueSheetPages(const CCueSheet& sheet, QPagedPaintDevice& device);
// kNoDevice when painting could not begin on the device (a printer that is gone).
SheetResult PaintCueSheet(const CCueSheet& sheet, QPagedPaintDevice& device, const SheetProgress& progress = {});
