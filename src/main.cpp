#include "mainwindow/frmOutput.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrune Server Tool"));
    // The main window's close ends the program; hidden wizard pages do not keep it alive.
    QApplication::setQuitOnLastWindowClosed(false);
    frmOutput window;
    window.show();
    return app.exec();
}
