// Starts a main window and quits as soon as it has been shown and the event
// loop is idle: the program's own main window, or the baseline's plain one.
#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>

#ifdef START_THE_TOOL
#include "mainwindow/frmOutput.h"
#include "platform/Program.h"
#endif

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
#ifdef START_THE_TOOL
    Program::setUp();
    QApplication::setQuitOnLastWindowClosed(false);
    frmOutput window;
#else
    QMainWindow window;
    window.setCentralWidget(new QPlainTextEdit(&window));
#endif
    window.show();
    // A zero timer fires once the queued events, the showing included, are done.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
