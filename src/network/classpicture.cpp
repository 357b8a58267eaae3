// SPDX-License-Identifier: GPL-3.0-or-later
#include "classpicture.h"

#include "document.h"
#include "documentio.h"
#include "pngcodec.h"
#include "rounding.h"
#include "savefile.h"
#include "teacherstate.h"
#include "viewcomposer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// The page width the mark sizes are designed for, as the view's scale S.
constexpr double kMarkDesignWidth = 870.0;

const QColor kFirstColour(0x2E, 0x9E, 0x3A);
const QColor kAfterWrongColour(0xE6, 0xA0, 0x00);
const QColor kWrongColour(0xD3, 0x2F, 0x2F);
const QColor kUnansweredColour(0xA8, 0xA8, 0xA8);

double scaleOf(double width) {
    return std::max(0.25, width / kMarkDesignWidth);
}

QFont markFont(double pixels, bool bold) {
    QFont font(u"Arial"_s);
    font.setPixelSize(std::max(9, rnd(pixels)));
    font.setBold(bold);
    return font;
}

// The legend's two lines below the page, for a picture `width` wide.
double legendHeight(double width) {
    const double line = markFont(13.0 * scaleOf(width), false).pixelSize() * 1.5;
    return std::ceil(2.0 * line + 8.0);
}

double framePen(double s, bool mostMissed) {
    const double pen = std::max(2.0, 3.0 * s);
    return mostMissed ? 2.0 * pen : pen;
}

// The part [from, to] (fractions) of the rectangle's outline, clockwise from
// its top-left corner, so that a frame can be split into the shares.
QPolygonF outlinePart(const QRectF& r, double from, double to) {
    const QPointF corners[5] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(),
                                r.topLeft()};
    const double lengths[4] = {r.width(), r.height(), r.width(), r.height()};
    const double total = 2.0 * (r.width() + r.height());
    const double a = from * total;
    const double b = to * total;
    QPolygonF line;
    double walked = 0.0;
    for (int side = 0; side < 4; ++side) {
        const double start = walked;
        const double length = lengths[side];
        walked += length;
        const double lo = std::max(a, start);
        const double hi = std::min(b, walked);
        if (lo >= hi || length <= 0.0)
            continue;
        const auto at = [&](double d) {
            return corners[side] + (corners[side + 1] - corners[side]) * ((d - start) / length);
        };
        if (line.isEmpty())
            line << at(lo);
        line << at(hi);
    }
    return line;
}

bool usableCard(const PageRect& r) {
    const double values[4] = {r.left, r.top, r.right, r.bottom};
    for (const double v : values) {
        // Cards far off the page are not shown; a stale or hostile value
        // never reaches the painter.
        if (!std::isfinite(v) || v < -0.5 || v > 1.5)
            return false;
    }
    return r.right > r.left && r.bottom > r.top;
}

} // namespace

ClassPicturePage classPicturePage(const Document& document, const QImage& page) {
    ClassPicturePage result;
    result.page = page;
    result.cards.reserve(document.objects.size());
    for (const ObjDataTyp& o : document.objects) {
        const PageRect& r = o.KartRect;
        result.cards.push_back(
            usableCard(r) ? QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)) : QRectF());
    }
    return result;
}

ClassPicturePage composeClassPicturePage(Document& document, const ViewLayouts& layouts,
                                         QSize area) {
    ViewComposer composer(document, layouts);
    composer.setViewArea(area);
    composer.rebuild();
    if (composer.outOfMemory())
        return {};
    return classPicturePage(document, composer.page());
}

MarkShares markShares(const FieldMark& mark) {
    const int all = mark.participants();
    if (all <= 0)
        return {};
    const auto percent = [all](int count) { return rnd(100.0 * count / all); };
    return {percent(mark.firstAttempt), percent(mark.afterWrong), percent(mark.notSolved())};
}

void ClassPicture::setPage(ClassPicturePage page) {
    m_page = std::move(page);
}

