// SPDX-License-Identifier: GPL-3.0-or-later
#include "classfixture.h"
#include "classpicture.h"
#include "layoutset.h"
#include "mailslotwire.h"
#include "teacherstate.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

const LayoutSet& programLayouts() {
    static const LayoutSet set = buildLayoutSet();
    return set;
}

TeacherState::Setup setupOf(const Document& document) {
    TeacherState::Setup setup;
    for (const ObjDataTyp& o : document.objects) {
        setup.teacherNumbers.push_back(qMax(0, o.AbfrageNummer));
        setup.fieldCount += o.AbfrageNummer > 0 ? 1 : 0;
    }
    return setup;
}

void send(TeacherState& state, const QStringList& lines) {
    state.handle(QStringLiteral("pc"), QStringLiteral("u"), joinMessageLines(lines));
}

// Whether a pixel near `point` (3 pixels each way) has `colour`.
bool colourNear(const QImage& image, QPointF point, QRgb colour) {
    const QPoint p = point.toPoint();
    for (int y = p.y() - 3; y <= p.y() + 3; ++y)
        for (int x = p.x() - 3; x <= p.x() + 3; ++x)
            if (image.rect().contains(x, y) &&
                (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

class ClassPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        document = threeFieldDocument();
        state = std::make_unique<TeacherState>(setupOf(document));
        picture.setPage(composeClassPicturePage(document, programLayouts(), QSize(870, 600)));
        ASSERT_FALSE(picture.page().page.isNull());
    }
    QRectF pageRect() const { return QRectF(QPointF(0, 0), QSizeF(picture.page().page.size())); }

    Document document;
    std::unique_ptr<TeacherState> state;
    ClassPicture picture;
};

TEST_F(ClassPictureTest, MarksSitOnTheFieldsWithTheClassShares) {
    answerAsAClass([this](const QStringList& lines) { send(*state, lines); });
    ASSERT_TRUE(picture.update(state.get()));
    ASSERT_EQ(picture.marks().size(), 3u);
    EXPECT_EQ(picture.participants(), 4);

    const struct {
        int number;
        MarkShares shares;
        QRgb frameStart; // the frame's colour where it starts, at the top-left corner
    } expected[] = {{1, {50, 25, 25}, qRgb(0x2E, 0x9E, 0x3A)},
                    {2, {25, 0, 75}, qRgb(0x2E, 0x9E, 0x3A)},
                    {3, {0, 0, 100}, qRgb(0xA8, 0xA8, 0xA8)}};
    const QImage image = picture.image();
    const QSize size = picture.page().page.size();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const FieldMark& mark = picture.marks()[std::size_t(i)];
        EXPECT_EQ(mark.number, expected[i].number);
        const MarkShares shares = markShares(mark);
        EXPECT_EQ(shares.firstAttempt, expected[i].shares.firstAttempt);
        EXPECT_EQ(shares.afterWrong, expected[i].shares.afterWrong);
        EXPECT_EQ(shares.notSolved, expected[i].shares.notSolved);

        // The frame lies around the card the view drew for this field.
        const PageRect& r = document.objects[std::size_t(i)].KartRect;
        const QRectF card(QPointF(r.left * size.width(), r.top * size.height()),
                          QPointF(r.right * size.width(), r.bottom * size.height()));
        const QRectF frame = picture.frameRect(i, pageRect());
        EXPECT_TRUE(frame.contains(card));
        EXPECT_LT(frame.width() - card.width(), 20.0) << "close around the card";
        EXPECT_TRUE(colourNear(image, frame.topLeft() + QPointF(4, 0), expected[i].frameStart));
        EXPECT_FALSE(picture.figureRect(i, pageRect()).intersects(card))
            << "the figure leaves the card readable";
    }
    // Field 2: two of four answered wrong; it stands out with an inverted figure.
    ASSERT_EQ(picture.mostMissed(), 1);
    const QRectF most = picture.figureRect(1, pageRect());
    const QRectF plain = picture.figureRect(0, pageRect());
    // Probed in the corner the text leaves free.
    const auto corner = [](const QRectF& r) {
        return QPoint(int(r.left()) + 2, int(r.bottom()) - 2);
    };
    EXPECT_EQ(image.pixel(corner(most)) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(corner(plain)) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ClassPictureTest, WithoutParticipantsNoFigures) {
    ASSERT_TRUE(picture.update(state.get())) << "the fields appear";
    ASSERT_EQ(picture.marks().size(), 3u);
    EXPECT_EQ(picture.mostMissed(), -1);
    ClassPicture answered;
    answered.setPage(picture.page());
    answerAsAClass([this](const QStringList& lines) { send(*state, lines); });
    answered.update(state.get());

    const QImage image = picture.image();
    const QImage& page = picture.page().page;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(picture.figureRect(i, pageRect()).isEmpty());
        // Where the class's figure goes, the empty class leaves the page alone.
        const QRect figure = answered.figureRect(i, pageRect()).toAlignedRect();
        ASSERT_FALSE(figure.isEmpty());
        const QRect frame = picture.frameRect(i, pageRect()).toAlignedRect().adjusted(-4, -4, 4, 4);
        int changed = 0;
        for (int y = figure.top(); y <= figure.bottom(); ++y)
            for (int x = figure.left(); x <= figure.right(); ++x)
                if (!frame.contains(x, y) && image.pixel(x, y) != page.pixel(x, y))
                    ++changed;
        EXPECT_EQ(changed, 0) << "field " << i + 1;
    }
}

