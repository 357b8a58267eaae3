// SPDX-License-Identifier: GPL-3.0-or-later
#include "joincommand.h"

#include "document.h"
#include "documentio.h"
#include "exerciseclock.h"
#include "exercisecommand.h"
#include "exercisesession.h"
#include "localidentity.h"
#include "mailslotwire.h"
#include "networkparticipant.h"
#include "randomgenerator.h"
#include "settingoverrides.h"
#include "tmailslotchannel.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>
#include <memory>
#include <vector>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// The start dialog looks every 500 ms; the tool need not be slower.
constexpr int kAvailabilityPollMs = 100;
// The longest a class's messages may take to leave once the scripts ended.
constexpr int kFlushMs = 120000;
constexpr int kMaxCount = 250;

// One participant PC of this process.
struct Pupil {
    Pupil(const Document& copy, const ExerciseRuleSet& rules, quint64 seed)
        : document(copy), random(seed), session(document, rules, clock, random) {}
    Document document;
    VirtualClock clock;
    RandomGenerator random;
    ExerciseSession session;
    std::unique_ptr<NetworkParticipant> participant;
    std::unique_ptr<ScriptPlayer> player;
};

CommandOutcome failure(const QStringList& messages) {
    return {kExitFailure, {}, messages};
}

// Waits until the teacher published an exercise, at most `seconds`.
bool waitForExercise(const ExchangeFiles& files, int seconds) {
    QElapsedTimer timer;
    timer.start();
    while (!files.available()) {
        if (timer.elapsed() >= qint64(seconds) * 1000)
            return false;
        QThread::msleep(kAvailabilityPollMs);
    }
    return true;
}

} // namespace

CommandOutcome joinCommand(const ViewLayouts& layouts, const JoinOptions& options) {
    if (!isPlainMailBoxName(options.channel))
        return failure({msgInvalidChannel(options.channel)});
    if (!QDir(options.folder).exists())
        return failure({u"Der angegebene Kommunikationsordner ist nicht verfügbar. Wählen Sie zur "
                        u"Korrektur den Menüpunkt \"Optionen/Kommunikationsordner...\""_s});
    QByteArray script;
    CommandOutcome failed;
    if (!readExerciseScript(options.scriptPath, std::nullopt, script, failed))
        return failed;

    const ExchangeFiles files(options.folder, options.channel);
    if (!waitForExercise(files, options.waitSeconds))
        return failure({u"Netzwerk-Übung nicht initiiert."_s});
    NetworkInvitation invitation;
    if (const IoResult read = readInvitation(files, options.lessonCode, invitation); !read)
        return failure(read.messages);
    Document published;
    published.reset();
    {
        QBuffer buffer(&invitation.document);
        buffer.open(QIODevice::ReadOnly);
        const IoResult read = readDocumentStream(buffer, published, ReadOptions{layouts});
        if (!read)
            return failure(read.messages + QStringList{msgCannotRead(files.documentPath())});
    }

    // Participant IDs must differ between computers that run the same seed.
    RandomGenerator ids(QRandomGenerator::system()->generate64());
    TMailSlotChannel channel;
    channel.setMailBox(options.channel);
    TMailSlotChannel* send = options.method == 1 ? &channel : nullptr;
    const quint64 seed =
        options.seed ? *options.seed : quint64(QDateTime::currentMSecsSinceEpoch());
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    SettingOverrides own;

    CommandOutcome outcome;
    const int count = std::max(1, options.count);
    std::vector<std::unique_ptr<Pupil>> pupils;
    for (int i = 1; i <= count; ++i) {
        const QString name = options.count > 0 ? u"%1-%2"_s.arg(options.name).arg(i) : options.name;
        auto pupil = std::make_unique<Pupil>(published, rules, options.count > 0 ? seed + i : seed);
        RandomGenerator numbering;
        prepareExerciseDocument(layouts, options.size, pupil->document, numbering);
        pupil->participant =
            std::make_unique<NetworkParticipant>(files, send, invitation, name, hostName(), ids);
        QObject::connect(pupil->participant.get(), &NetworkParticipant::problem,
                         pupil->participant.get(), [&outcome](const QString& message) {
                             outcome.errors << message;
                             outcome.exitCode = kExitFailure;
                         });
        const QDateTime start = QDateTime::currentDateTime();
        const StartRequest request = participantRequest(
            dokTypOf(pupil->document.header), own.settings(), invitation.settings, name, start);
        pupil->participant->join(start);
        pupil->participant->observe(pupil->session.run());
        const StartOutcome started = pupil->session.start(request, false);
        if (!started.started()) {
            pupil->participant->leave();
            pupil->participant->flush(kFlushMs);
            outcome.errors << started.message;
            outcome.exitCode = kExitFailure;
            return outcome;
        }
        pupil->player = std::make_unique<ScriptPlayer>(pupil->session, pupil->clock, start);
        pupils.push_back(std::move(pupil));
    }

    // The participants take turns line by line, as a class works side by side.
    QTextStream lines(script);
    lines.setEncoding(QStringConverter::Utf8);
    int number = 0;
    QString text;
    while (lines.readLineInto(&text)) {
        ++number;
        for (const auto& pupil : pupils) {
            const QString error = pupil->player->play(text, number);
            if (!error.isEmpty())
                outcome.errors << (options.count > 0 ? pupil->participant->name() + u": "_s + error
                                                     : error);
        }
        QCoreApplication::processEvents();
    }
    for (const auto& pupil : pupils) {
        if (pupil->session.run().running())
            pupil->session.abort();
    }
    QElapsedTimer flushing;
    flushing.start();
    for (const auto& pupil : pupils)
        pupil->participant->flush(int(std::max<qint64>(0, kFlushMs - flushing.elapsed())));

    if (options.json && options.count > 0) {
        QJsonArray runs;
        for (const auto& pupil : pupils)
            runs.append(exerciseRunObject(pupil->session.run()));
        outcome.output = QJsonDocument(runs).toJson(QJsonDocument::Indented);
    } else {
        for (const auto& pupil : pupils)
            outcome.output += exerciseOutput(pupil->session.run(), options.json);
    }
    return outcome;
}

