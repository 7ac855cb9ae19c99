#include "cuesheet/CueSheetMenu.h"

#include "cuesheet/CueSheet.h"
#include "cuesheet/CueSheetOutput.h"
#include "document/ShowData.h"

#include <QAction>
#include <QMenu>

void AddCueSheetEntries(QMenu* menu, QWidget* owner, CShowData& show, std::function<void(CCueSheet&)> take)
{
    auto run = [owner, &show, take](bool pdf) {
        CCueSheet sheet;
        take(sheet);
        if (pdf)
            ExportCueSheetPdf(sheet, show.m_operator, owner);
        else
            PrintCueSheet(sheet, show.m_operator, owner);
    };
    menu->addSeparator();
    QAction* print = menu->addAction("&Print Cue Sheet...", owner, [run] { run(false); });
    print->setObjectName(kPrintSheetId);
    print->setStatusTip("Print every cue of the list with its levels and a picture of the tree.");
    QAction* pdf = menu->addAction("E&xport Cue Sheet as PDF...", owner, [run] { run(true); });
    pdf->setObjectName(kExportSheetId);
    pdf->setStatusTip("Write the cue sheet to a PDF file.");
}
