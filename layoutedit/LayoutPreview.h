#pragma once
// The layout screen's picture of the tree being described: the console's own
// picture at the edited tier count, every lamp that exists lit in its colour, so
// the operator sees the structure before it is taken over.

#include "widgets/TreeGeometry.h"
#include "widgets/TreePicture.h"

#include <QWidget>

struct CLayout;

// Computed from the edited layout; the document gives only the picture rectangle
// and the colours of indexes outside the table.
void ComputeLayoutPreview(const CShowData& show, const CLayout& layout, CTreeGeometry& out);

class CLayoutPreview : public QWidget {
public:
    CLayoutPreview(const CShowData& doc, const CLayout& layout, QWidget* parent);
    CTreePicture& Picture() { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CShowData& m_doc;
    const CLayout& m_layout;
    CTreePicture m_picture;
};
