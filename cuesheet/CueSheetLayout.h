#pragma once
// Where everything on a cue sheet page goes, in the pixels of the device it is
// drawn on, worked out from the page's printable size and the fonts' metrics so
// that A4, Letter and either orientation all fit.

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

class QPaintDevice;

struct CSheetColumn {
    QString title[2];  // two heading lines, the second may be empty
    int x, width;      // in device pixels, the gap to the next column excluded
    bool alignLeft;    // text columns; numbers are right-aligned
};

// The columns, in the order each row prints them.
enum SheetColumn {
    kColNumber, kColName, kColFade, kColActive, kColChase, kColSpeed, kColRuns, kColDirection,
    kColFirstLevel,  // fourteen level columns, in the console's channel order
    kColPicture = kColFirstLevel + 14,
    kColumnCount
};

class CCueSheetLayout {
public:
    // `page` is the printable area in the device's pixels, its top-left at (0, 0).
    CCueSheetLayout(const QPaintDevice& device, QSize page);

    int Mm(double mm) const;
    int RowsOnPage(int page) const;  // page 0 carries the longer header
    int PageCount(int rows) const;   // at least 1, even for an empty list
    int FirstRowOf(int page) const;
    // Top of the table heading on `page`, and of row `i` of that page.
    int TableTop(int page) const;
    int RowTop(int page, int i) const;

    QSize page;
    QFont titleFont, textFont, boldFont;
    int titleHeight;    // the first header line, on every page
    int extraHeader;    // lines only the first page has
    int lineHeight;     // of the table's text
    int headingHeight;  // two heading lines
    int rowHeight;
    int footerHeight;
    int gap;            // between columns
    QRect pictureBox;   // the row's picture, relative to the row's top-left
    std::vector<CSheetColumn> columns;

private:
    bool Place(const QPaintDevice& device, double points, double gapMm);
    int m_dpi;
};