bool ClassPicture::update(const TeacherState* state) {
    std::vector<FieldMark> marks;
    int participants = 0;
    if (state) {
        const QList<TeacherState::Participant>& rows = state->participants();
        participants = static_cast<int>(rows.size());
        const std::vector<int>& numbers = state->teacherNumbers();
        const std::size_t objects = std::min(numbers.size(), m_page.cards.size());
        for (std::size_t i = 0; i < objects; ++i) {
            const int number = numbers[i];
            if (number < 1 || number > state->fieldCount() || m_page.cards[i].isEmpty())
                continue;
            FieldMark mark;
            mark.number = number;
            mark.card = m_page.cards[i];
            const auto field = static_cast<std::size_t>(number - 1);
            for (const TeacherState::Participant& p : rows) {
                const TeacherState::FieldResult f =
                    field < p.fields.size() ? p.fields[field] : TeacherState::FieldResult{};
                if (f.solved)
                    ++(f.wrongAttempts == 0 ? mark.firstAttempt : mark.afterWrong);
                else if (f.answered || f.wrongAttempts > 0)
                    ++mark.wrongOpen;
                else
                    ++mark.unanswered;
            }
            marks.push_back(mark);
        }
    }
    int most = -1;
    for (int i = 0; i < static_cast<int>(marks.size()); ++i) {
        const FieldMark& m = marks[std::size_t(i)];
        if (m.missed() == 0)
            continue;
        if (most < 0) {
            most = i;
            continue;
        }
        const FieldMark& best = marks[std::size_t(most)];
        if (m.missed() > best.missed() ||
            (m.missed() == best.missed() &&
             (m.notSolved() > best.notSolved() ||
              (m.notSolved() == best.notSolved() && m.number < best.number))))
            most = i;
    }

    m_changed.clear();
    if (marks.size() != m_marks.size() || participants != m_participants) {
        for (int i = 0; i < static_cast<int>(std::max(marks.size(), m_marks.size())); ++i)
            m_changed << i;
    } else {
        for (int i = 0; i < static_cast<int>(marks.size()); ++i) {
            if (marks[std::size_t(i)] != m_marks[std::size_t(i)] ||
                ((i == most) != (i == m_mostMissed)))
                m_changed << i;
        }
    }
    const bool changed = !m_changed.isEmpty() || most != m_mostMissed;
    m_marks = std::move(marks);
    m_participants = participants;
    m_mostMissed = most;
    return changed;
}

QRectF ClassPicture::pageRect(const QRectF& target) const {
    const double room = target.height() - legendHeight(target.width());
    if (m_page.page.isNull() || room <= 0.0 || target.width() <= 0.0)
        return QRectF(target.topLeft(), QSizeF(target.width(), 0.0));
    const QSizeF size =
        QSizeF(m_page.page.size()).scaled(QSizeF(target.width(), room), Qt::KeepAspectRatio);
    return QRectF(target.left() + (target.width() - size.width()) / 2.0, target.top(), size.width(),
                  size.height());
}

QRectF ClassPicture::legendRect(const QRectF& target) const {
    const QRectF page = pageRect(target);
    return QRectF(target.left(), page.bottom(), target.width(), legendHeight(target.width()));
}

QRectF ClassPicture::frameRect(int mark, const QRectF& pageRect) const {
    if (mark < 0 || mark >= static_cast<int>(m_marks.size()))
        return {};
    const QRectF& c = m_marks[std::size_t(mark)].card;
    const double s = scaleOf(pageRect.width());
    const double outset = 2.0 * s + framePen(s, mark == m_mostMissed) / 2.0;
    return QRectF(pageRect.left() + c.left() * pageRect.width(),
                  pageRect.top() + c.top() * pageRect.height(), c.width() * pageRect.width(),
                  c.height() * pageRect.height())
        .adjusted(-outset, -outset, outset, outset);
}

QString ClassPicture::figureText(const FieldMark& mark) const {
    const MarkShares shares = markShares(mark);
    return u"%1 / %2 / %3 %"_s.arg(shares.firstAttempt)
        .arg(shares.afterWrong)
        .arg(shares.notSolved);
}

QSizeF ClassPicture::figureSize(int pixelSize, bool mostMissed) const {
    if (pixelSize != m_measuredPixels) {
        m_measuredPixels = pixelSize;
        for (const bool most : {false, true}) {
            QFont font = markFont(pixelSize, most);
            const QFontMetricsF metrics(font);
            const double pad = std::max(2.0, pixelSize / 6.0);
            const QString widest = (most ? u"! "_s : QString()) + u"100 / 100 / 100 %"_s;
            m_measured[most ? 1 : 0] =
                QSizeF(std::ceil(metrics.horizontalAdvance(widest) + 2.0 * pad),
                       std::ceil(metrics.height() + pad));
        }
    }
    return m_measured[mostMissed ? 1 : 0];
}

