// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lrucache.h"
#include "typecodes.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTextLayout>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

class QPainter;

namespace quorvel {

// The design width of a page: object sizes are multiples of S = page picture
// width / 870.
inline constexpr double kDesignWidth = 870.0;

// The character height in pixels of an object's text: round((2 x Fsize + 22) x S),
// at least 1. It is a pixel size (the em height), not a point size.
int textPixelSize(int fsize, double s);

// A font of `family` with the character height `pixelSize` and the style
// bits of `Stil` (1 bold, 2 italic, 4 underline, 8 strike-out).
QFont objectFont(const QString& family, int pixelSize, int style = 0);

// The height of one text line (ascent + descent) of `font`, as the text extent
// of a single line reports it.
int lineHeightPx(const QFont& font);

// A text broken into lines at word boundaries for a given width. A word wider
// than the width stays whole and makes its line wider. Lines stand one line
// height apart.
class TypesetText {
public:
    TypesetText(const QString& text, const QFont& font, int maxWidth);

    const QFont& font() const { return m_font; }
    QSize size() const { return m_size; } // widest line x number of lines
    int lineCount() const { return int(m_lineWidths.size()); }
    int lineHeight() const { return m_lineHeight; }
    // A rough count of the bytes the layout keeps, for the cache's budget.
    size_t approximateBytes() const;

    // Draws the lines into `rect` with the painter's pen: horizontally by
    // `alignment`, vertically centred when the text
    // fits, otherwise top-aligned and moved up by a quarter line. Lines that
    // lie wholly outside `rect` are left out.
    void draw(QPainter& painter, const QRect& rect, TextAlignment alignment) const;

private:
    QFont m_font;
    QTextLayout m_layout;
    std::vector<double> m_lineWidths;
    int m_lineHeight = 0;
    QSize m_size;
};

// The sizes the shrink-to-fit loop of a card tries, from `startSize`
// (already bounded by the room) down: each next one is
// min(size - 1, round(size x 0.9)), the last one is at most 3.
std::vector<int> shrinkSizes(int startSize);

// Lays out card texts and keeps the final layouts: a composition draws the
// same texts at the same sizes again and again (every query field twice).
// The kept layouts are bounded in bytes; the least recently used go first.
class CardTextCache {
public:
    explicit CardTextCache(size_t budgetBytes = kDefaultBudget);

    // The text set with word wrap at `maxWidth` in `family` with `style`,
    // starting at `startSize` pixels. While it is taller than `maxHeight` and
    // the size is above 3, the size becomes min(size - 1, round(size x 0.9)).
    // The result is that of trying every size in turn, found by a binary
    // search over the sizes (a text never gets taller at a smaller size), so
    // a long text costs a few layouts, not one per size; only the final
    // layout is kept.
    std::shared_ptr<const TypesetText> typeset(const QString& text, const QString& family,
                                               int startSize, int style, int maxWidth,
                                               int maxHeight);

    // The text set once at exactly the font's size, without shrinking.
    std::shared_ptr<const TypesetText> settle(const QString& text, const QFont& font, int maxWidth);

    void clear() {
        m_entries.clear();
        m_recent.clear();
    }
    size_t usedBytes() const { return m_entries.usedBytes(); }

    static constexpr size_t kDefaultBudget = size_t(64) << 20;

private:
    std::shared_ptr<const TypesetText> typesetAnew(const QString& text, const QString& family,
                                                   int startSize, int style, int maxWidth,
                                                   int maxHeight);

    // What decides a layout. The caption is shared, not copied, and hashed
    // once per request: captions run to hundreds of thousands of characters.
    struct Key {
        QString font; // the family, or a whole font's key for settle()
        std::array<int, 5> figures;
        QString text;
        size_t hash;
        Key(QString font, std::array<int, 5> figures, const QString& text);
        bool operator==(const Key& other) const {
            return hash == other.hash && figures == other.figures && font == other.font &&
                   text == other.text;
        }
        size_t bytes() const { return size_t(font.size() + text.size()) * 2 + sizeof(Key); }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const noexcept { return key.hash; }
    };
    LruCache<Key, std::shared_ptr<const TypesetText>, KeyHash> m_entries;

    // A composition asks for the same caption several times: the last answer
    // for each caption's character buffer, found without hashing the text.
    // The entry holds the buffer, so no other text can take its address; it
    // does not hold the layout, which stays bounded by the budget above.
    struct Recent {
        QString text;
        QString family;
        int startSize, style, maxWidth, maxHeight;
        std::weak_ptr<const TypesetText> set;
    };
    std::unordered_map<const void*, Recent> m_recent;
};

} // namespace quorvel
