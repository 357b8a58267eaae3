// SPDX-License-Identifier: GPL-3.0-or-later
// quorvel-tool: works on Quorvel documents without a window.

#include "bestlist.h"
#include "bestlistcommand.h"
#include "documentjson.h"
#include "exercisecommand.h"
#include "joincommand.h"
#include "layoutcommand.h"
#include "layoutset.h"
#include "listcommand.h"
#include "printcommand.h"
#include "rendercommand.h"
#include "seriescommand.h"
#include "sheetcommand.h"
#include "teachcommand.h"
#include "toolcommands.h"
#include "worksheetcommand.h"

#include <QGuiApplication>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

using namespace quorvel;

// The largest question number `layout --question` takes.
constexpr int kMaxQuestion = 1000000;

const char kToolHelp[] = R"(Usage: quorvel-tool COMMAND [ARGUMENTS]

Works on Quorvel documents (.qvl) without a window.

Commands:
  dump FILE [--pictures DIR]   print a document as JSON
  build JSON OUT               write a document from JSON
  render FILE OUT.png [...]    draw the learning view of a document
  layout FILE [...]            print the objects of a composed document as JSON
  list FOLDER                  print the topic list of a folder
  teach DOC --folder DIR [...] publish a network exercise and print the class's grid
  join --folder DIR --name NAME [...]  take part in a network exercise
  series pack|run ...          pack a folder into a series package, or run one
  exercise FILE [...]          replay an exercise of a document on the engine
  sheet KIND OUT.png [...]     draw a blackboard sheet
  bestlist FILE.hsc [--add ...]  print a best list ranked, or append to it
  print FILE [...]             print the learning view of a document on a printer
  worksheet FILE OUT [...]     write the worksheet of a document (.emf .wmf .svg .pdf .png)

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

Pictures come from "file" (PNG, JPEG or BMP, told by their content; any other
kind is refused), relative to the folder of JSON unless absolute; "width" and
"height", when given, must match the file. A picture without "file" (or null)
means none. Without a base picture the document gets a white one of the given
width and height, else 870 x 600. The decoded pictures together (a file named
twice counting twice) may take as much memory as the program allows a
document's pictures; beyond it the build is refused.

Objects are written in the order of ZIndex, ties in list order. Objects of
generated types (3, 22-27, 31, 32, 34) are accepted but, as in the program,
not written; a picture object without picture is written as its text type.

Options:
  -h, --help      show this help
)";

const char kRenderHelp[] =
    R"(Usage: quorvel-tool render FILE OUT.png [--size WxH] [--zoom 0..4] [--uncover]
                           [--numbering 0|1|2] [--layers LIST] [--question N]

Writes the picture the learning view shows for the document FILE in a view
area of W x H pixels: the page fitted to the area, zoomed by the level's factor
(1.0, 1.25, 1.5, 1.75, 2.0) and clipped to the area, centred. Every query field
is covered as after loading unless --uncover is given. The format follows the
extension of OUT (.png, .jpg, else a bitmap).

Options:
  --size WxH       the view area (default 1024x768)
  --zoom N         zoom level 0..4 (default 0)
  --uncover        uncover every query field
  --numbering N    0 question marks, 1 ordered (default), 2 random
  --layers LIST    the layers shown, comma-separated numbers: 0 base picture,
                   1 texts and pictures, 2 info points, 3 layout (default
                   0,1,2,3; an empty list hides all)
  --question N     make question N the current one (single questions and
                   multiple choice; outside 1..count the first is shown)
  -h, --help       show this help

A file that cannot be read exits with 1 and the program's messages on stderr.
)";

const char kLayoutHelp[] =
    R"(Usage: quorvel-tool layout FILE [--size WxH] [--question N] [--build]

Reads the document FILE, numbers its query fields in order and composes it for
a learning view of W x H pixels (the page "render" draws at that size), which
runs the layouts of its document type, and prints UTF-8 JSON on stdout:
  {"page": [W, H], "clozeFontSize": s or null, "AnzFrageNummern": n,
   "currentQuestion": q, "objects": [...]}
