#pragma once

#include "quillax/CliCommand.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quillax {

// One option of a command: its names ("h", "help"), the name of the value it takes (none for a flag)
// and what it does, for the help.
struct CliOption {
    QStringList Names;
    QString ValueName;
    QString Description;
};

// The operands a command takes: as the usage line shows them ("FILE OUTPUT", "FILE..."), and how many.
struct CliOperands {
    std::string Usage;
    size_t Least;
    size_t Most;
};

// A command's options and operands, parsed by QCommandLineParser: options anywhere among the
// operands, a value after a space or an equals sign, "--" ends the options and "-" is an operand.
// Arguments are bytes and the parser sees each byte as one Latin-1 character, so every file name
// comes back byte for byte (a file name is never text here).
class CommandLine {
public:
    // command: "render", or empty for the program itself; about: the help's description.
    CommandLine(std::string command, CliOperands operands, std::string about, std::vector<CliOption> options);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // The first operand ends the options; the rest are operands whatever they look like.
    void StopAtFirstOperand();
    // A status when the command is done: its help asked for (written to Out, 0), or arguments it does
    // not take (the reason and the usage line to Err, 2). Empty when the command is to run.
    std::optional<int> Parse(const CliContext& context);
    // Reports a usage error in arguments that parsed: the reason and the usage line to Err; gives 2.
    int UsageError(const CliContext& context, const std::string& reason) const;

    bool IsSet(const QString& name) const { return Parser.isSet(name); }
    // The option's last value, bytes as given.
    std::string Value(const QString& name) const;
    // Every value of a repeated option, in order.
    std::vector<std::string> Values(const QString& name) const;
    const std::vector<std::string>& Operands() const { return GivenOperands; }

    std::string Usage() const;
    std::string Help() const;

private:
    // "quillax render", or "quillax" for the program itself.
    std::string Name() const;
    std::optional<std::string> ParseError(const std::vector<std::string>& arguments);
    std::optional<std::string> OperandError() const;

    std::string Command;
    CliOperands Expected;
    std::string About;
    std::vector<CliOption> Options;
    QCommandLineParser Parser;
    std::vector<std::string> GivenOperands;
};

} // namespace quillax
