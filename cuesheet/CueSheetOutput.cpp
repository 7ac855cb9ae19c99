#include "cuesheet/CueSheetOutput.h"

#include "cuesheet/CueSheet.h"
#include "cuesheet/CueSheetPainter.h"
#include "document/AtomicFile.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace {

constexpr int kPdfDpi = 600;

bool AskPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Print Cue Sheet");
    return dialog.exec() == QDialog::Accepted;
}

// A long sheet shows how far it got and can be cancelled; the window keeps
// answering meanwhile. Clicks reach the windows only once the dialog stands
// over them, so nothing else starts while a sheet is drawn.
class CSheetProgress {
public:
    CSheetProgress(QWidget* parent, const char* what) : m_dialog(what, "Cancel", 0, 1, parent)
    {
        m_dialog.setWindowTitle("Cue Sheet");
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(300);
        m_dialog.setAutoReset(false);
        m_dialog.setAutoClose(false);
        m_dialog.setValue(0);
    }
    bool Step(int done, int pages)
    {
        m_dialog.setMaximum(pages);
        m_dialog.setValue(done);
        m_dialog.setLabelText(QStringLiteral("Page %1 of %2").arg(done).arg(pages));
        QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
        return !m_dialog.wasCanceled();
    }
    SheetProgress Callback()
    {
        return [this](int done, int pages) { return Step(done, pages); };
    }

private:
    QProgressDialog m_dialog;
};

// One sheet at a time: the progress dialog lets events through, a menu among them.
class CSheetGuard {
public:
    CSheetGuard() : m_first(!s_busy) { s_busy = true; }
    ~CSheetGuard()
    {
        if (m_first)
            s_busy = false;
    }
    bool First() const { return m_first; }

private:
    static inline bool s_busy = false;
    bool m_first;
};

void Report(IOperator* person, const std::string& what, const std::string& why)
{
    if (person != nullptr)
        person->Message(("The cue sheet could not be written to\n" + what + "\n" + why).c_str(), "ERROR");
}

// A name typed without an extension gets ".pdf".
std::string WithPdfExtension(std::string path)
{
    const size_t name = path.find_last_of('/') + 1;
    if (!path.empty() && name < path.size() && path.find('.', name) == std::string::npos)
        path += ".pdf";
    return path;
}

QPageSize LocalPaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QString DocumentName(const CCueSheet& sheet)
{
    return "Cue Sheet " + QString::fromLocal8Bit(BaseName(sheet.fileName).c_str());
}

}  // namespace

PrinterChoice g_choosePrinter = AskPrintDialog;

std::string SuggestedPdfPath(const CCueSheet& sheet)
{
    std::string name = BaseName(sheet.fileName);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    if (name.empty())
        name = "cuesheet";
    const std::string path = ProgramPath((name + ".pdf").c_str());
    return path.empty() ? name + ".pdf" : path;
}

bool PrintCueSheet(const CCueSheet& sheet, IOperator* person, QWidget* parent)
{
    CSheetGuard guard;
    if (!guard.First())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(DocumentName(sheet));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!g_choosePrinter(printer, parent))
        return false;
    CSheetProgress progress(parent, "Printing the cue sheet...");
    const SheetResult result = PaintCueSheet(sheet, printer, progress.Callback());
    if (result == SheetResult::kCancelled) {
        printer.abort();
        return false;
    }
    if (result == SheetResult::kNoDevice) {
        const QString name = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        Report(person, "the printer " + name.toLocal8Bit().toStdString(), "The printer could not be started.");
        return false;
    }
    return true;
}

bool ExportCueSheetPdf(const CCueSheet& sheet, IOperator* person, QWidget* parent)
{
    CSheetGuard guard;
    std::string path;
    if (!guard.First() || person == nullptr ||
        !person->ChooseExportFile("Export Cue Sheet as PDF", SuggestedPdfPath(sheet), "PDF files (*.pdf)", "pdf",
                                  path) ||
        path.empty())
        return false;
    path = WithPdfExtension(path);

    // Written beside the target and renamed over it only when whole: a cancel or a
    // failure leaves no file behind, and an older sheet of that name as it was.
    CAtomicFile out(path);
    if (out.Stream() == nullptr) {
        Report(person, path, out.Error());
        return false;
    }
    QFile file;
    if (!file.open(out.Stream(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        Report(person, path, file.errorString().toLocal8Bit().toStdString());
        return false;
    }
    SheetResult result;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfDpi);
        writer.setTitle(DocumentName(sheet));
        writer.setCreator("Glimmerbox");
        writer.setPageSize(LocalPaper());
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        CSheetProgress progress(parent, "Writing the cue sheet...");
        result = PaintCueSheet(sheet, writer, progress.Callback());
    }
    const bool written = file.error() == QFileDevice::NoError;
    const std::string why = file.errorString().toLocal8Bit().toStdString();
    file.close();
    if (result == SheetResult::kCancelled)
        return false;
    if (result == SheetResult::kNoDevice || !written) {
        Report(person, path, written ? "The PDF could not be started." : why);
        return false;
    }
    if (!out.Commit()) {
        Report(person, out.Target(), out.Error());
        return false;
    }
    return true;
}
