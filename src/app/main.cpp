#include "app/QtMessageBox.h"
#include "app/frmMain.h"

#include <QApplication>

using namespace quillax;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtMessageBox messageBox;
    frmMain window;
    window.show();
    return app.exec();
}
