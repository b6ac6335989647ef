#include "mainwindow/frmOutput.h"
#include "platform/Program.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    Program::setUp();
    // The main window's close ends the program; hidden wizard pages do not keep it alive.
    QApplication::setQuitOnLastWindowClosed(false);
    frmOutput window;
    window.show();
    return app.exec();
}
