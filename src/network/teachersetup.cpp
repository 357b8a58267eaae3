// SPDX-License-Identifier: GPL-3.0-or-later
#include "teachersetup.h"

#include "document.h"
#include "multiplechoicelayout.h"
#include "numbering.h"
#include "randomgenerator.h"
#include "uebungssitzung.h"

#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

// The number as the information page labels it: the letter label when the
// document numbers by letters, else right-aligned in four characters.
QString numberLabel(int number, int numArt) {
    if (numberingStyleFromCode(numArt) == NumberingStyle::Letters)
        return numberText(number, numArt);
    return QString::number(number).rightJustified(4, u' ');
}

QString solutionText(const Document& document, const ObjDataTyp& o) {
    switch (dokTypOf(document.header)) {
    case DokTyp::MultipleChoice:
        for (const ObjDataTyp& question : document.objects) {
            const Typ typ = typOf(question);
            if ((typ == Typ::MCQuestion || typ == Typ::MCPictureQuestion) &&
                question.FrageNummer == o.FrageNummer)
                return readMCQuestion(question.Cap).question;
        }
        return {};
    case DokTyp::Cluster:
    case DokTyp::CrossMatching:
        if (typOf(o) == Typ::ClusterQueryPicture || typOf(o) == Typ::MatchingQueryPicture)
            return u"(Bild)"_s;
        return o.Cap;
    default:
        return o.Cap;
    }
}

} // namespace

std::vector<int> teacherNumbersOf(const Document& document) {
    const auto numbersFrom = [](const Document& numbered) {
        std::vector<int> numbers;
        numbers.reserve(numbered.objects.size());
        for (const ObjDataTyp& o : numbered.objects)
            numbers.push_back(std::max(0, o.AbfrageNummer));
        return numbers;
    };
    std::vector<int> numbers = numbersFrom(document);
    if (std::any_of(numbers.begin(), numbers.end(), [](int n) { return n > 0; }))
        return numbers;
    // Question marks on the teacher's screen: the ordered numbering, on a copy
    // so that the view keeps what it shows.
    Document copy = document;
    RandomGenerator unused;
    numberQueryFields(copy, NumberingOrdered, unused);
    return numbersFrom(copy);
}

TeacherState::Setup teacherSetupOf(const Document& document, const std::vector<int>& numbers,
                                   const UebEinstellungen& settings, const GradingTable& grading) {
    TeacherState::Setup setup;
    setup.teacherNumbers = numbers;
    int fields = 0;
    int highest = 0;
    for (std::size_t i = 0; i < document.objects.size(); ++i) {
        fields += isQueryField(typOf(document.objects[i])) ? 1 : 0;
        highest = std::max(highest, i < numbers.size() ? numbers[i] : 0);
    }
    // Every number the teacher sees gets its column.
    setup.fieldCount =
        settings.AbfrageModus == QueryMode::TextInput ? 0 : std::max(fields, highest);
    setup.timeLimit = settings.Zeitlimit == TimeMode::Limit;
    setup.gradeHeader = gradeLabel(grading.BewertSkala);
    return setup;
}

QString networkInformation(const NetworkInformationInput& input) {
    const Document& document = *input.document;
    UebungsSitzung run;
    run.SitzungsArt = SessionKind::NetworkTeacher;
    run.settings = input.settings;
    run.grading = input.grading;
    run.StartZeit = input.start;
    for (const ObjDataTyp& o : document.objects)
        run.AbfrageAnz += isQueryField(typOf(o)) ? 1 : 0;
    run.AbfrageAnzGesamt = run.AbfrageAnz;

    QStringList solutions;
    for (std::size_t i = 0; i < document.objects.size() && i < input.numbers.size(); ++i) {
        if (input.numbers[i] <= 0)
            continue;
        solutions << numberLabel(input.numbers[i], document.header.NumArt) + u" - "_s +
                         solutionText(document, document.objects[i]);
    }
    std::stable_sort(solutions.begin(), solutions.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });

    QStringList lines;
    lines << u"<tit>Lösungen"_s
          << u"Hinweise: Die Nummern dienen zur Zuordnung im Teilnehmerprotokoll am Lehrer-PC."_s
          << u"Wenn in den Übungseinstellungen \"zufällig gemischt\" gewählt wurde, ist die "
             u"Nummerierung auf den Teilnehmer-PCs davon abweichend."_s;
    // Sorted as written, padded numbers and all; trimmed as they are appended.
    for (const QString& solution : std::as_const(solutions))
        lines << solution.trimmed();
    return u"<tit>Netzwerk-Übung"_s + kCrLf +
           exerciseSettingsSummary(run, document, input.context) + lines.join(kCrLf) + kCrLf;
}

} // namespace quorvel