"page" is the size of the page picture in pixels, "clozeFontSize" the
character height in pixels the cloze layout settled on (null when none ran).
"objects" lists every object in list order, stored and generated, each with
"index" (its position in the list), the keys "dump" prints for an object
(pictures as {"width", "height"}), "widthLimit" and "heightLimit" (fractions
of the page, 0 for none), "Partner" and "KartRect": [left, top, right, bottom]
in page picture pixels as last drawn, null when it was not drawn.

Options:
  --size WxH      the view area (default 1024x768)
  --question N    make question N the current one before composing
  --build         run every layout with building on after reading, as after
                  the page geometry is applied anew
  -h, --help      show this help

A file that cannot be read exits with 1 and the program's messages on stderr.
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

// An option a subcommand knows, with or without a value.
struct OptionSpec {
    const char* name;
    bool takesValue;
    const char* missingValue; // the message when the value is missing
};

// The arguments of a subcommand: positional ones in order and the options
// given. Options may stand anywhere; "--" ends them.
struct ParsedArguments {
    QStringList positional;
    QHash<QString, QString> values;               // options with a value, and flags (empty value)
    std::vector<std::pair<QString, QString>> all; // every option in order, repeated ones too
    bool help = false;

    bool has(const char* name) const { return values.contains(QLatin1StringView(name)); }
    QString value(const char* name) const { return values.value(QLatin1StringView(name)); }
};

std::optional<ParsedArguments>
parseArguments(const QStringList& arguments, const std::vector<OptionSpec>& known, QString& error) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            parsed.positional.append(argument);
            continue;
        }
        if (argument == QLatin1StringView("--")) {
            optionsEnded = true;
            continue;
        }
        if (isHelp(argument)) {
            parsed.help = true;
            continue;
        }
        const auto spec = std::find_if(known.begin(), known.end(), [&](const OptionSpec& o) {
            return argument == QLatin1StringView(o.name);
        });
        if (spec == known.end()) {
            error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
        QString value;
        if (spec->takesValue) {
            // An empty value is a value; only a missing one is an error.
            if (i + 1 >= arguments.size()) {
                error = QLatin1StringView(spec->missingValue);
                return std::nullopt;
            }
            value = arguments[++i];
        }
        parsed.values.insert(argument, value);
        parsed.all.emplace_back(argument, value);
    }
    return parsed;
}

// A usage error found while running a subcommand, reported as runTool reports
// its own.
// The "--set NAME=VALUE" options in their order; false when one has no name.
bool readSets(const ParsedArguments& a, std::vector<std::pair<QString, QString>>& sets) {
    for (const auto& [option, value] : a.all) {
        if (option != QLatin1StringView("--set"))
            continue;
        const qsizetype equals = value.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return false;
        sets.emplace_back(value.left(equals), value.mid(equals + 1));
    }
    return true;
}

CommandOutcome usageOutcome(const QString& message, const QString& command) {
    return {kExitUsage,
            {},
            {QStringLiteral("quorvel-tool: ") + message,
             QStringLiteral("Run \"quorvel-tool %1 --help\" for usage.").arg(command)}};
}

// Reads option `name` with `parse` (value, error) into `target` when it is
// given; false, with `error` set, when its value is bad.
template <typename T, typename Parse>
bool readOption(const ParsedArguments& a, const char* name, T& target, QString& error,
                Parse parse) {
    if (!a.has(name))
        return true;
    const auto value = parse(a.value(name), error);
    if (!value)
        return false;
    target = *value;
    return true;
}

// Reads a whole-number option within [min, max].
template <typename T>
bool readIntOption(const ParsedArguments& a, const char* name, int min, int max, T& target,
                   QString& error) {
    return readOption(a, name, target, error, [&](const QString& value, QString& e) {
        return parseRenderInt(value, min, max, QString::fromLatin1(name), e);
    });
}

CommandOutcome runRender(const ParsedArguments& a, const LayoutSet& layouts) {
    const QString command = QStringLiteral("render");
    RenderOptions options;
    QString error;
    if (!readOption(a, "--size", options.size, error, parseRenderSize))
        return usageOutcome(error, command);
    if (!readIntOption(a, "--zoom", 0, 4, options.zoomLevel, error))
        return usageOutcome(error, command);
    if (!readIntOption(a, "--numbering", 0, 2, options.numbering, error))
        return usageOutcome(error, command);
    if (!readOption(a, "--layers", options.layers, error, parseRenderLayers))
        return usageOutcome(error, command);
    if (!readIntOption(a, "--question", 0, kMaxQuestion, options.question, error))
        return usageOutcome(error, command);
    options.uncover = a.has("--uncover");
    return renderCommand(layouts, a.positional[0], a.positional[1], options);
}

