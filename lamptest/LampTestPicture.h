#pragma once
// The lamp test's picture of the tree: the console's own picture code, lit by
// what the test sends instead of by the show.

#include "widgets/TreePicture.h"

#include <QWidget>

class CShowData;
struct CLampTestState;
struct CTreeGeometry;

class CLampTestPicture : public QWidget {
public:
    CLampTestPicture(const CShowData& doc, const CLampTestState& state, QWidget* parent);
    // Where everything goes and how it is lit for the state on show.
    void Compute(CTreeGeometry& g) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CShowData& m_doc;
    const CLampTestState& m_state;
    CTreePicture m_picture;
};
