#include "app/EditorCommandLine.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace quillax {

namespace {
EditorCommand Finished(int status, const QString& text) {
    return {std::nullopt, status, text.toStdString()};
}

// A message Qt gave while the application was being made, kept to be given again once it is made.
struct HeldMessage {
    QtMsgType Type;
    std::string Category;
    QString Text;
};

std::vector<HeldMessage>& Held() {
    static std::vector<HeldMessage> held;
    return held;
}

// The first thing the platform said is the reason: "could not connect to display :1".
std::string WhyNoDisplay(const QString& fatal) {
    std::string why =
        (Held().empty() ? fatal.section('\n', 0, 0) : Held().front().Text).trimmed().toStdString();
    if (why.ends_with("display") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        why += " (DISPLAY is not set)";
    }
    return why;
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const std::string line = "quillax-editor: cannot open a window: " + WhyNoDisplay(text) + "\n";
        std::fputs(line.c_str(), stderr);
        std::_Exit(1);
    }
    Held().push_back({type, context.category ? context.category : "", text});
}

void GiveHeldMessages() {
    for (const HeldMessage& message : Held()) {
        const QMessageLogger logger(nullptr, 0, nullptr, message.Category.c_str());
        const QByteArray text = message.Text.toLocal8Bit();
        switch (message.Type) {
        case QtDebugMsg:
            logger.debug("%s", text.constData());
            break;
        case QtInfoMsg:
            logger.info("%s", text.constData());
            break;
        case QtWarningMsg:
            logger.warning("%s", text.constData());
            break;
        default:
            logger.critical("%s", text.constData());
            break;
        }
    }
    Held().clear();
}
} // namespace

EditorCommand ParseEditorCommandLine(const std::vector<std::string>& arguments) {
    QStringList decoded;
    for (const std::string& argument : arguments) {
        decoded << QFile::decodeName(QByteArray::fromStdString(argument));
    }
    QCommandLineParser parser;
    parser.setApplicationDescription("Quillax Object Editor: views, marks and edits line-art objects.");
    parser.addPositionalArgument("file", "The object file (.lin) to open.", "[FILE.lin]");
    // Qt's own help option would add --help-all, which only an application that has started can answer.
    const QCommandLineOption help({"h", "help"}, "Displays help on commandline options.");
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QString usage = "Usage: quillax-editor [FILE.lin]\nTry 'quillax-editor --help'.\n";
    if (!parser.parse(decoded)) {
        return Finished(2, "quillax-editor: " + parser.errorText() + "\n" + usage);
    }
    if (parser.isSet(help)) {
        // Named as it is installed, wherever it was started from.
        QString text = parser.helpText();
        return Finished(0, text.replace(0, text.indexOf(" [options]"), "Usage: quillax-editor"));
    }
    if (parser.isSet(version)) {
        return Finished(0, "quillax-editor " QUILLAX_VERSION "\n");
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return Finished(2, "quillax-editor: one object file at a time\n" + usage);
    }
    EditorCommand command;
    if (!files.isEmpty()) {
        // The name's own bytes: a name that is not valid text survives no round trip through QString.
        const qsizetype at = decoded.lastIndexOf(files.front());
        command.File = arguments[static_cast<size_t>(at)];
    }
    return command;
}

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    GiveHeldMessages();
    return application;
}

} // namespace quillax
