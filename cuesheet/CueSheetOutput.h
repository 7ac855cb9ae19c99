#pragma once
// The two ways a cue sheet leaves the console: through the print dialog to a
// printer, and as a PDF file the operator names, written by the safe save.
// Both show a progress dialog that can cancel, and tell the operator which file
// or printer failed and why.

#include <string>

struct CCueSheet;
class CShowData;
class IOperator;
class QPrinter;
class QWidget;

// How the operator sets up the printer: Qt's print dialog, unless a test puts its
// own choice here. False for cancel.
using PrinterChoice = bool (*)(QPrinter& printer, QWidget* parent);
extern PrinterChoice g_choosePrinter;

// False when nothing was printed or written: cancelled, or failed (and reported).
bool PrintCueSheet(const CCueSheet& sheet, IOperator* person, QWidget* parent);
bool ExportCueSheetPdf(const CCueSheet& sheet, IOperator* person, QWidget* parent);

// The file the PDF export suggests: the cue list's name with ".pdf", in the program directory.
std::string SuggestedPdfPath(const CCueSheet& sheet);