CommandOutcome runLayout(const ParsedArguments& a, const LayoutSet& layouts) {
    const QString command = QStringLiteral("layout");
    LayoutOptions options;
    QString error;
    if (!readOption(a, "--size", options.size, error, parseRenderSize))
        return usageOutcome(error, command);
    if (!readIntOption(a, "--question", 0, kMaxQuestion, options.question, error))
        return usageOutcome(error, command);
    options.build = a.has("--build");
    return layoutCommand(layouts, a.positional[0], options);
}

const char kExerciseHelp[] =
    R"(Usage: quorvel-tool exercise FILE [--size WxH] [--seed N] [--start TIME]
                             [--name NAME] [--set NAME=VALUE]... [--script FILE]
                             [--json] [--rtf FILE]

Replays an individual exercise of the document FILE on the exercise engine,
without a window, on a virtual clock that starts at 0 and moves only with the
pauses of the evaluation and the script's "wait". The page is composed for a
view of W x H pixels as "layout" composes it, so object numbers are the
"index" values that "layout" prints at the same size. The script has no
pointer: a card is released where its action names, and a card sent back goes
straight back to the card column. A run whose protocol passes 64 MiB ends after
that answer, as the program ends it, with a line that says so (also on
stderr); the rest of the script is not read.

Options:
  --size WxH        the view area (default 1024x768)
  --seed N          seeds the random generator (default: from the time)
  --start TIME      the wall-clock start, YYYY-MM-DDTHH:MM:SS (default: now)
  --name NAME       the participant name
  --set NAME=VALUE  overrides an exercise setting (repeatable): AbfrageModus,
                    Zeitlimit, ZeitlimitSek, ZuordnungRichtig, ZuordnungFalsch,
                    Zuordnungstexte, Zuordnungsziele, AnzZeichenVorgeben,
                    RiFaRueckmeldung, or a grading setting: Opt-BewertSkala,
                    Opt-NoteMinQuote1..5, Opt-PunkteMinQuote1..15 (fractions);
                    otherwise the defaults of the document type's group apply
  --script FILE     the actions, one per line ("-" reads standard input)
  --json            print one JSON object instead of the protocol
  --rtf FILE        also write the completed protocol to FILE as rich text,
                    as the protocol window saves it
  -h, --help        show this help

Script actions ("#" starts a comment):
  drop CARD TARGET  release the card of object CARD on object TARGET
                    ("drop CARD -" releases it over nothing)
  basket CARD B     release a cluster card over basket B (from 1)
  click OBJ         click an answer card, a cross-matching element or a point
  tick OBJ          toggle a multiple-choice tick box
  weiter            the "Weiter" button (multiple choice, text input)
  type OBJ TEXT     the rest of the line into the input field of target OBJ
  wait SECONDS      let the clock run (timer ticks, time-out)
  abort             abort the exercise
  repeat MODE       after the end, start again: 0 complete, 1 only what was not
                    solved at the first attempt (as the result window offers it:
                    only after failed attempts, else complete); later actions go
                    to the new run

Output: the completed protocol as markup text, lines ended by CR LF, UTF-8. A
run still going when the script ends is shown as it stands (EndeGrund 0). With
--json: {"EndeGrund", "AbfrageAnz", "AbfrageAnzGesamt", "FalschwortAnz",
"Richtig", "Fehlversuche", "Erfolgsquote", "Gesamtleistung", "OffenAnz",
"Note", "Bewertung", "elapsedMs", "AbfrageFolge" ([card, target] pairs, -1 for
none), "objects" (each with "index", "Typ", "AbfrageStatus", "AbfrageNummer",
"ZielFehlversuche", "KartFehlversuche", "text"), "protocol"}.

A start the program refuses exits with 1 and its message on stderr, and so does
an RTF file that cannot be written (after the output). An action
the running exercise cannot take is reported on stderr as "line N: ..." and
changes nothing; the replay goes on.
)";

