// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;

namespace quorvel {

class Document;
class TeacherState;
class ViewLayouts;

// The page a class picture is drawn on: the learning view's composed page and
// where each object's card lies on it.
struct ClassPicturePage {
    QImage page;
    std::vector<QRectF> cards; // per object index, in page fractions; empty: no card
};

// The page the learning view composed of `document` (the cards are those it
// remembered while drawing `page`).
ClassPicturePage classPicturePage(const Document& document, const QImage& page);
// Composes the document's page as the learning view shows it in a view area
// of `area` pixels (the cards of `document` are remembered anew).
ClassPicturePage composeClassPicturePage(Document& document, const ViewLayouts& layouts,
                                         QSize area);

// How the class did on one query field. Every participant row counts in
// exactly one of the four.
struct FieldMark {
    int number = 0; // the teacher's query number: grid column 12 + number
    QRectF card;    // in page fractions
    int firstAttempt = 0;
    int afterWrong = 0;
    int wrongOpen = 0;  // wrong attempts, not solved
    int unanswered = 0; // not answered yet
    int participants() const { return firstAttempt + afterWrong + wrongOpen + unanswered; }
    int notSolved() const { return wrongOpen + unanswered; }
    // Participants who answered it wrong at least once.
    int missed() const { return afterWrong + wrongOpen; }
    friend bool operator==(const FieldMark&, const FieldMark&) = default;
};

// The shares of a mark as the figure shows them: solved at the first attempt,
// after wrong attempts, not solved, in whole percent.
struct MarkShares {
    int firstAttempt = 0;
    int afterWrong = 0;
    int notSolved = 0;
};
MarkShares markShares(const FieldMark& mark);

// The class picture: the page with every query field framed by how the class
// did on it (the frame's length split in the shares' colours) and a small
// figure of the shares beside it; the field the class missed most carries a
// heavier frame and an inverted figure. The figures carry everything the
// colours say, so a black-and-white print loses nothing. No figures while no
// participant has joined. Headless: it paints on any QPainter.
class ClassPicture {
public:
    void setPage(ClassPicturePage page);
    const ClassPicturePage& page() const { return m_page; }

    // Counts anew from the teacher's rows (null: no exercise, no marks).
    // True when any mark, the participant count or the most-missed field
    // changed; changedMarks() then lists the marks whose drawing changed.
    bool update(const TeacherState* state);
    const QList<int>& changedMarks() const { return m_changed; }

    const std::vector<FieldMark>& marks() const { return m_marks; }
    int participants() const { return m_participants; }
    // The index into marks() of the field the class missed most (most
    // participants with wrong attempts, then most not solved, then the lower
    // number); -1 while no field was missed.
    int mostMissed() const { return m_mostMissed; }

    // Where the page goes when the whole picture is fitted into `target`,
    // with the legend below it.
    QRectF pageRect(const QRectF& target) const;
    QRectF legendRect(const QRectF& target) const;
    // A mark's frame and figure on a page drawn into `pageRect`; the figure
    // is empty while no participant has joined.
    QRectF frameRect(int mark, const QRectF& pageRect) const;
    QRectF figureRect(int mark, const QRectF& pageRect) const;
    // What a mark touches when drawn, frame and figure with their pens.
    QRectF markBounds(int mark, const QRectF& pageRect) const;

    // Paints the marks; with `only` not empty, only those that touch it.
    void paintMarks(QPainter& painter, const QRectF& pageRect, const QRectF& only = {}) const;
    void paintLegend(QPainter& painter, const QRectF& legendRect) const;
    // The legend's second line: what it says about the class (changes with
    // the participants and the most-missed field).
    QString legendLine() const;
    // Page, marks and legend fitted into `target`.
    void paint(QPainter& painter, const QRectF& target) const;
    // The picture at the page's own width (what is saved and copied).
    QImage image() const;

    // The picture's size for a page width: the page and the legend below.
    QSize imageSize() const;

private:
    QString figureText(const FieldMark& mark) const;
    // Every figure has the size of the widest one, so that a figure never
    // moves or grows as the shares change; kept per font size, as measuring
    // text is what a repaint would otherwise spend its time on.
    QSizeF figureSize(int pixelSize, bool mostMissed) const;
    void paintFrame(QPainter& painter, int index, const QRectF& pageRect) const;
    void paintFigure(QPainter& painter, int index, const QRectF& pageRect) const;

    ClassPicturePage m_page;
    std::vector<FieldMark> m_marks;
    int m_participants = 0;
    int m_mostMissed = -1;
    QList<int> m_changed;
    mutable int m_measuredPixels = -1;
    mutable QSizeF m_measured[2];
};

// Writes the picture as PNG (whatever the name ends with); a failure carries
// msgCannotWrite.
IoResult saveClassPicture(const ClassPicture& picture, const QString& path);

// The area a class picture of `picture` pixels is printed into on a paper of
// `paper` (0.1 mm): within 15 mm margins, keeping its proportions, centred
// at the top.
QRect classPicturePrintArea(QSize paper, QSize picture);

} // namespace quorvel
