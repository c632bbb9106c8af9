#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quillax {

namespace {
QtMessageHandler QtHandler = nullptr;

// The offscreen platform warns each time a window's size hints change (the minimum-size hook does so
// on purpose) or a window is raised; every other message goes on to Qt's handler.
void DropOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support"))) {
        QtHandler(type, context, message);
    }
}
} // namespace

} // namespace quillax

using namespace quillax;

// Every test program gets an application object, so widget and image tests run alike.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QtHandler = qInstallMessageHandler(DropOffscreenNotices);
    // No test writes a recovery copy, or anything else of the state folder, into the user's own.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
