#include "cuesheet/CueSheetPainter.h"

#include "cuesheet/CueSheet.h"
#include "cuesheet/CueSheetLayout.h"
#include "document/ProgramDir.h"
#include "widgets/TreeGeometry.h"
#include "widgets/TreePicture.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

namespace {

// Pictures are drawn at about this many dots per inch, whatever the device's resolution.
constexpr int kPictureDpi = 300;
// Identical pictures are drawn once and the same image reused: a PDF then holds it once.
constexpr size_t kPictureCacheSize = 512;

QString Text(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Text(const char (&name)[kNameSize])
{
    return QString::fromLocal8Bit(name, static_cast<qsizetype>(strnlen(name, kNameSize)));
}

QString LayoutLine(const CCueSheet& sheet)
{
    auto yesNo = [](bool present) { return present ? QStringLiteral("yes") : QStringLiteral("no"); };
    return QStringLiteral("%1 tiers; star: %2, cross: %3, chest rail: %4, outline: %5; %6 cues")
        .arg(sheet.tierCount)
        .arg(yesNo(sheet.star), yesNo(sheet.cross), yesNo(sheet.chest), yesNo(sheet.outline))
        .arg(sheet.rows.size());
}

class CSheetPainter {
public:
    CSheetPainter(const CCueSheet& sheet, QPagedPaintDevice& device, const CCueSheetLayout& layout)
        : m_sheet(sheet), m_device(device), m_layout(layout)
    {
        m_picture.LoadSprites(QString::fromStdString(ProgramPath("Sprites.bmp")));
    }

    void Page(QPainter& p, int page, int pages)
    {
        Header(p, page);
        Heading(p, page);
        const int first = m_layout.FirstRowOf(page);
        const int count = std::min<int>(m_layout.RowsOnPage(page), static_cast<int>(m_sheet.rows.size()) - first);
        for (int i = 0; i < count; ++i)
            Row(p, m_layout.RowTop(page, i), m_sheet.rows[static_cast<size_t>(first + i)], i);
        if (m_sheet.rows.empty()) {
            p.setFont(m_layout.textFont);
            p.drawText(QRect(0, m_layout.RowTop(0, 0), m_layout.page.width(), m_layout.rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, "This cue list has no cues.");
        }
        Footer(p, page, pages);
    }

private:
    void Header(QPainter& p, int page)
    {
        const int width = m_layout.page.width();
        p.setPen(Qt::black);
        p.setFont(m_layout.textFont);
        const QString date = Text(m_sheet.date);
        const int dateWidth = QFontMetrics(m_layout.textFont, &m_device).horizontalAdvance(date) + m_layout.gap;
        p.drawText(QRect(width - dateWidth, 0, dateWidth, m_layout.titleHeight), Qt::AlignRight | Qt::AlignVCenter,
                   date);
        p.setFont(m_layout.titleFont);
        const QString title = "Cue Sheet: " + Text(BaseName(m_sheet.fileName));
        const QFontMetrics titleMetrics(m_layout.titleFont, &m_device);
        p.drawText(QRect(0, 0, width - dateWidth, m_layout.titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   titleMetrics.elidedText(title, Qt::ElideRight, width - dateWidth));
        if (page == 0) {
            const QFontMetrics text(m_layout.textFont, &m_device);
            p.setFont(m_layout.textFont);
            const int line = m_layout.lineHeight;
            p.drawText(QRect(0, m_layout.titleHeight, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                       text.elidedText("File: " + Text(m_sheet.fileName), Qt::ElideMiddle, width));
            p.drawText(QRect(0, m_layout.titleHeight + line, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                       text.elidedText("Layout: " + LayoutLine(m_sheet), Qt::ElideRight, width));
        }
        const int rule = m_layout.TableTop(page) - m_layout.Mm(1);
        p.drawLine(0, rule, width, rule);
    }

    void Heading(QPainter& p, int page)
    {
        const int top = m_layout.TableTop(page);
        const int half = (m_layout.headingHeight - m_layout.Mm(1)) / 2;
        p.setFont(m_layout.boldFont);
        for (const CSheetColumn& col : m_layout.columns) {
            const Qt::Alignment align = (col.alignLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom;
            p.drawText(QRect(col.x, top, col.width, half), align, col.title[0]);
            p.drawText(QRect(col.x, top + half, col.width, half), align, col.title[1]);
        }
        const int rule = top + m_layout.headingHeight - m_layout.Mm(0.5);
        p.drawLine(0, rule, m_layout.page.width(), rule);
    }

    void Cell(QPainter& p, const QFontMetrics& metrics, int column, int top, const QString& text)
    {
        const CSheetColumn& col = m_layout.columns[static_cast<size_t>(column)];
        const Qt::Alignment align = (col.alignLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
        p.drawText(QRect(col.x, top, col.width, m_layout.rowHeight), align,
                   metrics.elidedText(text, Qt::ElideRight, col.width));
    }

    void Row(QPainter& p, int top, const CCueSheetRow& row, int i)
    {
        if (i % 2 == 1)
            p.fillRect(QRect(0, top, m_layout.page.width(), m_layout.rowHeight), QColor(238, 238, 238));
        const QFontMetrics metrics(m_layout.textFont, &m_device);
        p.setFont(m_layout.textFont);
        const CCueSlot& cue = row.cue;
        Cell(p, metrics, kColNumber, top, QString::number(row.number));
        Cell(p, metrics, kColName, top, Text(cue.name));
        Cell(p, metrics, kColFade, top, QString::fromStdString(Seconds(cue.fadeTime)));
        Cell(p, metrics, kColActive, top, QString::fromStdString(ActiveTimeText(cue.activeTime)));
        Cell(p, metrics, kColChase, top, Text(cue.chase));
        Cell(p, metrics, kColSpeed, top, QString::number(cue.chaseSpeed));
        Cell(p, metrics, kColRuns, top, QString::fromStdString(RunCountText(cue.runCount)));
        Cell(p, metrics, kColDirection, top, cue.forward ? "forward" : "reverse");
        for (int k = 0; k < kChannels; ++k)
            Cell(p, metrics, kColFirstLevel + k, top, QString::number(cue.level[k]));
        p.drawImage(m_layout.pictureBox.translated(0, top), Picture(row));
    }

    // The console's picture of the cue's levels over its chase's first light step, cut
    // to the picture rectangle and scaled to the sheet.
    const QImage& Picture(const CCueSheetRow& row)
    {
        std::string key(reinterpret_cast<const char*>(row.cue.level), sizeof row.cue.level);
        key.append(reinterpret_cast<const char*>(&row.firstStep), sizeof row.firstStep);
        auto found = m_cache.find(key);
        if (found != m_cache.end())
            return found->second;
        if (m_cache.size() >= kPictureCacheSize)
            m_cache.clear();
        const CShowData& show = *m_sheet.picture;
        CTreeGeometry g;
        ComputeTreeGeometry(show, row.cue.level, row.firstStep, g);
        m_picture.Render(show, g);
        const QSize size = m_layout.pictureBox.size() * kPictureDpi / std::max(1, m_device.logicalDpiY());
        QImage image = m_picture.Canvas()
                           .copy(CTreePicture::Area(show))
                           .scaled(size.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return m_cache.emplace(std::move(key), std::move(image)).first->second;
    }

    void Footer(QPainter& p, int page, int pages)
    {
        p.setFont(m_layout.textFont);
        const int top = m_layout.page.height() - m_layout.footerHeight;
        p.drawText(QRect(0, top, m_layout.page.width(), m_layout.footerHeight), Qt::AlignHCenter | Qt::AlignBottom,
                   QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }

    const CCueSheet& m_sheet;
    QPagedPaintDevice& m_device;
    const CCueSheetLayout& m_layout;
    CTreePicture m_picture;
    std::unordered_map<std::string, QImage> m_cache;
};

QSize PrintableSize(QPagedPaintDevice& device)
{
    return device.pageLayout().paintRectPixels(device.logicalDpiY()).size();
}

}  // namespace

int CueSheetPages(const CCueSheet& sheet, QPagedPaintDevice& device)
{
    const CCueSheetLayout layout(device, PrintableSize(device));
    return layout.PageCount(static_cast<int>(sheet.rows.size()));
}

SheetResult PaintCueSheet(const CCueSheet& sheet, QPagedPaintDevice& device, const SheetProgress& progress)
{
    const CCueSheetLayout layout(device, PrintableSize(device));
    const int pages = layout.PageCount(static_cast<int>(sheet.rows.size()));
    CSheetPainter sheetPainter(sheet, device, layout);
    QPainter p;
    if (!p.begin(&device))
        return SheetResult::kNoDevice;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        sheetPainter.Page(p, page, pages);
        if (progress && !progress(page + 1, pages)) {
            p.end();
            return SheetResult::kCancelled;
        }
    }
    p.end();
    return SheetResult::kDone;
}
