#pragma once

#include <functional>

// Ending the program at once: every window goes away without its close
// handling. Tests put a handler of their own in its place.
namespace Program {
void end();
void setEndHandler(std::function<void()> handler);
} // namespace Program
