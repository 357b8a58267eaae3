// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"
#include "worksheetbody.h"

#include <QImage>
#include <QRect>
#include <functional>
#include <vector>

class QPainter;

namespace quorvel {

struct ObjDataTyp;

// What the bodies of the document types share: the page picture the objects
// are drawn onto, its placing on the page, frames and the solution colour.

inline constexpr ColourValue kSolutionColour = 0x0000FF; // red

// The page picture with the base picture: the page (base picture and margin)
// at the base picture's pixels, white where the base picture does not lie.
// With `withBase` false the same size stays white. Bounded in size.
QImage basePagePicture(const Document& document, bool withBase);

// The learning view's composed page at the page picture's size (the layouts
// draw into it as in the view); null without layouts in the context.
QImage composedPagePicture(const WorksheetBodyContext& context);

// The object indices ordered by `ZIndex`, equal ones in list order.
std::vector<int> zOrdered(const Document& document);

// Draws the objects `indices` onto `picture` in the worksheet mode of the
// sheet (the objects are drawn from copies; the document stays as it is).
void drawWorksheetObjects(QImage& picture, const WorksheetBodyContext& context,
                          const std::vector<int>& indices, bool firstLetter = false);

// Where the placed base picture lies: its top and height before cutting,
// and the part drawn.
struct PlacedPicture {
    int top = 0;    // y0 before cutting
    int height = 0; // ph before cutting
    QRect shown;    // the visible part on the page
};

// Places the page picture of a cloze or cluster body on the page from `top`
// by the settings' size and position (fitting it anew first when the
// orientation was switched), cut at `top` and the body limit, and draws it.
PlacedPicture placeBasePicture(WorksheetBodyContext& context, const QImage& picture, int top);

// A one-unit black frame around `rect`.
void drawBodyFrame(QPainter& painter, const QRect& rect);

// The bodies by document type; each returns the y where it ended.
int drawLabellingBody(WorksheetBodyContext& context, int top);
int drawCrossMatchingBody(WorksheetBodyContext& context, int top);
int drawClozeBody(WorksheetBodyContext& context, int top);
int drawSingleQuestionsBody(WorksheetBodyContext& context, int top);
int drawMultipleChoiceBody(WorksheetBodyContext& context, int top);
int drawClusterBody(WorksheetBodyContext& context, int top);

// The picture body of labelling, crossword and cross matching: `picture`
// with the objects drawn onto it (`skip` leaves objects out), stretched to
// the page width from `top`, or to the body limit's height when it is too
// tall, and framed on sheets with parts.
int drawPictureBody(WorksheetBodyContext& context, int top, QImage picture,
                    const std::function<bool(const ObjDataTyp&)>& skip, bool firstLetter);

} // namespace quorvel
