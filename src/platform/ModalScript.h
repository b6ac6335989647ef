#pragma once

#include <QString>

#include <functional>

class QWidget;

// A test seam for everything that would wait for the user: file dialogs,
// message boxes and the program's own blocking windows. In scripted mode
// nothing native opens; each wait takes the answer a test queued before it
// acted, and a wait that finds no answer stops the run at once instead of
// hanging it.
namespace ModalScript {

void setScripted(bool scripted);
bool isScripted();

// Queues what a test does once the blocking window of that object name shows:
// typically it clicks one of the window's real buttons.
void expectWindow(const QString &objectName, std::function<void(QWidget *)> action);
int pendingWindows();

// Called by a blocking window right before it waits; in scripted mode it runs
// the queued action as soon as the window is on screen.
void windowShowing(QWidget *window);

// Ends the run: the failure message of a scripted wait that nobody answered.
[[noreturn]] void unanswered(const QString &what);

} // namespace ModalScript
