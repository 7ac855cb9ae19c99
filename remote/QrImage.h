#pragma once
// A QR code of a short text (the page's address) for the phone's camera.

#include <QImage>
#include <QString>

// Black modules on white with a quiet zone, `scale` pixels a module; null when the text does not fit.
QImage QrImage(const QString& text, int scale);
