#include "app/EditorCommandLine.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

namespace quillax {

namespace {
EditorCommand Finished(int status, const QString& text) {
    return {std::nullopt, status, text.toStdString()};
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
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QString usage = "Usage: quillax-editor [FILE.lin]\nTry 'quillax-editor --help'.\n";
    if (!parser.parse(decoded)) {
        return Finished(2, "quillax-editor: " + parser.errorText() + "\n" + usage);
    }
    if (parser.isSet(help)) {
        return Finished(0, parser.helpText());
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

} // namespace quillax