CommandOutcome runExercise(const ParsedArguments& a, const LayoutSet& layouts) {
    const QString command = QStringLiteral("exercise");
    ExerciseOptions options;
    QString error;
    if (!readOption(a, "--size", options.size, error, parseRenderSize))
        return usageOutcome(error, command);
    if (a.has("--seed")) {
        bool ok = false;
        options.seed = a.value("--seed").toULongLong(&ok);
        if (!ok)
            return usageOutcome(QStringLiteral("--seed needs a whole number"), command);
    }
    if (!readOption(a, "--start", options.start, error, parseStartTime))
        return usageOutcome(error, command);
    options.name = a.value("--name");
    if (!readSets(a, options.sets))
        return usageOutcome(QStringLiteral("--set needs NAME=VALUE"), command);
    options.scriptPath = a.value("--script");
    options.json = a.has("--json");
    options.rtfPath = a.value("--rtf");
    // An empty name would otherwise write nothing and still succeed.
    if (a.has("--rtf") && options.rtfPath.isEmpty())
        return usageOutcome(QStringLiteral("--rtf needs a file"), command);
    return exerciseCommand(layouts, a.positional[0], options);
}

const char kSheetHelp[] =
    R"(Usage: quorvel-tool sheet KIND OUT.png [--size WxH] [--count N] [--rows M] [--cols C]
                          [--margins LEFT,RIGHT,TOP,BOTTOM] [--line RRGGBB]
                          [--background RRGGBB]

Writes the base picture that the blackboard makes for a picture area of W x H
pixels as a PNG file. KIND is one of blank, ruled, squared, staves,
lineature1, lineature2, lineature3, lineature4, table.

Options:
  --size WxH            the picture area (default 1024x768)
  --count N             lines, squares, staves or lineature bands (default the
                        "mittel" item of the kind: 15, 30, 5, 5, 6, 9, 12);
                        clamped to the free-sheet range of the kind (ruled and
                        squared 1-200, staves and lineatures 1 and 2 1-20,
                        lineature 3 1-50, lineature 4 1-100); ignored by blank
                        and table
  --rows M, --cols C    the table's rows and columns (default 6 and 3),
                        clamped to 1-200
  --margins L,R,T,B     the table's margins in percent (default 5 each),
                        clamped to 0-100
  --line RRGGBB         the line colour (default B8B8B8)
  --background RRGGBB   the background colour (default FFFFFF)
  -h, --help            show this help

A picture that cannot be written exits with 1 and the program's message on
stderr.
)";

CommandOutcome runSheet(const ParsedArguments& a, const LayoutSet&) {
    const QString command = QStringLiteral("sheet");
    if (!a.positional[1].endsWith(QLatin1StringView(".png"), Qt::CaseInsensitive))
        return usageOutcome(QStringLiteral("OUT must end in .png"), command);
    SheetArguments arguments;
    arguments.kind = a.positional[0];
    const auto optional = [&](const char* name) {
        return a.has(name) ? std::optional<QString>(a.value(name)) : std::nullopt;
    };
    arguments.size = optional("--size");
    arguments.count = optional("--count");
    arguments.rows = optional("--rows");
    arguments.columns = optional("--cols");
    arguments.margins = optional("--margins");
    arguments.line = optional("--line");
    arguments.background = optional("--background");
    QString error;
    const std::optional<SheetOptions> options = parseSheetArguments(arguments, error);
    if (!options)
        return usageOutcome(error, command);
    return sheetCommand(a.positional[1], *options);
}

struct Subcommand {
    const char* name;
    const char* help;
    std::vector<OptionSpec> options;
    qsizetype positionalCount; // -1: the command checks them itself
    std::function<CommandOutcome(const ParsedArguments&, const LayoutSet&)> run;
};

const char kListHelp[] = R"(Usage: quorvel-tool list FOLDER

Prints the topic list of FOLDER as the program's topic menu shows it: every
readable document (*.qvl) of the folder, not of its subfolders, sorted by title
in the locale of the environment (LANG, LC_ALL), one line per entry: the
number, ":  " and the title (the file name for an untitled document).
)";

const char kBestListHelp[] =
    R"(Usage: quorvel-tool bestlist FILE.hsc [--add NAME COMPUTER START DURATION_MS PERFORMANCE]

