#include "Program.h"

#include <QCoreApplication>

namespace Program {
namespace {
std::function<void()> g_handler;
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