const char kJoinHelp[] =
    R"(Usage: quorvel-tool join --folder DIR [--channel NAME] [--method 0|1] --name NAME
                         [--script FILE|-] [--seed N] [--wait S] [--count N]
                         [--lesson-code CODE] [--json]

Waits up to S seconds for a network exercise published in the communication
folder DIR, joins it as a participant PC does (the settings file read, a
participant ID made, "TN-INIT" sent) and runs the exercise on the engine with
the teacher's settings and the script (the actions of "exercise", on the same
virtual clock). Every judged answer is reported ("TN-AKTION"), the end as
"TN-FERTIG" and, for a completed or timed-out run, "TN-BESTLIST". A run still
going when the script ends is aborted (status 2). Prints what "exercise"
prints for the run. The computer a participant reports is this host's name.

Options:
  --channel NAME      the channel (default MASTER-1, at most 8 characters)
  --method 0|1        how to answer (default 1: datagrams; 0: message files)
  --name NAME         the participant's name
  --script FILE|-     the actions, as for "exercise" ("-": standard input)
  --seed N            the seed of the exercise's random choices
  --wait S            wait at most S seconds for an exercise (default 10)
  --count N           N participants in this process, named NAME-1 ... NAME-N,
                      each with its own ID and the seed N + i, their actions
                      taken in turns line by line; their outputs follow one
                      another (with --json one JSON array)
  --lesson-code CODE  the lesson code the teacher gave
  --json              print the runs as "exercise --json" does
  -h, --help          show this help

No exercise within S seconds, an unreadable settings file or a wrong lesson
code exit with 1 and the program's message on stderr.
)";

CommandOutcome runJoinOptions(const ViewLayouts& layouts, const QHash<QString, QString>& values) {
    const auto usage = [](const QString& message) {
        return CommandOutcome{
            kExitUsage,
            {},
            {u"quorvel-tool: "_s + message, u"Run \"quorvel-tool join --help\" for usage."_s}};
    };
    const auto number = [&](const QString& key, qint64 min, qint64 max, auto& target) {
        if (!values.contains(key))
            return true;
        bool ok = false;
        const qint64 value = values.value(key).toLongLong(&ok);
        if (!ok || value < min || value > max)
            return false;
        target = static_cast<std::decay_t<decltype(target)>>(value);
        return true;
    };
    JoinOptions options;
    options.folder = values.value(u"--folder"_s);
    if (options.folder.isEmpty())
        return usage(u"join needs --folder DIR"_s);
    options.name = values.value(u"--name"_s);
    if (options.name.trimmed().isEmpty())
        return usage(u"join needs --name NAME"_s);
    options.channel = values.value(u"--channel"_s, options.channel);
    if (!number(u"--method"_s, 0, 1, options.method))
        return usage(u"--method takes 0 or 1"_s);
    if (!number(u"--wait"_s, 0, 24 * 3600, options.waitSeconds))
        return usage(u"--wait takes 0 to 86400"_s);
    if (!number(u"--count"_s, 1, kMaxCount, options.count))
        return usage(u"--count takes 1 to %1"_s.arg(kMaxCount));
    if (values.contains(u"--seed"_s)) {
        bool ok = false;
        options.seed = values.value(u"--seed"_s).toULongLong(&ok);
        if (!ok)
            return usage(u"--seed needs a whole number"_s);
    }
    options.scriptPath = values.value(u"--script"_s);
    options.lessonCode = values.value(u"--lesson-code"_s);
    options.json = values.contains(u"--json"_s);
    return joinCommand(layouts, options);
}

} // namespace quorvel
