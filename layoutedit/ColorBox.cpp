#include "layoutedit/ColorBox.h"

#include "document/Layout.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSwatch = 14;
constexpr int kTableItems = kTableColors;

QIcon Swatch(const QColor& colour)
{
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));  // black and white show their edge too
    painter.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
    return QIcon(pixmap);
}

// The table names two colours "white"; the second is told apart by its index.
QString TableName(int i)
{
    for (int k = 0; k < i; ++k)
        if (qstrcmp(kColorTable[k].name, kColorTable[i].name) == 0)
            return QString("%1 (%2)").arg(kColorTable[i].name).arg(i);
    return kColorTable[i].name;
}

}  // namespace

CColorBox::CColorBox(const CShowData& doc, QWidget* parent)
    : QComboBox(parent)
    , m_doc(doc)
{
    setIconSize(QSize(kSwatch, kSwatch));
    for (int i = 0; i < kTableItems; ++i) {
        const CNamedColor& c = kColorTable[i];
        addItem(Swatch(QColor(c.red, c.green, c.blue)), TableName(i), i);
    }
    connect(this, &QComboBox::activated, this, [this] { emit ColorChosen(Color()); });
}

void CColorBox::SetColor(int color)
{
    QSignalBlocker quiet(this);
    while (count() > kTableItems)
        removeItem(kTableItems);
    int item = findData(color);
    if (item < 0) {
        // Drawn as the console draws it: in the colour the layout file gave that index, if any.
        const bool known = color >= 0 && color < kColors && m_doc.m_levelBrush[color][kLevels - 1].made;
        const CBrush& b = m_doc.m_levelBrush[known ? color : 0][kLevels - 1];
        addItem(Swatch(known ? QColor(b.red, b.green, b.blue) : QColor(Qt::transparent)),
                QString("colour %1").arg(color), color);
        item = count() - 1;
    }
    setCurrentIndex(item);
}

int CColorBox::Color() const
{
    return currentData().toInt();
}