QRectF ClassPicture::figureRect(int mark, const QRectF& pageRect) const {
    if (m_participants <= 0 || mark < 0 || mark >= static_cast<int>(m_marks.size()))
        return {};
    const bool most = mark == m_mostMissed;
    const double s = scaleOf(pageRect.width());
    const QSizeF size = figureSize(markFont(12.0 * s, most).pixelSize(), most);
    const QRectF frame = frameRect(mark, pageRect);
    const double pen = framePen(s, most);
    // Above the frame, or below it where the page ends above.
    double top = frame.top() - pen / 2.0 - size.height();
    if (top < pageRect.top())
        top = frame.bottom() + pen / 2.0;
    double left = frame.left() - pen / 2.0;
    left = std::min(left, pageRect.right() - size.width());
    left = std::max(left, pageRect.left());
    return QRectF(QPointF(left, top), size);
}

QRectF ClassPicture::markBounds(int mark, const QRectF& pageRect) const {
    const double s = scaleOf(pageRect.width());
    const double pen = framePen(s, mark == m_mostMissed);
    // The most-missed field's dashed outer line lies one pen further out.
    const double out = (mark == m_mostMissed ? 2.0 : 1.0) * pen;
    return frameRect(mark, pageRect).adjusted(-out, -out, out, out) |
           figureRect(mark, pageRect).adjusted(-1.0, -1.0, 1.0, 1.0);
}

