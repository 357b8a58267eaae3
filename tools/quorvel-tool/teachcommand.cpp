// SPDX-License-Identifier: GPL-3.0-or-later
#include "teachcommand.h"

#include "classpicture.h"
#include "document.h"
#include "documentio.h"
#include "localidentity.h"
#include "mailslotwire.h"
#include "networksettings.h"
#include "networkteacher.h"
#include "numbering.h"
#include "randomgenerator.h"
#include "settingoverrides.h"
#include "teachersetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kOrderedNumbering = 1;

bool final(const QString& status) {
    return status == u"fertig"_s || status == u"abgebr."_s || status == u"timeout"_s;
}

int finalRows(const TeacherState& state) {
    int count = 0;
    for (const TeacherState::Participant& p : state.participants())
        count += final(p.cells.at(3)) ? 1 : 0;
    return count;
}

// A finished or timed-out participant sends its best-list entry after its end.
bool bestListsIn(const TeacherState& state) {
    for (const TeacherState::Participant& p : state.participants()) {
        const QString& status = p.cells.at(3);
        if ((status == u"fertig"_s || status == u"timeout"_s) && !p.bestListed)
            return false;
    }
    return true;
}

// How long the teacher waits for best-list entries once enough participants ended.
constexpr int kGraceMs = 2000;

// The view area the class picture's page is composed in: a projector's screen.
constexpr QSize kClassPictureArea(1280, 960);

} // namespace

CommandOutcome teachCommand(const ViewLayouts& layouts, const QString& documentPath,
                            const TeachOptions& options) {
    SettingOverrides overrides;
    if (const auto error = overrides.parse(options.sets))
        return {kExitUsage, {}, {*error}};
    if (!isPlainMailBoxName(options.channel))
        return {kExitFailure, {}, {msgInvalidChannel(options.channel)}};
    if (!QDir(options.folder).exists())
        return {kExitFailure, {}, {u"Der angegebene Ordner ist ungültig."_s}};

    Document document;
    CommandOutcome failed;
    if (!readCommandDocument(layouts, documentPath, document, failed))
        return failed;
    RandomGenerator random;
    coverAndNumber(document, kOrderedNumbering, random);

    UebEinstellungen snapshot =
        takeSnapshot(dokTypOf(document.header), overrides.settings(), CrossMatchingTime{});
    overrides.apply(snapshot);
    const GradingTable grading = gradingTableOf(overrides.settings());

    NetworkTeacher::Publication publication;
    publication.folder = options.folder;
    publication.channel = options.channel;
    publication.method =
        options.method == 1 ? NetworkTeacher::Method::Combined : NetworkTeacher::Method::Folder;
    publication.settings = netzUebSettingsOf(hostName(), snapshot, grading);
    publication.lessonCode = options.lessonCode;
    publication.state = teacherSetupOf(document, teacherNumbersOf(document), snapshot, grading);

    NetworkTeacher teacher;
    CommandOutcome outcome;
    QObject::connect(&teacher, &NetworkTeacher::problem, &teacher,
                     [&outcome](const QString& message) { outcome.errors << message; });
    const IoResult started = teacher.initiate(document, publication);
    outcome.errors << started.messages;
    if (!started.ok) {
        outcome.exitCode = kExitFailure;
        return outcome;
    }
    if (!teacher.receiving()) {
        teacher.end();
        return {kExitFailure,
                {},
                {u"Der Kanal \"%1\" ist auf diesem Rechner schon belegt."_s.arg(options.channel)}};
    }

    QEventLoop loop;
    QTimer::singleShot(options.seconds * 1000, &loop, &QEventLoop::quit);
    if (options.participants > 0) {
        QTimer grace;
        grace.setSingleShot(true);
        QObject::connect(&grace, &QTimer::timeout, &loop, &QEventLoop::quit);
        const auto check = [&] {
            const TeacherState& state = *teacher.state();
            if (finalRows(state) < options.participants)
                return;
            if (bestListsIn(state))
                loop.quit();
            else if (!grace.isActive())
                grace.start(kGraceMs);
        };
        QObject::connect(&teacher, &NetworkTeacher::rowChanged, &loop, check);
        QObject::connect(&teacher, &NetworkTeacher::bestListEntered, &loop, check);
        loop.exec();
    } else {
        loop.exec();
    }
    // What arrived in the last moment still counts.
    QCoreApplication::processEvents();
    teacher.end();
    if (const int rejected = teacher.state()->rejectedCount())
        outcome.errors << u"%1 Nachricht(en) ohne gültigen Unterrichtscode verworfen"_s.arg(
            rejected);
    outcome.output = gridText(teacher.state()->grid()).toUtf8();
    if (!options.classPicture.isEmpty()) {
        ClassPicture picture;
        picture.setPage(composeClassPicturePage(document, layouts, kClassPictureArea));
        picture.update(teacher.state());
        const IoResult saved = saveClassPicture(picture, options.classPicture);
        if (!saved.ok) {
            outcome.exitCode = kExitFailure;
            outcome.errors << saved.messages;
        }
    }
    return outcome;
}

} // namespace quorvel