Without --add prints the best list FILE.hsc ranked as the list window shows it
(by performance, then by shorter time, then in file order) as the window's grid
text: the header row and one row per entry, the cells separated by tabs, every
row ended by CR LF. A file that does not exist gives the header and one empty
row, and the program's note on stderr.

With --add appends one entry and prints nothing. The append locks the file, so
several computers may add to one list at the same time.
  NAME, COMPUTER   the participant and the computer
  START            the start of the run, YYYY-MM-DDTHH:MM:SS local time
  DURATION_MS      the duration in milliseconds, 0 to 2147483647
  PERFORMANCE      the overall performance as a fraction from 0 to 1

Options:
  --add        append an entry (takes the five arguments above)
  -h, --help   show this help

A list that cannot be read or written exits with 1 and the program's messages
on stderr.
)";

CommandOutcome runBestList(const ParsedArguments& a, const LayoutSet&) {
    const QString command = QStringLiteral("bestlist");
    if (!a.has("--add")) {
        if (a.positional.size() != 1)
            return usageOutcome(
                QStringLiteral("bestlist expects 1 argument, got %1").arg(a.positional.size()),
                command);
        return bestListCommand(a.positional[0]);
    }
    if (a.positional.isEmpty())
        return usageOutcome(QStringLiteral("bestlist expects FILE.hsc"), command);
    QString error;
    const std::optional<BestListDataTyp> entry = parseBestListEntry(a.positional.mid(1), error);
    if (!entry)
        return usageOutcome(error, command);
    return bestListAddCommand(a.positional[0], *entry);
}

const char kTeachHelp[] =
    R"(Usage: quorvel-tool teach DOC --folder DIR [--channel NAME] [--method 0|1]
                          [--set NAME=VALUE]... [--lesson-code CODE]
                          [--participants N] [--seconds S]
                          [--class-picture FILE.png]

Initiates a network exercise of the document DOC in the communication folder
DIR as the teacher PC does: the document copy, the settings file and the
registration marker are written, and the participants' messages are received
over the method's transport (1: datagrams, the default; 0: message files in
DIR). After S seconds (default 60), or as soon as N participant rows have a
final status ("fertig", "abgebr." or "timeout"), the exercise ends (the
exchange files are cleared, the network best list is kept) and the
participant grid is printed as text: every row from the header row on, cells
joined by a tab, each row ended by CR LF.

Options:
  --channel NAME      the channel (default MASTER-1, at most 8 characters)
  --method 0|1        how participants answer (default 1)
  --set NAME=VALUE    an exercise setting, as for "exercise" (repeatable)
  --lesson-code CODE  accept only participants who know CODE
  --participants N    end when N rows have a final status
  --seconds S         end after S seconds (default 60)
  --class-picture FILE.png
                      when the exercise ends, also write the class picture:
                      the document's page as the learning view composes it,
                      every query field framed by how the class did on it
                      (green: solved at the first attempt, amber: after wrong
                      attempts, red: wrong and not solved, grey: not answered)
                      with the shares in percent beside it, the field missed
                      most marked by a dashed frame and an inverted figure;
                      always PNG

An initiation that fails exits with 1 and the program's message on stderr; a
class picture that cannot be written exits with 1 and the program's
file-write message on stderr (the grid is printed all the same).
)";

CommandOutcome runTeach(const ParsedArguments& a, const LayoutSet& layouts) {
    const QString command = QStringLiteral("teach");
    TeachOptions options;
    options.folder = a.value("--folder");
    if (options.folder.isEmpty())
        return usageOutcome(QStringLiteral("teach needs --folder DIR"), command);
    if (a.has("--channel"))
        options.channel = a.value("--channel");
    bool ok = true;
    if (a.has("--method")) {
        options.method = a.value("--method").toInt(&ok);
        if (!ok || options.method < 0 || options.method > 1)
            return usageOutcome(QStringLiteral("--method takes 0 or 1"), command);
    }
    if (!readSets(a, options.sets))
        return usageOutcome(QStringLiteral("--set needs NAME=VALUE"), command);
    options.lessonCode = a.value("--lesson-code");
    if (a.has("--participants")) {
        options.participants = a.value("--participants").toInt(&ok);
        if (!ok || options.participants < 1 || options.participants > 100000)
            return usageOutcome(QStringLiteral("--participants takes a number from 1"), command);
    }
    if (a.has("--seconds")) {
        options.seconds = a.value("--seconds").toInt(&ok);
        if (!ok || options.seconds < 0 || options.seconds > 24 * 3600)
            return usageOutcome(QStringLiteral("--seconds takes 0 to 86400"), command);
    }
    if (a.has("--class-picture")) {
        options.classPicture = a.value("--class-picture");
        if (options.classPicture.isEmpty())
            return usageOutcome(QStringLiteral("--class-picture needs FILE.png"), command);
    }
    return teachCommand(layouts, a.positional[0], options);
}

