#include "layoutedit/LayoutPreview.h"

#include "document/Layout.h"
#include "document/ProgramDir.h"


namespace {

// The console's picture rectangle: 420 x 550 pixels.
constexpr int kWidth = 780 - 360, kHeight = 600 - 50;

// A table colour is drawn as the saved file will define it, whatever the document holds now.
CLampState Lamp(const CShowData& show, int color, bool lit)
{
    if (color >= 0 && color < kTableColors) {
        const CNamedColor& c = kColorTable[color];
        return {CBrush{static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
                       static_cast<unsigned char>(c.blue), true},
                lit};
    }
    return {LevelBrush(show, color, kLevels - 1), lit};
}

}  // namespace

void ComputeLayoutPreview(const CShowData& show, const CLayout& layout, CTreeGeometry& g)
{
    SetTreeSpacing(layout.tierCount, g);
    for (int t = 1; t <= kTiers; ++t) {
        CTierRow& row = g.row[t - 1];
        if (t > g.tierCount) {
            row = CTierRow{};
            continue;
        }
        // A missing tier keeps its place: the rows around it do not close up.
        const bool present = layout.tierPresent[t - 1];
        PlaceTierRow(show, g, t, layout.chestPresent && present, row);
        if (!present)
            row.imageCount = 0;
        for (int c = 0; c < kCircuits; ++c)
            row.stripe[c] = Lamp(show, layout.tierColor[t - 1][c], present);
        for (COutlineLamp& lamp : row.outline)
            lamp.state = Lamp(show, layout.outlineColor[lamp.circuit], present && layout.outlinePresent);
    }
    for (int j = 0; j < kCircuits; ++j)
        g.chest[j] = Lamp(show, layout.chestColor[j], layout.chestPresent);
    PlaceStarAndCross(show, g);
    g.star.state = Lamp(show, layout.starColor, layout.starPresent);
    g.cross.state = Lamp(show, layout.crossColor, layout.crossPresent);
}

CLayoutPreview::CLayoutPreview(const CShowData& doc, const CLayout& layout, QWidget* parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_layout(layout)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint covers the whole widget
    setObjectName("layoutPreview");
    m_picture.LoadSprites(QString::fromStdString(ProgramPath("Sprites.bmp")));
}

void CLayoutPreview::paintEvent(QPaintEvent*)
{
    CTreeGeometry g;
    ComputeLayoutPreview(m_doc, m_layout, g);
    m_picture.Paint(m_doc, g, CTreePicture::kBulbX, CTreePicture::kBulbY);
    m_picture.ShowIn(this, m_doc);
}
