#include "chaseedit/ChasePreview.h"

#include "chaseedit/ChasePreviewGeometry.h"
#include "document/ProgramDir.h"


namespace {

// The console's picture rectangle: 420 x 550 pixels.
constexpr int kWidth = 780 - 360, kHeight = 600 - 50;

}  // namespace

CChasePreview::CChasePreview(const CShowData& doc, QWidget* parent)
    : QWidget(parent)
    , m_doc(doc)
{
    setFixedSize(kWidth, kHeight);
    // Every paint covers the whole widget, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName("chasePreview");
    m_picture.LoadSprites(QString::fromStdString(ProgramPath("Sprites.bmp")));
}

void CChasePreview::paintEvent(QPaintEvent*)
{
    CTreeGeometry g;
    ComputeChasePreview(m_doc, g);
    m_picture.Paint(m_doc, g, kPreviewBulbX, kPreviewBulbY);
    m_picture.ShowIn(this, m_doc);
}
