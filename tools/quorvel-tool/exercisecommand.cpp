// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercisecommand.h"

#include "document.h"
#include "documentio.h"
#include "exerciseclock.h"
#include "exerciseresult.h"
#include "exerciserun.h"
#include "exercisesession.h"
#include "numbering.h"
#include "protocolfile.h"
#include "randomgenerator.h"
#include "settingoverrides.h"
#include "viewcomposer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kOrderedNumbering = 1;
// The longest wait a script may ask for: a school day is plenty.
constexpr double kMaxWaitSeconds = 1e6;
constexpr qint64 kTimerMs = 100;

QJsonObject objectJson(const ExerciseRun& run, int index) {
    const ObjDataTyp& o = run.document().objects[size_t(index)];
    QJsonObject json;
    json.insert(u"index"_s, index);
    json.insert(u"Typ"_s, o.Typ);
    json.insert(u"AbfrageStatus"_s, int(o.AbfrageStatus));
    json.insert(u"AbfrageNummer"_s, o.AbfrageNummer);
    json.insert(u"ZielFehlversuche"_s, o.ZielFehlversuche);
    json.insert(u"KartFehlversuche"_s, o.KartFehlversuche);
    json.insert(u"text"_s, run.displayText(index));
    return json;
}

// `utf8` as the inside of a JSON string, escaped as the JSON writer does.
void appendJsonEscaped(QByteArray& out, const QByteArray& utf8) {
    static const char hex[] = "0123456789abcdef";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += ch;
            }
        }
    }
}

// The run's figures, order and objects: what the JSON output holds besides the protocol.
QJsonObject runFigures(const ExerciseRun& run) {
    const UebungsSitzung& s = run.session();
    QJsonObject json;
    json.insert(u"EndeGrund"_s, int(s.EndeGrund));
    json.insert(u"AbfrageAnz"_s, s.AbfrageAnz);
    json.insert(u"AbfrageAnzGesamt"_s, s.AbfrageAnzGesamt);
    json.insert(u"FalschwortAnz"_s, s.FalschwortAnz);
    json.insert(u"Richtig"_s, s.Richtig);
    json.insert(u"Fehlversuche"_s, s.Fehlversuche);
    UebungsSitzung now = s;
    updateQuotes(now);
    json.insert(u"Erfolgsquote"_s, now.Erfolgsquote);
    json.insert(u"Gesamtleistung"_s, now.Gesamtleistung);
    json.insert(u"OffenAnz"_s, s.OffenAnz);
    const int note = grade(now.Gesamtleistung, s.grading);
    json.insert(u"Note"_s, note);
    json.insert(u"Bewertung"_s, gradeName(note, s.grading.BewertSkala));
    json.insert(u"elapsedMs"_s, run.elapsedMs());
    QJsonArray order;
    for (const QueryPair& pair : s.AbfrageFolge)
        order.append(QJsonArray{pair.card, pair.target});
    json.insert(u"AbfrageFolge"_s, order);
    QJsonArray objects;
    for (size_t i = 0; i < run.document().objects.size(); ++i)
        objects.append(objectJson(run, int(i)));
    json.insert(u"objects"_s, objects);
    return json;
}

} // namespace

QJsonObject exerciseRunObject(const ExerciseRun& run) {
    QJsonObject json = runFigures(run);
    json.insert(u"protocol"_s, run.protocol());
    return json;
}

QByteArray exerciseOutput(const ExerciseRun& run, bool asJson) {
    if (!asJson)
        return run.protocolUtf8();
    // The protocol may be tens of megabytes: it goes in as UTF-8 at the end
    // rather than through the JSON classes' copies of it.
    QJsonObject json = runFigures(run);
    json.insert(u"protocol"_s, QString());
    QByteArray text = QJsonDocument(json).toJson(QJsonDocument::Indented);
    const QByteArray slot = QByteArrayLiteral("\"protocol\": \"\"");
    const qsizetype at = text.lastIndexOf(slot);
    if (at < 0)
        return text;
    const QByteArray preamble = run.preambleNow().toUtf8();
    const QByteArray& body = run.session().body;
    QByteArray out;
    out.reserve(text.size() + (preamble.size() + body.size()) * 9 / 8);
    out.append(text.constData(), at + slot.size() - 1);
    appendJsonEscaped(out, preamble);
    appendJsonEscaped(out, body);
    out.append(text.constData() + at + slot.size() - 1, text.size() - at - slot.size() + 1);
    return out;
}

