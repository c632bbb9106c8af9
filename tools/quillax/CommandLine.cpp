#include "quillax/CommandLine.h"

#include "quillax/CliText.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <sstream>

namespace quillax {

namespace {
QString Latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

const CliOption HelpOption = {{"h", "help"}, "", "show this help"};

// "-h, --help" or "--size WxH": an option as the help lists it.
std::string Spelled(const CliOption& option) {
    std::string names;
    for (const QString& name : option.Names) {
        names += (names.empty() ? "" : ", ") + std::string(name.size() == 1 ? "-" : "--") + Bytes(name);
    }
    return option.ValueName.isEmpty() ? names : names + " " + Bytes(option.ValueName);
}

// The argument that spelled an unknown option, as given up to its value: the parser drops its dashes.
std::string SpelledAs(const std::vector<std::string>& arguments, const std::string& name) {
    for (const std::string& argument : arguments) {
        if (argument == "--") {
            break;
        }
        const std::string spelled = argument.substr(0, argument.find('='));
        if (spelled.size() > 1 && spelled[0] == '-' &&
            spelled.substr(spelled.find_first_not_of('-')) == name) {
            return spelled;
        }
    }
    return "--" + name;
}

// Qt's sentence ("Missing value after '--size'.") as one of ours.
std::string OurStyle(const QString& sentence) {
    std::string text = Bytes(sentence);
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text.ends_with('.') ? text.substr(0, text.size() - 1) : text;
}
} // namespace

CommandLine::CommandLine(std::string command, CliOperands operands, std::string about,
                         std::vector<CliOption> options)
    : Command(std::move(command)), Expected(std::move(operands)), About(std::move(about)),
      Options(std::move(options)) {
    Options.push_back(HelpOption);
    Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const CliOption& option : Options) {
        Parser.addOption(QCommandLineOption(option.Names, option.Description, option.ValueName));
    }
}

void CommandLine::StopAtFirstOperand() {
    Parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
}

std::optional<int> CommandLine::Parse(const CliContext& context) {
    const std::optional<std::string> error = ParseError(context.Arguments);
    if (Parser.isSet("help")) {
        context.Out << Help();
        return ExitStatus::Ok;
    }
    if (error) {
        return UsageError(context, *error);
    }
    return std::nullopt;
}

std::optional<std::string> CommandLine::ParseError(const std::vector<std::string>& arguments) {
    QStringList given = {Latin1(Name())};
    for (const std::string& argument : arguments) {
        given << Latin1(argument);
    }
    if (!Parser.parse(given)) {
        const QStringList unknown = Parser.unknownOptionNames();
        return unknown.isEmpty() ? OurStyle(Parser.errorText())
                                 : "unknown option " + SpelledAs(arguments, Bytes(unknown.first()));
    }
    GivenOperands.clear();
    for (const QString& operand : Parser.positionalArguments()) {
        GivenOperands.push_back(Bytes(operand));
    }
    return OperandError();
}

std::optional<std::string> CommandLine::OperandError() const {
    if (GivenOperands.size() > Expected.Most) {
        return "unexpected operand " + GivenOperands[Expected.Most];
    }
    if (GivenOperands.size() < Expected.Least) {
        std::istringstream names(Expected.Usage);
        std::vector<std::string> missing(std::istream_iterator<std::string>(names), {});
        missing.resize(Expected.Least);
        missing.erase(missing.begin(), missing.begin() + static_cast<ptrdiff_t>(GivenOperands.size()));
        std::string list;
        for (size_t k = 0; k < missing.size(); ++k) {
            const std::string name = missing[k].substr(0, missing[k].find("..."));
            list += (k == 0 ? "" : k + 1 == missing.size() ? " and " : ", ") + name;
        }
        return "missing " + list;
    }
    return std::nullopt;
}

int CommandLine::UsageError(const CliContext& context, const std::string& reason) const {
    context.Err << Name() << ": " << EscapedText(reason) << "\n"
                << Usage() << "Run 'quillax help" << (Command.empty() ? "" : " " + Command)
                << "' for more.\n";
    return ExitStatus::Usage;
}

std::string CommandLine::Value(const QString& name) const {
    return Bytes(Parser.value(name));
}

std::vector<std::string> CommandLine::Values(const QString& name) const {
    std::vector<std::string> values;
    for (const QString& value : Parser.values(name)) {
        values.push_back(Bytes(value));
    }
    return values;
}

std::string CommandLine::Name() const {
    return Command.empty() ? "quillax" : "quillax " + Command;
}

std::string CommandLine::Usage() const {
    return "usage: " + Name() + " [OPTIONS]" + (Expected.Usage.empty() ? "" : " " + Expected.Usage) + "\n";
}

std::string CommandLine::Help() const {
    size_t width = 0;
    for (const CliOption& option : Options) {
        width = std::max(width, Spelled(option).size());
    }
    std::string help = Usage() + About + "\nOptions:\n";
    for (const CliOption& option : Options) {
        std::string spelled = Spelled(option);
        spelled.resize(width, ' ');
        std::string description = Bytes(option.Description);
        for (size_t at = 0; (at = description.find('\n', at)) != std::string::npos; at += 1 + width + 4) {
            description.insert(at + 1, width + 4, ' ');
        }
        help += "  " + spelled + "  " + description + "\n";
    }
    return help;
}

} // namespace quillax
