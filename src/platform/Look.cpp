#include "Look.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWidget>

namespace Look {
namespace {

qreal dpiX(const QWidget *widget) {
    return widget ? widget->logicalDpiX() : QGuiApplication::primaryScreen()->logicalDotsPerInchX();
}
qreal dpiY(const QWidget *widget) {
    return widget ? widget->logicalDpiY() : QGuiApplication::primaryScreen()->logicalDotsPerInchY();
}

} // namespace

int twipsToPixelsX(const QWidget *widget, int twips) {
    return qRound(twips * dpiX(widget) / 1440.0);
}
int twipsToPixelsY(const QWidget *widget, int twips) {
    return qRound(twips * dpiY(widget) / 1440.0);
}

QSize twipsToPixels(const QWidget *widget, int widthTwips, int heightTwips) {
    return {twipsToPixelsX(widget, widthTwips), twipsToPixelsY(widget, heightTwips)};
}

QFont arialBlack(const QFont &base, qreal pointSize) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), base.family()});
    font.setWeight(QFont::Black);
    font.setPointSizeF(pointSize);
    return font;
}

QPixmap emblem(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // A shield in dark red with a gold rim and a stylised K.
    const qreal s = side;
    QPainterPath shield;
    shield.moveTo(s * 0.5, s * 0.04);
    shield.lineTo(s * 0.92, s * 0.18);
    shield.cubicTo(s * 0.92, s * 0.62, s * 0.72, s * 0.84, s * 0.5, s * 0.96);
    shield.cubicTo(s * 0.28, s * 0.84, s * 0.08, s * 0.62, s * 0.08, s * 0.18);
    shield.closeSubpath();
    QLinearGradient fill(0, 0, 0, s);
    fill.setColorAt(0, QColor(0xb0, 0x1c, 0x1c));
    fill.setColorAt(1, QColor(0x4a, 0x06, 0x06));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0xe8, 0xb8, 0x3a), qMax(1.0, s / 24)));
    p.drawPath(shield);

    QFont font = arialBlack(QFont(), 10);
    font.setPixelSize(qMax(6, int(s * 0.5)));
    p.setFont(font);
    p.setPen(QColor(0xf4, 0xe4, 0xb0));
    p.drawText(QRectF(0, s * 0.1, s, s * 0.75), Qt::AlignCenter, QStringLiteral("K"));
    return pixmap;
}

} // namespace Look
