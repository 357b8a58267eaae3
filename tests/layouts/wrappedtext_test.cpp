// SPDX-License-Identifier: GPL-3.0-or-later
#include "wrappedtext.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

QFont arial(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

QString repeated(const QString& piece, qsizetype length) {
    QString text;
    while (text.size() < length)
        text += piece;
    return text.left(length);
}

QImage drawn(const QFont& font, QSize box, const QString& text) {
    QImage picture(box, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.drawText(QRect(QPoint(0, 0), QSize(box.width(), 1 << 20)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return picture;
}

const QString kClue = QStringLiteral("W1: ein Hinweis auf das Wort\n\n");

// The bounded answers are those of laying out the whole text: whether it
// fits, and what shows in the box, for texts below, near and far above what
// the box holds.
TEST(WrappedText, BoundedFitAndVisiblePartMatchTheWholeText) {
    const struct {
        QString text;
        int size;
        QSize box;
    } cases[] = {
        {kClue, 14, {300, 400}},
        {repeated(kClue, 2000), 14, {300, 400}},
        {repeated(kClue, 2000), 4, {300, 400}},
        {repeated(QStringLiteral("Donaudampfschifffahrt "), 30000), 6, {200, 150}},
        {repeated(QStringLiteral("x\n"), 40000), 9, {120, 300}},
        {QString(50000, u'w'), 12, {100, 100}},
        {repeated(kClue, 300000), 3, {320, 700}},
        {QString(), 10, {50, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text.size() << " characters at " << c.size);
        const QFont font = arial(c.size);
        const int whole = wrappedHeight(font, c.box.width(), c.text);
        EXPECT_EQ(fitsWrapped(font, c.box, c.text), whole <= c.box.height());
        const QString visible = visibleWrapped(font, c.box, c.text);
        EXPECT_TRUE(c.text.startsWith(visible));
        EXPECT_EQ(drawn(font, c.box, visible), drawn(font, c.box, c.text));
        if (whole > 2 * c.box.height()) {
            EXPECT_LT(wrappedHeight(font, c.box.width(), visible), 2 * c.box.height());
        }
    }
}

} // namespace
} // namespace quorvel