const char kPrintHelp[] =
    R"(Usage: quorvel-tool print FILE [--printer QUEUE] [--size WxH] [--left CM] [--top CM]
                          [--width CM] [--height CM] [--no-ratio] [--copies N]

Prints the learning view of the document FILE as "Drucken" in the dialog
"Ansicht drucken" does: the view is composed for a view area of W x H pixels
(as "render" draws it, fields covered) and stretched exactly into the
rectangle LEFT, TOP, WIDTH x HEIGHT measured from the paper edges, on one
page. Lengths are centimetres with "," or "." as the decimal mark.

With the ratio rule on (the default) the height is the width divided by the
picture's width/height ratio; given only --height, the width follows the
height instead. --no-ratio prints WIDTH x HEIGHT as given.

Options:
  --printer QUEUE  the CUPS queue (default: the default printer)
  --size WxH       the view area (default 1024x768)
  --left CM        left edge of the picture from the paper edge (default 2,0)
  --top CM         top edge of the picture from the paper edge (default 2,0)
  --width CM       printed width (default 17,0)
  --height CM      printed height (default 17,0)
  --no-ratio       do not keep the picture's ratio
  --copies N       number of copies, 1 to 999 (default 1)
  -h, --help       show this help

Exits 0 when CUPS accepted the job. An unknown queue, no printer at all, a
document that cannot be read or a job CUPS refused exits with 1 and a German
message on stderr.
)";

CommandOutcome runPrint(const ParsedArguments& a, const LayoutSet& layouts) {
    const QString command = QStringLiteral("print");
    PrintCommandOptions options;
    QString error;
    if (!readOption(a, "--size", options.size, error, parseRenderSize))
        return usageOutcome(error, command);
    if (!readIntOption(a, "--copies", 1, 999, options.fields.copies, error))
        return usageOutcome(error, command);
    const struct {
        const char* name;
        QString* field;
        bool size;
    } lengths[] = {{"--left", &options.fields.left, false},
                   {"--top", &options.fields.top, false},
                   {"--width", &options.fields.width, true},
                   {"--height", &options.fields.height, true}};
    for (const auto& length : lengths) {
        const auto parse = [&](const QString& value, QString& e) {
            return parsePrintLength(value, QString::fromLatin1(length.name), length.size, e);
        };
        if (!readOption(a, length.name, *length.field, error, parse))
            return usageOutcome(error, command);
    }
    if (a.has("--printer") && a.value("--printer").isEmpty())
        return usageOutcome(QStringLiteral("--printer needs a queue"), command);
    options.queue = a.value("--printer");
    options.widthGiven = a.has("--width");
    options.heightGiven = a.has("--height");
    options.fields.keepRatio = !a.has("--no-ratio");
    return printCommand(layouts, a.positional[0], options);
}

const char kWorksheetHelp[] =
    R"help(Usage: quorvel-tool worksheet FILE OUT [--kind 0|1|2|3] [--landscape]
                              [--set CONTROL=VALUE]...

Builds the worksheet of the document FILE as the dialog "Arbeitsblatt" does
with its start values (the document's title as the title line, its task text
"ABAufgabe") and writes it to OUT in the format of OUT's extension:
  .emf  enhanced metafile
  .wmf  placeable Windows metafile
  .svg  SVG, the page as its view box
  .pdf  one A4 page in the sheet's orientation, the sheet fitted into it
  .png  the page at one pixel per unit
The page is 1000 x 1625 units in portrait and 1625 x 1000 in landscape.

