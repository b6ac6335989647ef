#pragma once

#include <functional>

namespace Program {
// What main does before the first window (the start-up benchmark too): the
// program's name, its desktop entry and the icon of every window.
void setUp();

// Ending the program at once: every window goes away without its close
// handling. Tests put a handler of their own in its place.
void end();
void setEndHandler(std::function<void()> handler);
} // namespace Program
