// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardtext.h"

#include "rounding.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace quorvel {

namespace {

QString withLineSeparators(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    result.replace(u'\r', QChar::LineSeparator);
    result.replace(u'\n', QChar::LineSeparator);
    return result;
}

// Characters between which a line never breaks (letters, digits and the
// symbols of the same line-breaking class): a run of them is one word.
bool staysInWord(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
           u == u'<' || u == u'>' || u == u'=' || u == u'@' || u == u'#' || u == u'&' || u == u'*';
}

// A word far wider than the line stands on a line of its own, cut at the
// card's edge: what lies beyond twice the line's width is never seen, yet
// laying it out costs as much as the rest. Such words are cut short there
// (keeping their last character, so that the break after them stays as it
// was); everything a card shows stays the same.
QString withoutUnseenWordEnds(const QString& text, const QFont& font, int maxWidth) {
    constexpr qsizetype kShortWord = 256; // words up to this long are laid out whole
    if (text.size() <= kShortWord)
        return text;
    const QFontMetricsF metrics(font);
    const double enough = 2.0 * std::max(1, maxWidth) + 2.0 * font.pixelSize();
    // Word characters are ASCII: their advances, measured once each. Summed
    // without kerning they differ from the shaped width by far less than the
    // slack of `enough`, and cost no shaping of ever longer prefixes.
    std::array<double, 128> advances;
    advances.fill(-1.0);
    const auto advance = [&](QChar c) {
        double& a = advances[c.unicode() & 127];
        if (a < 0)
            a = metrics.horizontalAdvance(c);
        return a;
    };
    QString result;
    qsizetype copied = 0; // text[0 .. copied) is in result
    for (qsizetype i = 0; i < text.size();) {
        if (!staysInWord(text[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && staysInWord(text[end]))
            ++end;
        const qsizetype length = end - i;
        if (length > kShortWord) {
            qsizetype k = 0;
            for (double width = 0; k < length - 1 && width <= enough; ++k)
                width += advance(text[i + k]);
            if (k < length - 1) {
                result += QStringView(text).mid(copied, i + k - copied);
                result += text[end - 1];
                copied = end;
            }
        }
        i = end;
    }
    if (copied == 0)
        return text;
    result += QStringView(text).mid(copied);
    return result;
}

// The number of source lines of `text` (a line ends at CR LF, CR or LF).
qsizetype countSourceLines(const QString& text) {
    qsizetype lines = 1;
    const char16_t* c = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (c[i] == u'\n' || (c[i] == u'\r' && (i + 1 == n || c[i + 1] != u'\n')))
            ++lines;
    }
    return lines;
}

// The first `lines` source lines of `text` (a line ends at CR LF, CR or LF).
QString firstLines(const QString& text, qsizetype lines) {
    qsizetype seen = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        if (++seen == lines)
            return text.left(i);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return text;
}

} // namespace

int textPixelSize(int fsize, double s) {
    // Higher than any page: a size step from a hostile file cannot ask the
    // font engine for absurd glyphs.
    constexpr int kMaxPixel = 20000;
    return std::clamp(rnd((2.0 * fsize + 22.0) * s), 1, kMaxPixel);
}

QFont objectFont(const QString& family, int pixelSize, int style) {
    QFont font(family);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    font.setStrikeOut(style & 8);
    return font;
}

int lineHeightPx(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

TypesetText::TypesetText(const QString& text, const QFont& font, int maxWidth)
    : m_font(font), m_layout(withLineSeparators(withoutUnseenWordEnds(text, font, maxWidth)), font),
      m_lineHeight(lineHeightPx(font)) {
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setAlignment(Qt::AlignLeft);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);

    double widest = 0.0;
    m_layout.beginLayout();
    for (int y = 0;; y += m_lineHeight) {
        QTextLine line = m_layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::max(1, maxWidth));
        line.setPosition(QPointF(0, y));
        m_lineWidths.push_back(line.naturalTextWidth());
        widest = std::max(widest, line.naturalTextWidth());
    }
    m_layout.endLayout();
    if (m_lineWidths.empty())
        m_lineWidths.push_back(0.0);
    m_size = QSize(int(std::ceil(widest)), m_lineHeight * lineCount());
}

size_t TypesetText::approximateBytes() const {
    // The text, its glyphs and the line records, generously.
    return sizeof(TypesetText) + size_t(m_layout.text().size()) * 64 + m_lineWidths.size() * 64;
}

void TypesetText::draw(QPainter& painter, const QRect& rect, TextAlignment alignment) const {
    const int height = m_size.height();
    const int top = height <= rect.height() ? rect.top() + (rect.height() - height) / 2
                                            : rect.top() - m_lineHeight / 4;
    // Lines stand m_lineHeight apart from `top`; one line more on each side
    // keeps glyphs that reach beyond their line.
    const int lines = m_layout.lineCount();
    int first = 0;
    int last = lines - 1;
    if (m_lineHeight > 0) {
        first = std::clamp((rect.top() - top) / m_lineHeight - 1, 0, lines);
        last = std::clamp((rect.bottom() - top) / m_lineHeight + 1, -1, lines - 1);
    }
    for (int i = first; i <= last; ++i) {
        const QTextLine line = m_layout.lineAt(i);
        const double slack = rect.width() - m_lineWidths[size_t(i)];
        double x = rect.left();
        if (alignment == TextAlignment::Centred)
            x += std::max(0.0, slack / 2);
        else if (alignment == TextAlignment::Right)
            x += std::max(0.0, slack);
        line.draw(&painter, QPointF(x - line.x(), top));
    }
}