TEST_F(ClassPictureTest, AnUpdateNamesOnlyTheMarksThatChanged) {
    answerAsAClass([this](const QStringList& lines) { send(*state, lines); });
    picture.update(state.get());
    EXPECT_FALSE(picture.update(state.get())) << "nothing new";

    TnAktionData d;
    d.id = classId('D');
    d.objectIndex = 2;
    d.state = 0;
    send(*state, tnAktion(d));
    ASSERT_TRUE(picture.update(state.get()));
    EXPECT_EQ(picture.changedMarks(), QList<int>{2});
    EXPECT_EQ(picture.marks()[2].firstAttempt, 1);

    // Field 1 catches up with field 2 (two missed each) and has the lower
    // number, but field 2 has more not solved: it stays the most missed.
    d.id = classId('D');
    d.objectIndex = 0;
    d.state = -3;
    d.wrongAttempts = 1;
    send(*state, tnAktion(d));
    ASSERT_TRUE(picture.update(state.get()));
    EXPECT_EQ(picture.marks()[0].missed(), 2);
    EXPECT_EQ(picture.mostMissed(), 1);
    EXPECT_EQ(picture.changedMarks(), QList<int>{0});

    send(*state, tnInit(classId('E'), QStringLiteral("Emil"), QStringLiteral("09:05:00")));
    ASSERT_TRUE(picture.update(state.get()));
    EXPECT_EQ(picture.changedMarks().size(), 3) << "a new participant changes every share";
}

TEST(ClassPicturePage, CardsTheViewDidNotDrawGiveNoMark) {
    Document document = threeFieldDocument();
    document.objects[0].KartRect = {std::nan(""), 0.1, 0.2, 0.2};
    document.objects[1].KartRect = {0.1, 0.1, 1e300, 0.2};
    document.objects[2].KartRect = {0.3, 0.3, 0.4, 0.4};
    TeacherState::Setup setup = setupOf(document);
    setup.teacherNumbers[2] = 7;       // beyond the field columns
    setup.teacherNumbers.push_back(1); // an object the page does not know
    const TeacherState state(setup);
    ClassPicture picture;
    picture.setPage(classPicturePage(document, QImage(100, 80, QImage::Format_RGB32)));
    EXPECT_FALSE(picture.update(&state));
    EXPECT_TRUE(picture.marks().empty());
    EXPECT_FALSE(picture.image().isNull());
}

TEST(ClassPicturePrint, FitsWithinTheMarginsKeepingItsProportions) {
    const QRect area = classPicturePrintArea(QSize(2100, 2970), QSize(870, 650));
    EXPECT_EQ(area.left(), 150);
    EXPECT_EQ(area.width(), 1800);
    EXPECT_NEAR(double(area.width()) / area.height(), 870.0 / 650.0, 0.01);
    const QRect tall = classPicturePrintArea(QSize(2100, 2970), QSize(100, 1000));
    EXPECT_EQ(tall.top(), 150);
    EXPECT_EQ(tall.height(), 2670);
    EXPECT_TRUE(classPicturePrintArea(QSize(200, 200), QSize(870, 650)).isEmpty());
}

} // namespace
