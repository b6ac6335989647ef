#pragma once

#include <QFont>
#include <QIcon>
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

// The program's emblem (data/icons/) at sidePixels logical pixels: the nearest
// larger of its stored sizes, scaled smoothly. A devicePixelRatio above 1 gives
// that many more device pixels, so that the emblem is sharp on a scaled screen;
// pass the showing widget's devicePixelRatioF().
QPixmap emblem(int sidePixels, qreal devicePixelRatio = 1.0);

// The emblem in all its stored sizes, the icon of every window.
QIcon windowIcon();

// Resizes a window to its designed size, or to what the screen has room for
// where that is less (frame included).
void fitScreen(QWidget *window, QSize designed);

// Every list of the window shows where its focus is: a list that takes the
// focus with no current line makes its first line current (nothing selected),
// which the style then outlines.
void showListFocus(QWidget *window);

} // namespace Look
