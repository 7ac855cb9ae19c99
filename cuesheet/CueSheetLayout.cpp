#include "cuesheet/CueSheetLayout.h"

#include "document/ShowData.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <algorithm>

namespace {

struct Heading {
    const char* first;
    const char* second;
    const char* widest[2];  // the widest values the column prints
    bool left;
};

const Heading kHeadings[kColumnCount - 1] = {
    {"Cue", "", {"7499", ""}, false},        {"Name", "", {"", ""}, true},
    {"Fade", "s", {"999.9", "-99.9"}, false},     {"Active", "s", {"endless", "999.9"}, false},
    {"Chase", "", {"", ""}, true},           {"Speed", "", {"999", ""}, false},
    {"Runs", "", {"endless", ""}, false},    {"Dir", "", {"forward", "reverse"}, true},
    {"Star", "", {"100", ""}, false},        {"Cross", "", {"100", ""}, false},
    {"Aux", "1", {"100", ""}, false},        {"Aux", "2", {"100", ""}, false},
    {"Aux", "3", {"100", ""}, false},        {"Aux", "4", {"100", ""}, false},
    {"Color", "1", {"100", ""}, false},      {"Color", "2", {"100", ""}, false},
    {"Color", "3", {"100", ""}, false},      {"Color", "4", {"100", ""}, false},
    {"Color", "5", {"100", ""}, false},      {"Color", "6", {"100", ""}, false},
    {"Chest", "", {"100", ""}, false},       {"Outline", "", {"100", ""}, false},
};
static_assert(kColFirstLevel + kChannels == kColPicture);

// The tree picture's proportions: the console's 420 x 550 picture rectangle.
constexpr int kPictureWidth = 420, kPictureHeight = 550;

}  // namespace

CCueSheetLayout::CCueSheetLayout(const QPaintDevice& device, QSize size) : page(size), m_dpi(device.logicalDpiY())
{
    // The largest type, and then the widest gaps, that leave the name and chase
    // columns room enough; a very small page gets small type rather than columns
    // over each other.
    for (double points = 8.0; points > 4.0; points -= 0.5)
        for (double gapMm : {2.0, 1.0})
            if (Place(device, points, gapMm))
                return;
    Place(device, 4.0, 1.0);
}

int CCueSheetLayout::Mm(double mm) const
{
    return static_cast<int>(mm * m_dpi / 25.4 + 0.5);
}

bool CCueSheetLayout::Place(const QPaintDevice& device, double points, double gapMm)
{
    // Letters stay apart: a PDF reader copying the sheet's text gets "fi", not a ligature.
    QFont plain;
    plain.setStyleStrategy(QFont::PreferNoShaping);
    titleFont = plain;
    titleFont.setPointSizeF(points + 3);
    titleFont.setBold(true);
    textFont = plain;
    textFont.setPointSizeF(points);
    boldFont = textFont;
    boldFont.setBold(true);
    const QFontMetrics title(titleFont, &device), text(textFont, &device), bold(boldFont, &device);

    titleHeight = title.height() + Mm(2);
    extraHeader = 2 * text.height() + Mm(3);
    lineHeight = text.height();
    headingHeight = 2 * bold.height() + Mm(1);
    rowHeight = std::max(Mm(12), 2 * lineHeight);
    footerHeight = text.height() + Mm(2);
    gap = Mm(gapMm);

    const int pictureHeight = rowHeight - Mm(1);
    pictureBox = QRect(0, (rowHeight - pictureHeight) / 2, pictureHeight * kPictureWidth / kPictureHeight,
                       pictureHeight);

    columns.assign(kColumnCount, CSheetColumn{});
    int fixed = 0;
    for (int c = 0; c < kColumnCount - 1; ++c) {
        const Heading& h = kHeadings[c];
        CSheetColumn& col = columns[c];
        col.title[0] = h.first;
        col.title[1] = h.second;
        col.alignLeft = h.left;
        // A little slack: eliding measures a text a hair wider than its advance.
        col.width = std::max({bold.horizontalAdvance(col.title[0]), bold.horizontalAdvance(col.title[1]),
                              text.horizontalAdvance(h.widest[0]), text.horizontalAdvance(h.widest[1])}) +
                    Mm(0.4);
        if (c != kColName && c != kColChase)
            fixed += col.width;
    }
    columns[kColPicture].title[0] = "First";
    columns[kColPicture].title[1] = "step";
    columns[kColPicture].alignLeft = true;
    columns[kColPicture].width =
        std::max({pictureBox.width(), bold.horizontalAdvance("First"), bold.horizontalAdvance("step")});
    fixed += columns[kColPicture].width + gap * (kColumnCount - 1);

    // Name and chase share what is left, three to two.
    const int flexible = page.width() - fixed;
    columns[kColName].width = flexible * 3 / 5;
    columns[kColChase].width = flexible - columns[kColName].width;
    int x = 0;
    for (CSheetColumn& col : columns) {
        col.x = x;
        x += col.width + gap;
    }
    pictureBox.moveLeft(columns[kColPicture].x);
    const bool roomy = columns[kColChase].width >= 12 * text.averageCharWidth();
    const bool tall = page.height() - titleHeight - extraHeader - headingHeight - footerHeight >= rowHeight;
    return roomy && tall;
}

int CCueSheetLayout::RowsOnPage(int pageIndex) const
{
    const int header = titleHeight + (pageIndex == 0 ? extraHeader : 0);
    return std::max(1, (page.height() - header - headingHeight - footerHeight) / rowHeight);
}

int CCueSheetLayout::PageCount(int rows) const
{
    const int first = RowsOnPage(0);
    if (rows <= first)
        return 1;
    const int later = RowsOnPage(1);
    return 1 + (rows - first + later - 1) / later;
}

int CCueSheetLayout::FirstRowOf(int pageIndex) const
{
    return pageIndex == 0 ? 0 : RowsOnPage(0) + (pageIndex - 1) * RowsOnPage(1);
}

int CCueSheetLayout::TableTop(int pageIndex) const
{
    return titleHeight + (pageIndex == 0 ? extraHeader : 0);
}

int CCueSheetLayout::RowTop(int pageIndex, int i) const
{
    return TableTop(pageIndex) + headingHeight + i * rowHeight;
}