namespace {

bool toIndex(const QString& text, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

} // namespace

ScriptPlayer::ScriptPlayer(ExerciseSession& session, VirtualClock& clock, QDateTime start)
    : m_session(session), m_run(session.run()), m_clock(clock), m_start(std::move(start)) {}

QString ScriptPlayer::play(const QString& text, int number) {
    const QString prefix = u"line %1: "_s.arg(number);
    QString body = text;
    while (body.endsWith(u'\r') || body.endsWith(u'\n'))
        body.chop(1);
    while (!body.isEmpty() && body.front().isSpace())
        body.remove(0, 1);
    if (body.isEmpty() || body.startsWith(u'#'))
        return {};
    const qsizetype space = body.indexOf(u' ');
    const QString action = body.left(space < 0 ? body.size() : space);
    QString rest = space < 0 ? QString() : body.mid(space + 1);
    if (action != u"type"_s) {
        const qsizetype comment = rest.indexOf(u'#');
        if (comment >= 0)
            rest.truncate(comment);
        rest = rest.trimmed();
    }
    const QStringList args = rest.split(u' ', Qt::SkipEmptyParts);
    const auto expect = [&](qsizetype count) { return args.size() == count; };
    ActionResult result;
    int a = 0, b = 0;
    if (action == u"drop"_s && expect(2) && toIndex(args[0], a) &&
        (args[1] == u"-"_s || toIndex(args[1], b))) {
        result = m_run.drop(a, args[1] == u"-"_s ? -1 : b);
    } else if (action == u"basket"_s && expect(2) && toIndex(args[0], a) && toIndex(args[1], b)) {
        result = m_run.dropInBasket(a, b);
    } else if (action == u"click"_s && expect(1) && toIndex(args[0], a)) {
        result = m_run.click(a);
    } else if (action == u"tick"_s && expect(1) && toIndex(args[0], a)) {
        result = m_run.tick(a);
    } else if (action == u"weiter"_s && expect(0)) {
        result = m_run.confirm();
    } else if (action == u"type"_s && !args.isEmpty() && toIndex(args[0], a)) {
        // The rest of the line after the object number, as typed.
        const qsizetype at = rest.indexOf(args[0]) + args[0].size();
        result = m_run.type(a, rest.mid(at + 1));
    } else if (action == u"wait"_s && expect(1)) {
        bool ok = false;
        const double seconds = args[0].toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds < 0.0 || seconds > kMaxWaitSeconds)
            return prefix + u"wait takes seconds from 0 to 1000000"_s;
        wait(seconds);
        return {};
    } else if (action == u"abort"_s && expect(0)) {
        if (!m_run.running())
            return prefix + u"no exercise is running"_s;
        m_run.abort();
    } else if (action == u"repeat"_s && expect(1) && toIndex(args[0], a)) {
        const QString error = repeat(a);
        return error.isEmpty() ? QString() : prefix + error;
    } else {
        return prefix + u"cannot read \"%1\""_s.arg(body.trimmed());
    }
    return result.taken ? QString() : prefix + result.reason;
}

void ScriptPlayer::wait(double seconds) {
    qint64 target = m_clock.nowMs() + qint64(std::llround(seconds * 1000.0));
    const UebungsSitzung& s = m_run.session();
    if (m_run.running() && s.settings.Zeitlimit == TimeMode::Limit) {
        // The first timer tick at which less than a second is left.
        const qint64 deadline = std::max(
            s.StartTick + (qint64(s.settings.ZeitlimitSek) - 1) * 1000 + 1, m_clock.nowMs() + 1);
        const qint64 tick = (deadline + kTimerMs - 1) / kTimerMs * kTimerMs;
        if (tick <= target) {
            m_clock.set(tick);
            m_run.timerTick();
        }
    }
    if (m_clock.nowMs() < target)
        m_clock.set(target);
}

