#include "lamptest/LampTestPicture.h"

#include "document/ProgramDir.h"
#include "engine/LampTestPlan.h"
#include "widgets/TreeGeometry.h"

CLampTestPicture::CLampTestPicture(const CShowData& doc, const CLampTestState& state, QWidget* parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_state(state)
{
    const QRect area = CTreePicture::Area(doc);
    setFixedSize(area.width() > 0 ? area.width() : 420, area.height() > 0 ? area.height() : 550);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint covers the whole widget
    setObjectName("lampTestPicture");
    m_picture.LoadSprites(QString::fromStdString(ProgramPath("Sprites.bmp")));
}

void CLampTestPicture::Compute(CTreeGeometry& g) const
{
    ComputeTreeGeometry(m_doc, {m_state.level, m_state.tier, m_state.chest, m_state.outline}, g);
}

void CLampTestPicture::paintEvent(QPaintEvent*)
{
    CTreeGeometry g;
    Compute(g);
    m_picture.Paint(m_doc, g, CTreePicture::kBulbX, CTreePicture::kBulbY);
    m_picture.ShowIn(this, m_doc);
}
