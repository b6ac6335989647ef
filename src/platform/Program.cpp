#include "Program.h"

#include "DeferredIconStyle.h"
#include "Look.h"

#include <QApplication>

namespace Program {
namespace {
std::function<void()> g_handler;
}

void setUp() {
    QApplication::setApplicationName(QStringLiteral("Kestrune Server Tool"));
    // Names the installed .desktop file, so that a desktop shows its icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTRUNE_APP_ID));
    QApplication::setWindowIcon(Look::windowIcon());
    // The desktop's style, taking the icons the first window does not show
    // only when they are drawn.
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
}

void end() {
    if (g_handler)
        g_handler();
    else
        QCoreApplication::exit(0);
}

void setEndHandler(std::function<void()> handler) {
    g_handler = std::move(handler);
}

} // namespace Program
