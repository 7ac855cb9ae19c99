#pragma once
// The chase editor's picture of the step on display, drawn on a canvas of its own
// from the console picture's sprite sheet and copied to the screen in one piece.

#include "widgets/TreePicture.h"

#include <QWidget>

class CShowData;

class CChasePreview : public QWidget {
public:
    CChasePreview(const CShowData& doc, QWidget* parent);
    CTreePicture& Picture() { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CShowData& m_doc;
    CTreePicture m_picture;
};
