#pragma once
// The live tree picture: an 800x600 canvas drawn from the sprite sheet and the
// show document. The main window copies the canvas's picture rectangle on paint.

#include <QImage>
#include <QRect>
#include <QString>

class CShowData;
struct CTreeGeometry;
class QPainter;
class QWidget;

class CTreePicture {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    // Where the live picture builds its lamp images on the sprite sheet.
    static constexpr int kBulbX = 230, kBulbY = 252;

    CTreePicture();

    // Loads the sprite sheet; a missing or unreadable file leaves it black, without a message.
    // Returns whether the file was read.
    bool LoadSprites(const QString& path);
    // Fills the canvas black.
    void Clear();
    // Redraws the whole picture rectangle of the canvas from the document.
    void Render(const CShowData& show);
    // The same from a picture computed earlier; only the picture rectangle is read from `show`.
    void Render(const CShowData& show, const CTreeGeometry& g);
    // Draws a computed picture into the document's picture rectangle of the canvas,
    // building each lamp image on the sheet's bulb at `bulbX`, `bulbY`.
    void Paint(const CShowData& show, const CTreeGeometry& g, int bulbX, int bulbY);
    // The document's picture rectangle, in pixels of the canvas and the console's client area.
    static QRect Area(const CShowData& show);
    // Paints the canvas's picture rectangle at the top-left of a preview widget,
    // black around it when the sizes differ.
    void ShowIn(QWidget* widget, const CShowData& show) const;
    const QImage& Canvas() const { return m_canvas; }
    const QImage& Sprites() const { return m_sprites; }

private:
    void DrawTiers(QPainter& painter, const CTreeGeometry& g, int bulbX, int bulbY);
    void DrawChestRail(QPainter& painter, const CTreeGeometry& g);
    void DrawOutline(QPainter& painter, const CTreeGeometry& g);
    // Copies a block between the two surfaces (or within the canvas), clipped to both.
    void Blit(int dx, int dy, const QImage& source, int sx, int sy, int w, int h);

    QImage m_sprites;
    QImage m_canvas;
};
