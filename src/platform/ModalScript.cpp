#include "ModalScript.h"

#include <QDebug>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ModalScript {
namespace {

bool g_scripted = false;
QList<QPair<QString, std::function<void(QWidget *)>>> g_windows;

} // namespace

void setScripted(bool scripted) {
    g_scripted = scripted;
    g_windows.clear();
}

bool isScripted() {
    return g_scripted;
}

void expectWindow(const QString &objectName, std::function<void(QWidget *)> action) {
    g_windows.append({objectName, std::move(action)});
}

int pendingWindows() {
    return int(g_windows.size());
}

void windowShowing(QWidget *window) {
    if (!g_scripted)
        return;
    if (g_windows.isEmpty() || g_windows.first().first != window->objectName())
        unanswered(QStringLiteral("window %1").arg(window->objectName()));
    auto action = g_windows.takeFirst().second;
    QTimer::singleShot(0, window, [window, action] {
        const QPointer<QWidget> shown(window);
        action(window);
        // An answer that leaves the window waiting would hang the run.
        if (shown && shown->isVisible())
            unanswered(QStringLiteral("window %1 (its scripted answer left it open)")
                           .arg(shown->objectName()));
    });
}

void unanswered(const QString &what) {
    qFatal("A scripted run met a %s that no test answered", qPrintable(what));
}

} // namespace ModalScript
