#include "QtMessageBox.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtMessageBox messageBox;
    frmMain window;
    window.show();
    return app.exec();
}
