// quorvel-tool: works on Quorvel documents without a window.

#include "documentjson.h"
#include "toolcommands.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

using namespace quorvel;

const char kToolHelp[] = R"(Usage: quorvel-tool COMMAND [ARGUMENTS]

Works on Quorvel documents (.qvl) without a window.

Commands:
  dump FILE [--pictures DIR]   print a document as JSON
  build JSON OUT               write a document from JSON

Run "quorvel-tool COMMAND --help" for the details of a command.
Exit codes: 0 success, 1 failure (messages on stderr), 2 usage error.
)";

const char kDumpHelp[] = R"(Usage: quorvel-tool dump FILE [--pictures DIR]

Prints the document FILE as UTF-8 JSON on stdout:
  {"format", "header", "crossword", "logo", "objects", "basisbild"}
"format" is the magic the file starts with (e.g. "QVL-2.21"). Header, cell and
object keys are the field names of the document records. Colours are unsigned
integers 0x00BBGGRR, rects [left, top, right, bottom]. The gap table holds the
used rows and columns; the crossword grid is indexed [x][y]. A picture is null
or {"width": W, "height": H}.

Options:
  --pictures DIR  also write every picture into DIR as PNG (alpha kept) and
                  add its path as "file": basisbild.png, logo.png,
                  cell-r<R>-c<C>.png, obj<N>-bild.png, obj<N>-antw<K>.png
                  (all numbers counted from 0, like the JSON arrays)
  -h, --help      show this help

A file that cannot be read exits with 1 and the program's messages on stderr.
)";

const char kBuildHelp[] = R"(Usage: quorvel-tool build JSON OUT

Writes the document described by the file JSON (the form "dump" prints) to OUT.

Every key is optional. A missing header key takes the value of a new document
(EinrueckRand the default of the document type); a missing object key takes
the value a reader gives a field absent from a file (info, link and document
points get their title, white text and coloured opaque background). Unknown
keys, wrong types and numbers out of range are errors. "format" is ignored:
the current format is always written.

Pictures come from "file" (PNG, JPEG or BMP by extension), relative to the
folder of JSON unless absolute; "width" and "height", when given, must match
the file. A picture without "file" (or null) means none. Without a base picture
the document gets a white one of the given width and height, else 870 x 600.

Objects are written in the order of ZIndex, ties in list order. Objects of
generated types (3, 22-27, 31, 32, 34) are accepted but, as in the program,
not written; a picture object without picture is written as its text type.

Options:
  -h, --help      show this help
)";

void printOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void printError(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

int usageError(const QString& message, const QString& command) {
    printError(QStringLiteral("quorvel-tool: ") + message);
    printError(QStringLiteral("Run \"quorvel-tool %1--help\" for usage.")
                   .arg(command.isEmpty() ? QString() : command + QLatin1Char(' ')));
    return kExitUsage;
}

int report(const CommandOutcome& outcome) {
    printOut(outcome.output);
    for (const QString& line : outcome.errors)
        printError(line);
    return outcome.exitCode;
}

bool isHelp(const QString& argument) {
    return argument == QLatin1StringView("-h") || argument == QLatin1StringView("--help");
}

// The arguments of a subcommand: positional ones in order and the values of
// the options it knows. Options may stand anywhere; "--" ends them.
struct ParsedArguments {
    QStringList positional;
    QString picturesDir;
    bool help = false;
};

std::optional<ParsedArguments> parseArguments(const QStringList& arguments, bool acceptsPictures,
                                              QString& error) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            parsed.positional.append(argument);
        } else if (argument == QLatin1StringView("--")) {
            optionsEnded = true;
        } else if (isHelp(argument)) {
            parsed.help = true;
        } else if (acceptsPictures && argument == QLatin1StringView("--pictures")) {
            parsed.picturesDir = i + 1 < arguments.size() ? arguments[++i] : QString();
            if (parsed.picturesDir.isEmpty()) {
                error = QStringLiteral("--pictures needs a folder");
                return std::nullopt;
            }
        } else {
            error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
    }
    return parsed;
}

struct Subcommand {
    const char* name;
    const char* help;
    bool acceptsPictures;
    qsizetype positionalCount;
    std::function<CommandOutcome(const ParsedArguments&)> run;
};

const Subcommand kSubcommands[] = {
    {"dump", kDumpHelp, true, 1,
     [](const ParsedArguments& a) { return dumpCommand(a.positional[0], a.picturesDir); }},
    {"build", kBuildHelp, false, 2,
     [](const ParsedArguments& a) { return buildCommand(a.positional[0], a.positional[1]); }},
};

int runTool(const QStringList& arguments) {
    if (arguments.isEmpty())
        return usageError(QStringLiteral("no command given"), {});
    if (isHelp(arguments.first())) {
        printOut(kToolHelp);
        return kExitOk;
    }
    for (const Subcommand& command : kSubcommands) {
        const QString name = QLatin1StringView(command.name);
        if (arguments.first() != name)
            continue;
        QString error;
        const std::optional<ParsedArguments> parsed =
            parseArguments(arguments.mid(1), command.acceptsPictures, error);
        if (!parsed)
            return usageError(error, name);
        if (parsed->help) {
            printOut(command.help);
            return kExitOk;
        }
        if (parsed->positional.size() != command.positionalCount) {
            return usageError(QStringLiteral("%1 expects %2 arguments, got %3")
                                  .arg(name)
                                  .arg(command.positionalCount)
                                  .arg(parsed->positional.size()),
                              name);
        }
        return report(command.run(*parsed));
    }
    return usageError(QStringLiteral("unknown command %1").arg(arguments.first()), {});
}

} // namespace

int main(int argc, char** argv) {
    // The document core measures fonts, which needs a GUI application; the
    // tool runs headless unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return runTool(QCoreApplication::arguments().mid(1));
}