std::vector<int> shrinkSizes(int startSize) {
    std::vector<int> sizes{std::max(1, startSize)};
    while (sizes.back() > 3)
        sizes.push_back(std::min(sizes.back() - 1, rnd(sizes.back() * 0.9)));
    return sizes;
}

CardTextCache::CardTextCache(size_t budgetBytes) : m_entries(budgetBytes) {}

namespace {

size_t hashOf(const QString& text) {
    // The standard library's byte hash: several times faster than qHash on
    // long captions, and like it it reads every character.
    return std::hash<std::u16string_view>()(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

} // namespace

CardTextCache::Key::Key(QString fontName, std::array<int, 5> numbers, const QString& caption)
    : font(std::move(fontName)), figures(numbers), text(caption) {
    hash = hashOf(text) ^ (hashOf(font) * 31);
    for (int figure : figures)
        hash = hash * 1000003u ^ std::hash<int>()(figure);
}

std::shared_ptr<const TypesetText> CardTextCache::settle(const QString& text, const QFont& font,
                                                         int maxWidth) {
    const Key key(font.key(), {maxWidth, -1, -1, -1, 0}, text);
    if (auto* kept = m_entries.find(key))
        return *kept;
    auto set = std::make_shared<const TypesetText>(text, font, maxWidth);
    m_entries.insert(key, set, set->approximateBytes() + key.bytes());
    return set;
}

std::shared_ptr<const TypesetText> CardTextCache::typeset(const QString& text,
                                                          const QString& family, int startSize,
                                                          int style, int maxWidth, int maxHeight) {
    // Only texts that own their characters: the address of raw or static
    // characters (no capacity) could come to hold another text.
    const void* buffer = text.constData();
    const bool owned = text.capacity() > 0;
    if (auto it = owned ? m_recent.find(buffer) : m_recent.end(); it != m_recent.end()) {
        const Recent& r = it->second;
        if (r.text.constData() == buffer && r.text.size() == text.size() && r.family == family &&
            r.startSize == startSize && r.style == style && r.maxWidth == maxWidth &&
            r.maxHeight == maxHeight) {
            if (auto set = r.set.lock())
                return set;
        }
    }
    auto set = typesetAnew(text, family, startSize, style, maxWidth, maxHeight);
    if (!owned)
        return set;
    // Thousands of objects keep their captions here; a hostile number of them
    // starts the memo afresh rather than growing it without end.
    constexpr size_t kRecentCaptions = size_t(1) << 16;
    if (m_recent.size() >= kRecentCaptions)
        m_recent.clear();
    m_recent[buffer] = Recent{text, family, startSize, style, maxWidth, maxHeight, set};
    return set;
}

std::shared_ptr<const TypesetText> CardTextCache::typesetAnew(const QString& text,
                                                              const QString& family, int startSize,
                                                              int style, int maxWidth,
                                                              int maxHeight) {
    // A single line taller than the room never fits: absurd sizes from a file
    // start at the room's height instead of shrinking step by step.
    int size = std::max(1, startSize);
    if (size > 3 && size / 4 > maxHeight)
        size = std::max(3, maxHeight);

    const Key key(family, {size, style, maxWidth, maxHeight, 1}, text);
    if (auto* kept = m_entries.find(key))
        return *kept;

    // Every source line is at least one screen line: sizes whose line height
    // times the line count is taller than the room need no layout at all.
    const qsizetype sourceLines = countSourceLines(text);
    const std::vector<int> sizes = shrinkSizes(size);
    size_t lo = 0;
    size_t hi = sizes.size() - 1; // the last size is taken whether it fits or not
    while (
        lo<hi&& double(sourceLines) * lineHeightPx(objectFont(family, sizes[lo], style))> maxHeight)
        ++lo;
    // A text taller than the room even at the smallest size shows only its
    // top: source lines that start below the room are never seen, and they
    // are not laid out (200,000 lines would be, to draw a hundred). Such a
    // card is as wide as the lines that can be seen.
    QString shown = text;
    if (lo == hi) {
        const int lineHeight = lineHeightPx(objectFont(family, sizes[lo], style));
        if (lineHeight > 0 && double(sourceLines) * lineHeight > maxHeight)
            shown = firstLines(text, std::max(0, maxHeight) / lineHeight + 2);
    }
    std::shared_ptr<const TypesetText> found;
    // Most texts fit at their first size: one layout settles them.
    if (lo == 0 && lo < hi) {
        auto probe = std::make_shared<const TypesetText>(text, objectFont(family, sizes[0], style),
                                                         maxWidth);
        if (probe->size().height() <= maxHeight)
            hi = 0;
        else
            lo = 1;
        found = std::move(probe);
    }
    while (lo < hi) {
        const size_t centre = lo + (hi - lo) / 2;
        auto probe = std::make_shared<const TypesetText>(
            text, objectFont(family, sizes[centre], style), maxWidth);
        if (probe->size().height() <= maxHeight) {
            hi = centre;
            found = std::move(probe);
        } else {
            lo = centre + 1;
        }
    }
    if (!found || sizes[lo] != found->font().pixelSize())
        found = std::make_shared<const TypesetText>(shown, objectFont(family, sizes[lo], style),
                                                    maxWidth);
    m_entries.insert(key, found, found->approximateBytes() + key.bytes());
    return found;
}

} // namespace quorvel