Options:
  --kind N            0 "Arbeitsblatt" (default), 1 "Lösungsblatt (komplett)",
                      2 "Lösungsblatt (Auflegefolie)", 3 "Ausschneideblatt"
  --landscape         "Querformat"
  --set CONTROL=VALUE sets a control of the dialog by its name (repeatable,
                      applied in order after --kind and --landscape): check
                      boxes 0 or 1, ModeRadio 0-3, OrientRadio 0-1,
                      KaestchengroesseCombo "50 %" to "200 %", AbFrageEdit
                      1-99999, MaxFontSize -10 to 10, SpaltenComboBox 1-20,
                      BasisbildX -20 to 20, BasisbildY -20 to 1000,
                      BasisbildGroesse 1 to 300, TitelEdit and AufgMemo any
                      text. TitelCheck=0 without TitelEdit leaves the title
                      line out. The controls: ModeRadio, OrientRadio,
                      ABNameBox, ABKlasseBox, ABDatumBox, ABFachBox,
                      ABBlattNrBox, TitelEdit, TitelCheck, AufgMemo,
                      TextvorgabeCheck, KaestchengroesseCombo, AbFrageEdit,
                      RaenderCheck, MaxFontSize, BasisbildCheck,
                      BasisbildCheck0, BasisbildX, BasisbildY,
                      BasisbildGroesse, VollbreiteCheck, ObjekteCheck,
                      ZeichnungenEinbindenCheck, ErstBuchstabeVorgabeCheck,
                      SpaltenComboBox
  -h, --help          show this help

Another extension exits with 1 and "Speichern fehlgeschlagen wegen ungültiger
Dateinamenserweiterung." on stderr and writes nothing. A document that cannot
be read or a file that cannot be written exits with 1 and the program's
message on stderr. An unknown control or a bad value is a usage error (2).
)help";

CommandOutcome runWorksheet(const ParsedArguments& a, const LayoutSet& layouts) {
    const QString command = QStringLiteral("worksheet");
    WorksheetCommandOptions options;
    QString error;
    if (!readIntOption(a, "--kind", 0, 3, options.kind, error))
        return usageOutcome(error, command);
    options.landscape = a.has("--landscape");
    if (!readSets(a, options.sets))
        return usageOutcome(QStringLiteral("--set needs CONTROL=VALUE"), command);
    return worksheetCommand(layouts, a.positional[0], a.positional[1], options);
}