QString ScriptPlayer::repeat(int mode) {
    if (!m_session.canRepeat())
        return u"repeat needs a run that has ended"_s;
    // As the result window: the partial repetition only after failed attempts.
    const StartOutcome outcome = m_session.repeat(mode == 0   ? RepetitionMode::Complete
                                                  : mode == 1 ? RepetitionMode::OnlyMissed
                                                              : RepetitionMode::Nothing,
                                                  m_start.addMSecs(m_clock.nowMs()));
    return outcome.started() ? QString() : outcome.message;
}

std::optional<QDateTime> parseStartTime(const QString& value, QString& error) {
    QDateTime time = QDateTime::fromString(value, u"yyyy-MM-ddTHH:mm:ss"_s);
    if (!time.isValid()) {
        error = u"--start needs YYYY-MM-DDTHH:MM:SS"_s;
        return std::nullopt;
    }
    return time;
}

bool readExerciseScript(const QString& path, const std::optional<QByteArray>& text,
                        QByteArray& script, CommandOutcome& failed) {
    if (text) {
        script = *text;
        return true;
    }
    if (path.isEmpty())
        return true;
    QFile file;
    const bool opened = path == u"-"_s ? file.open(stdin, QIODevice::ReadOnly)
                                       : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        failed = {kExitFailure,
                  {},
                  {u"quorvel-tool: cannot read the script %1: %2"_s.arg(path, file.errorString())}};
        return false;
    }
    script = file.readAll();
    return true;
}

void prepareExerciseDocument(const ViewLayouts& layouts, QSize size, Document& document,
                             RandomGenerator& random) {
    // The page as `layout` composes it, so that object numbers and targets agree.
    coverAndNumber(document, kOrderedNumbering, random);
    ViewComposer composer(document, layouts);
    composer.setViewArea(size);
    composer.rebuild();
}

CommandOutcome exerciseCommand(const ViewLayouts& layouts, const QString& documentPath,
                               const ExerciseOptions& options) {
    // The settings first: a wrong name is a usage error before anything runs.
    SettingOverrides overrides;
    if (const auto error = overrides.parse(options.sets))
        return {kExitUsage, {}, {*error}};
    const Settings& settings = overrides.settings();

    QByteArray script;
    CommandOutcome failed;
    if (!readExerciseScript(options.scriptPath, options.scriptText, script, failed))
        return failed;

    Document document;
    if (!readCommandDocument(layouts, documentPath, document, failed))
        return failed;
    RandomGenerator random;
    prepareExerciseDocument(layouts, options.size, document, random);

    random.seed(options.seed ? *options.seed : quint64(QDateTime::currentMSecsSinceEpoch()));
    VirtualClock clock;
    const ExerciseRuleSet rules = buildExerciseRuleSet();
    ExerciseSession session(document, rules, clock, random);
    const ExerciseRun& run = session.run();
    StartRequest request =
        individualRequest(dokTypOf(document.header), settings, CrossMatchingTime{},
                          options.start.isValid() ? options.start : QDateTime::currentDateTime());
    overrides.apply(request.settings);
    request.participantName = options.name;
    const StartOutcome started = session.start(request, false);
    if (!started.started())
        return {kExitFailure, {}, {started.message}};

    // A run ended by the length of its protocol says so once; the rest of
    // the script is not read.
    bool protocolFull = false;
    session.run().addObserver([&protocolFull](const ExerciseEvent& event) {
        if (event.kind == ExerciseEvent::Kind::Message && event.text == protocolFullMessage())
            protocolFull = true;
    });
    CommandOutcome outcome;
    ScriptPlayer player(session, clock, request.startTime);
    QTextStream lines(script);
    lines.setEncoding(QStringConverter::Utf8);
    int number = 0;
    QString text;
    while (lines.readLineInto(&text)) {
        ++number;
        const QString error = player.play(text, number);
        if (!error.isEmpty())
            outcome.errors << error;
        if (protocolFull) {
            outcome.errors << u"line %1: "_s.arg(number) + protocolFullMessage();
            break;
        }
    }
    outcome.output = exerciseOutput(run, options.json);
    if (!options.rtfPath.isEmpty()) {
        const IoResult written = writeProtocolFile(options.rtfPath, run.protocol());
        if (!written) {
            outcome.exitCode = kExitFailure;
            outcome.errors << written.messages;
        }
    }
    return outcome;
}

} // namespace quorvel