void ClassPicture::paintFrame(QPainter& painter, int index, const QRectF& pageRect) const {
    const FieldMark& mark = m_marks[std::size_t(index)];
    const bool most = index == m_mostMissed;
    const double s = scaleOf(pageRect.width());
    const double pen = framePen(s, most);
    const QRectF frame = frameRect(index, pageRect);

    const int all = mark.participants();
    const struct {
        int count;
        const QColor& colour;
    } parts[] = {{mark.firstAttempt, kFirstColour},
                 {mark.afterWrong, kAfterWrongColour},
                 {mark.wrongOpen, kWrongColour},
                 {all > 0 ? mark.unanswered : 1, kUnansweredColour}};
    const double total = all > 0 ? all : 1.0;
    double from = 0.0;
    for (const auto& part : parts) {
        if (part.count <= 0)
            continue;
        const double to = from + part.count / total;
        painter.setPen(QPen(part.colour, pen, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPolyline(outlinePart(frame, from, to));
        from = to;
    }
    if (most) {
        // Stands out in black and white and on dark pages too: black dashes
        // on a white line around the frame.
        const QRectF outer = frame.adjusted(-pen, -pen, pen, pen);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, pen / 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawRect(outer);
        painter.setPen(QPen(Qt::black, pen / 2.0, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawRect(outer);
    }
}

void ClassPicture::paintFigure(QPainter& painter, int index, const QRectF& pageRect) const {
    const QRectF figure = figureRect(index, pageRect);
    if (figure.isEmpty())
        return;
    const bool most = index == m_mostMissed;
    const double s = scaleOf(pageRect.width());
    const FieldMark& mark = m_marks[std::size_t(index)];
    painter.setPen(QPen(most ? Qt::white : QColor(0x40, 0x40, 0x40), 1.0));
    painter.setBrush(most ? QColor(Qt::black) : QColor(Qt::white));
    painter.drawRect(figure);
    painter.setPen(most ? Qt::white : Qt::black);
    painter.setFont(markFont(12.0 * s, most));
    painter.drawText(figure, Qt::AlignCenter, (most ? u"! "_s : QString()) + figureText(mark));
}

void ClassPicture::paintMarks(QPainter& painter, const QRectF& pageRect, const QRectF& only) const {
    if (pageRect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto wanted = [&](int i) {
        return only.isEmpty() || markBounds(i, pageRect).intersects(only);
    };
    // Figures above all frames, and the most-missed field's above the
    // others, so that nothing covers what matters most.
    for (auto part : {&ClassPicture::paintFrame, &ClassPicture::paintFigure}) {
        for (int i = 0; i < static_cast<int>(m_marks.size()); ++i) {
            if (i != m_mostMissed && wanted(i))
                (this->*part)(painter, i, pageRect);
        }
        if (m_mostMissed >= 0 && wanted(m_mostMissed))
            (this->*part)(painter, m_mostMissed, pageRect);
    }
    painter.restore();
}

void ClassPicture::paintLegend(QPainter& painter, const QRectF& legendRect) const {
    painter.save();
    painter.setClipRect(legendRect);
    painter.fillRect(legendRect, Qt::white);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawLine(legendRect.topLeft(), legendRect.topRight());
    const double s = scaleOf(legendRect.width());
    const QFont font = markFont(13.0 * s, false);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = font.pixelSize() * 1.5;
    const double pad = 6.0 * s;
    double x = legendRect.left() + pad;
    double y = legendRect.top() + 4.0;
    const struct {
        const QColor& colour;
        QString text;
    } keys[] = {{kFirstColour, u"beim ersten Versuch gelöst"_s},
                {kAfterWrongColour, u"nach Fehlversuchen gelöst"_s},
                {kWrongColour, u"falsch, nicht gelöst"_s},
                {kUnansweredColour, u"noch nicht beantwortet"_s}};
    for (const auto& key : keys) {
        const double swatch = font.pixelSize();
        painter.fillRect(QRectF(x, y + (line - swatch) / 2.0, 2.0 * swatch, swatch), key.colour);
        x += 2.0 * swatch + pad / 2.0;
        const QRectF text(x, y, metrics.horizontalAdvance(key.text) + 1.0, line);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, key.text);
        x = text.right() + 2.0 * pad;
    }
    const QString second = legendLine();
    painter.drawText(
        QRectF(legendRect.left() + pad, y + line, legendRect.width() - 2.0 * pad, line),
        Qt::AlignLeft | Qt::AlignVCenter, second);
    painter.restore();
}

QString ClassPicture::legendLine() const {
    if (m_participants <= 0)
        return u"Noch keine Teilnehmer"_s;
    QString line = u"Zahlen am Feld: %-Anteil beim ersten Versuch / nach Fehlversuchen / nicht "
                   u"gelöst      Teilnehmer: %1"_s.arg(m_participants);
    if (m_mostMissed >= 0) {
        const FieldMark& most = m_marks[std::size_t(m_mostMissed)];
        line += u"      Am häufigsten verfehlt: Feld %1 (%2 von %3)"_s.arg(most.number)
                    .arg(most.missed())
                    .arg(m_participants);
    }
    return line;
}

void ClassPicture::paint(QPainter& painter, const QRectF& target) const {
    const QRectF page = pageRect(target);
    if (!page.isEmpty()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(page, m_page.page);
        painter.restore();
    }
    paintMarks(painter, page);
    paintLegend(painter, legendRect(target));
}

QSize ClassPicture::imageSize() const {
    const QSize page = m_page.page.isNull() ? QSize(rnd(kMarkDesignWidth), 0) : m_page.page.size();
    return QSize(page.width(), page.height() + static_cast<int>(legendHeight(page.width())));
}

QImage ClassPicture::image() const {
    QImage picture(imageSize(), QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(picture.size())));
    return picture;
}

IoResult saveClassPicture(const ClassPicture& picture, const QString& path) {
    const QImage image = picture.image();
    const IoResult saved = saveWholeFile(path, [&image](QIODevice& out) {
        return !image.isNull() && encodePngWithoutAlpha(image, out).ok;
    });
    if (saved)
        return saved;
    IoResult failed = IoResult::failure(saved.detail);
    failed.messages << msgCannotWrite(path);
    return failed;
}

QRect classPicturePrintArea(QSize paper, QSize picture) {
    constexpr int kMargin = 150; // 15 mm
    const QSize room(paper.width() - 2 * kMargin, paper.height() - 2 * kMargin);
    if (room.width() <= 0 || room.height() <= 0 || picture.isEmpty())
        return {};
    const double scale =
        std::min(double(room.width()) / picture.width(), double(room.height()) / picture.height());
    const int w = rnd(picture.width() * scale);
    const int h = rnd(picture.height() * scale);
    return QRect(kMargin + (room.width() - w) / 2, kMargin, w, h);
}

} // namespace quorvel
