#pragma once

#include <QFont>
#include <QPixmap>
#include <QSize>

class QWidget;

// The visual language shared by the windows.
namespace Look {

// Window sizes are given in twips, 1/1440 inch, on the screen's logical DPI.
int twipsToPixelsX(const QWidget *widget, int twips);
int twipsToPixelsY(const QWidget *widget, int twips);
QSize twipsToPixels(const QWidget *widget, int widthTwips, int heightTwips);

// Arial Black where the machine has it, else the heaviest fallback face.
QFont arialBlack(const QFont &base, qreal pointSize);

// The program's emblem, drawn rather than stored.
QPixmap emblem(int sidePixels);

} // namespace Look
