#include "quillax/CliConvert.h"

#include "objectjson/ObjectJson.h"
#include "objects/ObjectFileBytes.h"
#include "objectsvg/ObjectSvg.h"
#include "platform/RuntimeError.h"
#include "quillax/CommandLine.h"
#include "quillax/InputText.h"
#include "quillax/ObjectLoading.h"
#include "quillax/OptionNumbers.h"
#include "quillax/OutputFormat.h"
#include "quillax/StandardStreams.h"
#include "sceneexport/ExportFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>

namespace quillax {

namespace {
const char* const ConvertAbout =
    "Converts an object between its file (.lin), its JSON form (.json) and SVG (.svg), in either\n"
    "direction; the formats come from the names' extensions or from --from and --to. A .lin goes to\n"
    "JSON and back to the same bytes. From SVG, every polyline, polygon, line, rect and path of\n"
    "straight segments becomes a mesh in its stroke's colour, in user units through every transform;\n"
    "curves (and circles and ellipses) need --flatten. To SVG, a polyline per mesh in model units.\n"
    "INPUT - is standard input, OUTPUT - standard output.\n";

const std::string FormatNames[] = {"lin", "json", "svg"};

// lin, json or svg in any case.
std::optional<ObjectFormat> FormatNamed(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto found = std::find(std::begin(FormatNames), std::end(FormatNames), name);
    return found == std::end(FormatNames)
               ? std::nullopt
               : std::optional(static_cast<ObjectFormat>(found - std::begin(FormatNames)));
}

// The format of an input or output: the option when given, else the name's extension; the reason when
// neither tells or they disagree.
struct FormatOf {
    std::optional<ObjectFormat> Format;
    std::string Error;
};
FormatOf ChooseFormat(const CommandLine& line, const char* option, const std::string& name,
                      const std::string& shown) {
    const std::string extension = ExtensionOf(name);
    const std::optional<ObjectFormat> named = FormatNamed(extension);
    const std::string formats = "lin, json or svg";
    if (line.IsSet(option)) {
        const std::string asked = line.Value(option);
        const std::optional<ObjectFormat> format = FormatNamed(asked);
        if (!format) {
            return {std::nullopt, "--" + std::string(option) + " " + asked + ": not " + formats};
        }
        if (named && named != format) {
            return {std::nullopt, shown + ": the name says " + extension + ", --" + option + " " + asked};
        }
        return {format, {}};
    }
    if (!named) {
        return {std::nullopt,
                shown + ": no extension of " + formats + " to tell its format; give --" + option};
    }
    return {named, {}};
}

struct ConvertOptions {
    ObjectFormat From = ObjectFormat::Lin;
    ObjectFormat To = ObjectFormat::Json;
    SvgImportOptions Svg;
    std::chrono::milliseconds ReaderWait{};
};

// The SVG options into options.Svg; the reason for a usage error.
std::string ReadSvgOptions(const CommandLine& line, ConvertOptions& options) {
    const bool svg = options.From == ObjectFormat::Svg;
    for (const char* name : {"flatten", "scale", "centre"}) {
        if (line.IsSet(name) && !svg) {
            return "--" + std::string(name) + " is for an SVG input only";
        }
    }
    if (line.IsSet("flatten")) {
        const std::optional<double> tolerance = RealIn(line.Value("flatten"));
        if (!tolerance || !(*tolerance > 0)) {
            return "--flatten " + line.Value("flatten") + ": not a distance above 0, in model units";
        }
        options.Svg.Tolerance = tolerance;
    }
    if (line.IsSet("scale")) {
        const std::optional<double> scale = RealIn(line.Value("scale"));
        if (!scale || *scale == 0) {
            return "--scale " + line.Value("scale") +
                   ": not a number of model units per user unit, other than 0";
        }
        options.Svg.Scale = *scale;
    }
    if (line.IsSet("centre")) {
        const std::optional<RealPair> centre = PairIn(line.Value("centre"));
        if (!centre || !std::isfinite(static_cast<float>(centre->X)) ||
            !std::isfinite(static_cast<float>(centre->Y))) {
            return "--centre " + line.Value("centre") + ": not X,Y in model units";
        }
        options.Svg.CentreX = static_cast<float>(centre->X);
        options.Svg.CentreY = static_cast<float>(centre->Y);
    }
    return {};
}

std::string ReadOptions(const CommandLine& line, ConvertOptions& options) {
    const FormatOf from = ChooseFormat(line, "from", line.Operands()[0], ShownInput(line.Operands()[0]));
    const FormatOf to = ChooseFormat(line, "to", line.Operands()[1], ShownOutput(line.Operands()[1]));
    if (!from.Format || !to.Format) {
        return from.Format ? to.Error : from.Error;
    }
    options.From = *from.Format;
    options.To = *to.Format;
    const WaitChoice wait = ChooseWait(line);
    options.ReaderWait = wait.Wait;
    return wait.Error.empty() ? ReadSvgOptions(line, options) : wait.Error;
}

// The input as an object; the reason, for the message, when it is not one.
ObjectImport ReadObject(const std::string& name, ObjectFormat from, const SvgImportOptions& svg) {
    if (from == ObjectFormat::Lin) {
        ObjectFile object;
        const LoadOutcome outcome = LoadForCli(name, object);
        if (!outcome.Loaded) {
            return {std::nullopt, outcome.Message};
        }
        if (object.DroppedTrailingBytes > 0) {
            return {std::nullopt, std::to_string(object.DroppedTrailingBytes) +
                                      " bytes after the last mesh: more than the " +
                                      std::to_string(MaxTrailingBytes) + " that are kept"};
        }
        return {std::move(object), {}};
    }
    const InputText text = ReadInputText(name);
    if (!text.Read) {
        return {std::nullopt, text.Error};
    }
    return from == ObjectFormat::Json ? ObjectFromJson(text.Bytes) : ObjectFromSvg(text.Bytes, svg);
}

// The output's bytes; the reason when the object cannot be written in that format.
struct OutputText {
    std::string Bytes;
    std::string Error;
};
OutputText WrittenAs(const ObjectFile& object, ObjectFormat format) {
    if (format == ObjectFormat::Json) {
        return {ObjectJsonText(object, {}) + "\n", {}};
    }
    if (format == ObjectFormat::Svg) {
        ModelSvg svg = ModelSvgText(object);
        return {std::move(svg.Text), std::move(svg.Error)};
    }
    try {
        const std::vector<uint8_t> bytes = ObjectFileBytes(object);
        return {std::string(bytes.begin(), bytes.end()), {}};
    } catch (const RuntimeError& error) {
        return {{}, ErrorText(error)};
    }
}
} // namespace

int CliConvert(const CliContext& context) {
    CommandLine line(
        "convert", {"INPUT OUTPUT", 2, 2}, ConvertAbout,
        {{{"from"}, "FORMAT", "lin, json or svg: INPUT's format, where its name does not tell"},
         {{"to"}, "FORMAT", "lin, json or svg: OUTPUT's format, where its name does not tell"},
         {{"flatten"}, "TOLERANCE", "from SVG: curves become segments within TOLERANCE model units"},
         {{"scale"}, "S", "from SVG: S model units per user unit (default 1)"},
         {{"centre"}, "X,Y", "from SVG: the object's centre (default 0,0)"},
         WaitOption()});
    if (const std::optional<int> done = line.Parse(context)) {
        return *done;
    }
    ConvertOptions options;
    if (const std::string error = ReadOptions(line, options); !error.empty()) {
        return line.UsageError(context, error);
    }
    return ConvertObject(line.Operands()[0], line.Operands()[1], options.From, options.To, options.Svg,
                         options.ReaderWait, context, "convert");
}

int ConvertObject(const std::string& input, const std::string& output, ObjectFormat from, ObjectFormat to,
                  const SvgImportOptions& svg, std::chrono::milliseconds readerWait,
                  const CliContext& context, const char* command) {
    const ObjectImport read = ReadObject(input, from, svg);
    if (!read.Object) {
        ReportInputError(context, command, input, read.Error);
        return ExitStatus::Failed;
    }
    const OutputText text = WrittenAs(*read.Object, to);
    if (!text.Error.empty()) {
        ReportInputError(context, command, input, text.Error);
        return ExitStatus::Failed;
    }
    const WriteOutcome outcome =
        WriteWholeFile(*OutputNamed(output, readerWait, context, command), [&](QIODevice& out) {
            out.write(text.Bytes.data(), static_cast<qint64>(text.Bytes.size()));
            return std::string();
        });
    return ReportWrite(outcome, output, command, context);
}

} // namespace quillax
