#include "app/EditorCommandLine.h"
#include "app/QtMessageBox.h"
#include "app/frmMain.h"

#include <QApplication>

#include <iostream>

using namespace quillax;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("quillax-editor");
    QApplication::setApplicationVersion(QUILLAX_VERSION);
    const EditorCommand command = ParseEditorCommandLine(std::vector<std::string>(argv, argv + argc));
    if (command.ExitStatus) {
        (*command.ExitStatus == 0 ? std::cout : std::cerr) << command.Text;
        return *command.ExitStatus;
    }
    QtMessageBox messageBox;
    frmMain window;
    window.show();
    if (command.File) {
        window.RunHandler([&] { window.LoadObject(*command.File); });
    }
    return app.exec();
}
