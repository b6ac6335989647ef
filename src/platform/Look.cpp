#include "Look.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <iterator>

// The emblem's PNG sizes come from data/icons/emblem.qrc, built into this
// static library: registering them here also makes the linker keep them.
// (Q_INIT_RESOURCE cannot stand inside a namespace.)
static bool registerEmblemResource() {
    Q_INIT_RESOURCE(emblem);
    return true;
}

namespace Look {
namespace {

// The sizes that data/icons/render.sh makes, smallest first.
constexpr int kEmblemSizes[] = {16, 24, 32, 48, 64, 128, 256};

QString emblemFile(int size) {
    static const bool registered = registerEmblemResource();
    Q_UNUSED(registered);
    return QStringLiteral(":/emblem/%1.png").arg(size);
}

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

QPixmap emblem(int sidePixels, qreal devicePixelRatio) {
    if (devicePixelRatio <= 0)
        devicePixelRatio = 1.0;
    const int device = qMax(1, qRound(sidePixels * devicePixelRatio));
    int stored = kEmblemSizes[std::size(kEmblemSizes) - 1];
    for (int size : kEmblemSizes) {
        if (size >= device) {
            stored = size;
            break;
        }
    }
    QPixmap pixmap(emblemFile(stored));
    if (pixmap.width() != device)
        pixmap = pixmap.scaled(device, device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

void fitScreen(QWidget *window, QSize designed) {
    const QScreen *screen = window->screen();
    if (!screen)
        return window->resize(designed);
    // A window frame's room, before the window has one to measure.
    const QSize frame(16, 48);
    window->resize(designed.boundedTo(screen->availableGeometry().size() - frame)
                       .expandedTo(window->minimumSizeHint()));
}

namespace {

class ListFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // Only keyboard focus: a click picks its own row, and a current row
        // set under the mouse would scroll the list away from it.
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::MouseFocusReason)
            if (auto *view = qobject_cast<QAbstractItemView *>(watched);
                view && view->model() && !view->currentIndex().isValid() &&
                view->model()->rowCount(view->rootIndex()) > 0) {
                // The first row in sight, so that the list does not scroll.
                QModelIndex first = view->indexAt(QPoint(1, 1));
                if (!first.isValid())
                    first = view->model()->index(0, 0, view->rootIndex());
                view->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
            }
        return false;
    }
};

} // namespace

void showListFocus(QWidget *window) {
    auto *filter = new ListFocus(window);
    for (QAbstractItemView *view : window->findChildren<QAbstractItemView *>())
        view->installEventFilter(filter);
}

namespace {

// The emblem as an icon that reads a stored size only when it is drawn:
// QIcon::addFile reads every file at once, a good part of the start-up.
class EmblemEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override {
        return emblem(qMax(1, qMin(size.width(), size.height())));
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override {
        const int side =
            qMin(qMin(size.width(), size.height()), kEmblemSizes[std::size(kEmblemSizes) - 1]);
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int size : kEmblemSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    QIconEngine *clone() const override { return new EmblemEngine; }
    QString key() const override { return QStringLiteral("KestruneEmblem"); }
};

} // namespace

QIcon windowIcon() {
    return QIcon(new EmblemEngine);
}

} // namespace Look