const Subcommand kSubcommands[] = {
    {"dump",
     kDumpHelp,
     {{"--pictures", true, "--pictures needs a folder"}},
     1,
     [](const ParsedArguments& a, const LayoutSet& layouts) {
         if (a.has("--pictures") && a.value("--pictures").isEmpty())
             return usageOutcome(QStringLiteral("--pictures needs a folder"),
                                 QStringLiteral("dump"));
         return dumpCommand(layouts, a.positional[0], a.value("--pictures"));
     }},
    {"build",
     kBuildHelp,
     {},
     2,
     [](const ParsedArguments& a, const LayoutSet&) {
         return buildCommand(a.positional[0], a.positional[1]);
     }},
    {"render",
     kRenderHelp,
     {{"--size", true, "--size needs WxH"},
      {"--zoom", true, "--zoom needs a level"},
      {"--uncover", false, ""},
      {"--numbering", true, "--numbering needs a mode"},
      {"--layers", true, "--layers needs a list"},
      {"--question", true, "--question needs a number"}},
     2,
     runRender},
    {"layout",
     kLayoutHelp,
     {{"--size", true, "--size needs WxH"},
      {"--question", true, "--question needs a number"},
      {"--build", false, ""}},
     1,
     runLayout},
    {"exercise",
     kExerciseHelp,
     {{"--size", true, "--size needs WxH"},
      {"--seed", true, "--seed needs a number"},
      {"--start", true, "--start needs a time"},
      {"--name", true, "--name needs a name"},
      {"--set", true, "--set needs NAME=VALUE"},
      {"--script", true, "--script needs a file"},
      {"--json", false, ""},
      {"--rtf", true, "--rtf needs a file"}},
     1,
     runExercise},
    {"list",
     kListHelp,
     {},
     1,
     [](const ParsedArguments& a, const LayoutSet&) { return listCommand(a.positional[0]); }},
    {"sheet",
     kSheetHelp,
     {{"--size", true, "--size needs WxH"},
      {"--count", true, "--count needs a number"},
      {"--rows", true, "--rows needs a number"},
      {"--cols", true, "--cols needs a number"},
      {"--margins", true, "--margins needs LEFT,RIGHT,TOP,BOTTOM"},
      {"--line", true, "--line needs a colour"},
      {"--background", true, "--background needs a colour"}},
     2,
     runSheet},
    {"bestlist", kBestListHelp, {{"--add", false, ""}}, -1, runBestList},
    {"teach",
     kTeachHelp,
     {{"--folder", true, "--folder needs a folder"},
      {"--channel", true, "--channel needs a name"},
      {"--method", true, "--method needs 0 or 1"},
      {"--set", true, "--set needs NAME=VALUE"},
      {"--lesson-code", true, "--lesson-code needs a code"},
      {"--participants", true, "--participants needs a number"},
      {"--seconds", true, "--seconds needs a number"},
      {"--class-picture", true, "--class-picture needs FILE.png"}},
     1,
     runTeach},
    {"series",
     kSeriesHelp,
     {{"--title", true, "--title needs a text"},
      {"--info", true, "--info needs a text"},
      {"--mode", true, "--mode needs 0, 1 or 2"},
      {"--weight", true, "--weight needs FILE=N"},
      {"--minutes", true, "--minutes needs FILE=N"},
      {"--modus", true, "--modus needs FILE=N"},
      {"--inactive", true, "--inactive needs FILE"},
      {"--order", true, "--order needs FILE,FILE,..."},
      {"--script", true, "--script needs FILE=SCRIPT"},
      {"--seed", true, "--seed needs a number"},
      {"--start", true, "--start needs a time"},
      {"--name", true, "--name needs a name"},
      {"--json", false, ""}},
     -1,
     [](const ParsedArguments& a, const LayoutSet& layouts) {
         return runSeriesArguments(layouts, a.positional, a.all);
     }},
    {"join",
     kJoinHelp,
     {{"--folder", true, "--folder needs a folder"},
      {"--channel", true, "--channel needs a name"},
      {"--method", true, "--method needs 0 or 1"},
      {"--name", true, "--name needs a name"},
      {"--script", true, "--script needs a file"},
      {"--seed", true, "--seed needs a number"},
      {"--wait", true, "--wait needs seconds"},
      {"--count", true, "--count needs a number"},
      {"--lesson-code", true, "--lesson-code needs a code"},
      {"--json", false, ""}},
     0,
     [](const ParsedArguments& a, const LayoutSet& layouts) {
         return runJoinOptions(layouts, a.values);
     }},
    {"print",
     kPrintHelp,
     {{"--printer", true, "--printer needs a queue"},
      {"--size", true, "--size needs WxH"},
      {"--left", true, "--left needs centimetres"},
      {"--top", true, "--top needs centimetres"},
      {"--width", true, "--width needs centimetres"},
      {"--height", true, "--height needs centimetres"},
      {"--no-ratio", false, ""},
      {"--copies", true, "--copies needs a number"}},
     1,
     runPrint},
    {"worksheet",
     kWorksheetHelp,
     {{"--kind", true, "--kind needs 0, 1, 2 or 3"},
      {"--landscape", false, ""},
      {"--set", true, "--set needs CONTROL=VALUE"}},
     2,
     runWorksheet},
};

int runTool(const QStringList& arguments, const LayoutSet& layouts) {
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
            parseArguments(arguments.mid(1), command.options, error);
        if (!parsed)
            return usageError(error, name);
        if (parsed->help) {
            printOut(command.help);
            return kExitOk;
        }
        if (command.positionalCount >= 0 && parsed->positional.size() != command.positionalCount) {
            return usageError(QStringLiteral("%1 expects %2 arguments, got %3")
                                  .arg(name)
                                  .arg(command.positionalCount)
                                  .arg(parsed->positional.size()),
                              name);
        }
        return report(command.run(*parsed, layouts));
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
    const LayoutSet layouts = buildLayoutSet();
    return runTool(QCoreApplication::arguments().mid(1), layouts);
}
