#include "app/EditorCommandLine.h"
#include "app/QtMessageBox.h"
#include "app/RecoveryOffer.h"
#include "app/frmMain.h"

#include <QApplication>

#include <csignal>
#include <iostream>

using namespace quillax;

int main(int argc, char** argv) {
    // --help and --version answer on a terminal without a display; anything else is parsed once Qt has
    // taken its own options out.
    if (const EditorCommand early = ParseEditorCommandLine(std::vector<std::string>(argv, argv + argc));
        early.ExitStatus == 0) {
        std::cout << early.Text;
        return 0;
    }
    const std::unique_ptr<QApplication> app = OpenDisplay(argc, argv);
    QApplication::setApplicationName("quillax-editor");
    QApplication::setApplicationVersion(QUILLAX_VERSION);
    const EditorCommand command = ParseEditorCommandLine(std::vector<std::string>(argv, argv + argc));
    if (command.ExitStatus) {
        (*command.ExitStatus == 0 ? std::cout : std::cerr) << command.Text;
        return *command.ExitStatus;
    }
    // A save beyond a file-size limit is a failed write the editor reports, not the end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QtMessageBox messageBox;
    frmMain window;
    window.show();
    if (command.File) {
        window.RunHandler([&] { window.OpenObject(*command.File); });
    }
    if (auto* recovery = window.findChild<RecoveryOffer*>()) {
        window.RunHandler([recovery] { recovery->OfferLeftovers(); });
    }
    return QApplication::exec();
}
