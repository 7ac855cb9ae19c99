#pragma once
// Single-line buttons whose texts are wider than the layout allows keep their
// size and get a smaller font instead, so no text is ever cut off.

#include <QStringList>

class QPushButton;

// Sets the largest font, no larger than the button's own, at which each of the
// texts the button shows fits its face on one line.
void FitFont(QPushButton* button, const QStringList& texts);

class QWidget;
class QString;
// The same for a one-line label or line edit showing `text`: the largest font, no
// larger than the application's, at which the text fits the widget's width.
void FitTextFont(QWidget* widget, const QString& text);
