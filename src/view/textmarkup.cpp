// SPDX-License-Identifier: GPL-3.0-or-later
#include "textmarkup.h"

#include "colorconversion.h"
#include "rounding.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace quorvel {

namespace {

constexpr ColourValue kBlack = 0x000000;
constexpr ColourValue kRed = 0x0000FF;
constexpr int kMaxMinGap = 1000;
constexpr int kPictureHeight = 3000;

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c) {
    return isAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int twoDigits(QChar a, QChar b) {
    return (a.unicode() - u'0') * 10 + (b.unicode() - u'0');
}

int pixelSizeOf(const TextMarkupParams& params) {
    const int px = params.charHeight > 0 ? params.charHeight : rnd(params.pointSize * 96.0 / 72.0);
    return std::max(1, px);
}

enum class Tag {
    None,
    BoldOn,
    BoldOff,
    ItalicOn,
    ItalicOff,
    UnderlineOn,
    UnderlineOff,
    Gap,
    Colour,
    ColourOff,
    Rule,
    PosX,
    Field
};

struct TagMatch {
    Tag tag = Tag::None;
    int length = 0;
    int number = 0;  // PosX: percent; Field: character count
    int gapEnd = -1; // Gap: index of the closing ">>"
};

class LineRenderer {
public:
    LineRenderer(const TextMarkupParams& params, const QString& source)
        : m_p(params), m_line(source + u' '), m_n(static_cast<int>(m_line.size())),
          m_font(markupFont(params)), m_fm(m_font) {
        const MarkupMetrics metrics = markupMetrics(params);
        m_lineHeight = metrics.lineHeight;
        m_x = params.leftX;
        m_y = params.topY + metrics.paragraphSpacing;
        m_limit = params.rightEdge - params.rightLimit - 10;
        m_painter = params.measureOnly ? nullptr : params.canvas;
        if (m_painter) {
            m_painter->save();
            m_painter->setRenderHint(QPainter::Antialiasing, false);
        }
    }

    ~LineRenderer() {
        if (m_painter)
            m_painter->restore();
    }

    LineRenderer(const LineRenderer&) = delete;
    LineRenderer& operator=(const LineRenderer&) = delete;

    int run() {
        int p = 0;
        int v = 0;  // start of the pending text
        int w = -1; // last blank seen (or the last cut), -1 for none
        while (p < m_n && !pastMeasureLimit()) {
            const TagMatch tag = tagAt(p);
            if (tag.tag == Tag::Gap) {
                p = gap(v, p, tag.gapEnd);
                v = p;
                continue;
            }
            if (tag.tag != Tag::None) {
                put(v, p - 1);
                p = apply(tag, p);
                v = p;
                continue;
            }
            if (m_x + width(v, p) <= m_limit) {
                if (m_line[p] == u' ')
                    w = p;
                ++p;
                continue;
            }
            // The line is full: break at the last blank of the pending text, or
            // at the blank just before it once something stands on this line;
            // otherwise cut after the character that overflowed.
            if (w >= 0 && (w >= v || (w == v - 1 && m_x > m_p.leftX)))
                p = w;
            put(v, p);
            newLine();
            while (p + 1 < m_n && m_line[p + 1] == u' ')
                ++p;
            w = p;
            v = p + 1;
            p = v;
        }
        if (pastMeasureLimit())
            return m_y;
        put(v, m_n - 1);
        newLine();
        return m_y;
    }

private:
    bool at(int p, QLatin1String text) const {
        return QStringView(m_line).mid(p).startsWith(text, Qt::CaseInsensitive);
    }

    bool clozeMode() const {
        const int mode = m_p.clozeMode;
        return mode == kMarkupClozeView ||
               (mode >= kMarkupWorksheet && mode <= kMarkupSolutionSheet);
    }

    TagMatch tagAt(int p) const {
        if (m_line[p] != u'<')
            return {};
        static const struct {
            QLatin1String text;
            Tag tag;
        } styleTags[] = {
            {QLatin1String("<B>"), Tag::BoldOn},      {QLatin1String("</B>"), Tag::BoldOff},
            {QLatin1String("<I>"), Tag::ItalicOn},    {QLatin1String("</I>"), Tag::ItalicOff},
            {QLatin1String("<U>"), Tag::UnderlineOn}, {QLatin1String("</U>"), Tag::UnderlineOff},
        };
        for (const auto& style : styleTags) {
            if (at(p, style.text))
                return {style.tag, static_cast<int>(style.text.size())};
        }
        if (clozeMode() && at(p, QLatin1String("<<"))) {
            // A "<<" without a closing ">>" on its line is ordinary text.
            const int end = closingAfter(p + 2);
            if (end >= 0)
                return {Tag::Gap, 2, 0, end};
        }
        if (at(p, QLatin1String("<@COL=")) && p + 12 < m_n && m_line[p + 12] == u'>') {
            bool hex = true;
            for (int i = p + 6; i < p + 12; ++i)
                hex = hex && isHexDigit(m_line[i]);
            if (hex)
                return {Tag::Colour, 13};
        }
        if (at(p, QLatin1String("</@COL>")))
            return {Tag::ColourOff, 7};
        if (at(p, QLatin1String("<@LINIE>")))
            return {Tag::Rule, 8};
        if (at(p, QLatin1String("<@POSX=")) && p + 10 < m_n && isAsciiDigit(m_line[p + 7]) &&
            isAsciiDigit(m_line[p + 8]) && m_line[p + 9] == u'%' && m_line[p + 10] == u'>')
            return {Tag::PosX, 11, twoDigits(m_line[p + 7], m_line[p + 8])};
        if (at(p, QLatin1String("<@REB=")) && p + 8 < m_n && isAsciiDigit(m_line[p + 6]) &&
            isAsciiDigit(m_line[p + 7]) && m_line[p + 8] == u'>')
            return {Tag::Field, 9, twoDigits(m_line[p + 6], m_line[p + 7])};
        return {};
    }

    // The first ">>" at or after `from`, -1 for none. The scan moves forward,
    // so one search serves every "<<" up to the ">>" it found: a line full of
    // "<<" costs one pass, not one per "<<".
    int closingAfter(int from) const {
        if (m_closeFrom < 0 || from < m_closeFrom || (m_closeAt >= 0 && from > m_closeAt)) {
            m_closeFrom = from;
            m_closeAt = static_cast<int>(m_line.indexOf(QLatin1String(">>"), from));
        }
        return m_closeAt;
    }

    // Applies a tag found at p and returns the position after what it consumed.
    int apply(const TagMatch& tag, int p) {
        const int after = p + tag.length;
        switch (tag.tag) {
        case Tag::BoldOn:
        case Tag::BoldOff:
            m_font.setBold(tag.tag == Tag::BoldOn);
            break;
        case Tag::ItalicOn:
        case Tag::ItalicOff:
            m_font.setItalic(tag.tag == Tag::ItalicOn);
            break;
        case Tag::UnderlineOn:
        case Tag::UnderlineOff:
            m_font.setUnderline(tag.tag == Tag::UnderlineOn);
            break;
        case Tag::Colour:
        case Tag::ColourOff:
            return after; // recognised so that it is not drawn; the colour stays
        case Tag::Rule:
            rule();
            return after;
        case Tag::PosX:
            m_x = rnd(tag.number / 100.0 * m_p.rightEdge);
            return after;
        case Tag::Field:
            return field(after, tag.number);
        case Tag::Gap:
        case Tag::None:
            return after;
        }
        m_fm = QFontMetrics(m_font);
        return after;
    }

    void rule() {
        const int length = m_p.rightEdge - m_x;
        const bool drawn = m_painter && length > 0;
        if (drawn)
            drawHorizontal(m_x, m_y + m_lineHeight - 1, length, colourFromValue(m_p.colour));
        record(MarkupRun::Kind::Rule, QString(), m_x, std::max(0, length), drawn);
        m_x = m_p.rightEdge;
    }

    // The right-aligned field: the next `count` characters of the source line
    // (not the blank appended for scanning) end at the field's right edge.
    int field(int from, int count) {
        const int available = std::max(0, m_n - 1 - from);
        const int taken = std::min(count, available);
        const int fieldWidth = count * m_fm.horizontalAdvance(QStringLiteral("0"));
        m_x += fieldWidth - width(from, from + taken - 1);
        put(from, from + taken - 1);
        return from + taken;
    }

    // A gap from "<<" at p to ">>" at end; returns where the scan goes on.
    int gap(int v, int p, int end) {
        int wordStart = p;
        while (wordStart > v && m_line[wordStart - 1] != u' ')
            --wordStart;
        put(v, wordStart - 1);

        const QString content = m_line.mid(p + 2, end - p - 2);
        const int minGap = std::clamp(m_p.minGap, 0, kMaxMinGap);
        const int fitWidth = std::max(m_fm.horizontalAdvance(u' ' + QString(minGap, u'X')),
                                      m_fm.horizontalAdvance(u' ' + firstAlternative(content)));
        if (m_x + fitWidth > m_p.rightEdge - m_p.rightLimit && m_x > m_p.leftX)
            newLine();
        put(wordStart, p - 1);

        m_x += m_p.clozeMode == kMarkupClozeView ? viewGap(content) : worksheetGap(content);

        // Punctuation and word endings stay with the gap.
        int q = end + 2;
        while (q < m_n && m_line[q] != u' ' && !at(q, QLatin1String("<<")) &&
               tagAt(q).tag == Tag::None) {
            put(q, q);
            ++q;
        }
        return q;
    }

    int viewGap(const QString& content) {
        ClozeGapRequest request;
        request.content = content;
        request.x = m_x;
        request.y = m_y;
        request.build = m_p.build;
        request.measureOnly = m_p.measureOnly;
        request.pageWidth = m_p.rightEdge;
        request.pageHeight = m_p.pageHeight;
        request.font = m_font;
        request.minGap = m_p.minGap;
        const int g = m_p.gapStep ? m_p.gapStep(request) : clozeGapWidth(m_fm, content, m_p.minGap);
        record(MarkupRun::Kind::Gap, content, m_x, g, false);
        return g;
    }

    int worksheetGap(const QString& content) {
        const int g = worksheetGapWidth(clozeGapWidth(m_fm, content, m_p.minGap), m_p.boxSizeIndex);
        const int mode = m_p.clozeMode;
        const bool line = m_painter && (mode == kMarkupWorksheet || mode == kMarkupSolutionSheet);
        const bool solution =
            m_painter && (mode == kMarkupSolutionOverlay || mode == kMarkupSolutionSheet);
        if (line)
            drawHorizontal(m_x, m_y + m_lineHeight - 1, g, colourFromValue(kBlack));
        if (solution) {
            m_painter->setFont(m_font);
            m_painter->setPen(colourFromValue(kRed));
            m_painter->drawText(QPoint(m_x, m_y + m_fm.ascent()), u' ' + firstAlternative(content));
        }
        record(MarkupRun::Kind::Gap, content, m_x, g, line || solution);
        return g;
    }

    void drawHorizontal(int x, int y, int length, const QColor& colour) {
        if (length <= 0)
            return;
        m_painter->setPen(QPen(colour, 1));
        m_painter->drawLine(x, y, x + length - 1, y);
    }

    bool textIsDrawn() const {
        if (!m_painter)
            return false;
        switch (m_p.clozeMode) {
        case kMarkupPlain:
        case kMarkupWorksheet:
        case kMarkupSolutionSheet:
            return true;
        case kMarkupClozeView:
            return m_p.textLayerVisible || m_p.exerciseRunning;
        default:
            return m_p.exerciseRunning;
        }
    }

    int width(int from, int to) const {
        if (to < from)
            return 0;
        return m_fm.horizontalAdvance(m_line.mid(from, to - from + 1));
    }

    // Puts out the characters from..to at (x, y) and advances x.
    void put(int from, int to) {
        if (to < from)
            return;
        const QString text = m_line.mid(from, to - from + 1);
        const int advance = m_fm.horizontalAdvance(text);
        const bool drawn = textIsDrawn();
        if (drawn) {
            m_painter->setFont(m_font);
            m_painter->setPen(colourFromValue(m_p.colour));
            m_painter->drawText(QPoint(m_x, m_y + m_fm.ascent()), text);
        }
        record(MarkupRun::Kind::Text, text, m_x, advance, drawn);
        m_x += advance;
    }

    void newLine() {
        m_x = m_p.leftX;
        m_y += m_lineHeight;
    }

    bool pastMeasureLimit() const { return m_p.measureOnly && m_y > m_p.measureLimit; }

    void record(MarkupRun::Kind kind, const QString& text, int x, int advance, bool drawn) {
        if (!m_p.runs)
            return;
        m_p.runs->push_back({kind, text, x, m_y, advance, m_font.bold(), m_font.italic(),
                             m_font.underline(), drawn});
    }

    const TextMarkupParams& m_p;
    const QString m_line;
    const int m_n;
    QFont m_font;
    QFontMetrics m_fm;
    QPainter* m_painter = nullptr;
    int m_lineHeight = 0;
    int m_limit = 0;
    int m_x = 0;
    int m_y = 0;
    mutable int m_closeFrom = -1; // where the last search for ">>" started
    mutable int m_closeAt = -1;   // what it found
};

} // namespace

QFont markupFont(const TextMarkupParams& params) {
    QFont font(params.fontFamily);
    font.setPixelSize(pixelSizeOf(params));
    return font;
}

MarkupMetrics markupMetrics(const TextMarkupParams& params) {
    MarkupMetrics m;
    // The height of a text is the font's full cell height, whatever the text.
    m.h = QFontMetrics(markupFont(params)).height();
    m.lineHeight = rnd(1.25 * m.h);
    const int mode = params.clozeMode;
    if (mode == kMarkupClozeView || (mode >= kMarkupWorksheet && mode <= kMarkupSolutionSheet))
        m.lineHeight = rnd(m.lineHeight * 1.1);
    m.paragraphSpacing = rnd(1.25 * m.h * 0.02 / 0.055);
    return m;
}

int renderLine(const TextMarkupParams& params, const QString& line) {
    LineRenderer renderer(params, line);
    return renderer.run();
}

int renderText(const TextMarkupParams& params, const QString& text) {
    TextMarkupParams call = params;
    for (const QString& line : splitMarkupLines(text))
        call.topY = renderLine(call, line);
    return call.topY;
}

QImage renderTextToPicture(const QStringList& lines, int width, int pointSize,
                           const QColor& background, const QString& fontFamily,
                           ColourValue textColour) {
    if (width <= 0)
        return {};
    QImage picture(width, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    picture.fill(background);
    int y = 0;
    {
        QPainter painter(&picture);
        TextMarkupParams params;
        params.canvas = &painter;
        params.rightEdge = width;
        params.colour = textColour;
        params.pointSize = pointSize;
        params.fontFamily = fontFamily;
        for (const QString& line : lines) {
            params.topY = y;
            y = renderLine(params, line);
        }
    }
    return picture.copy(0, 0, width, std::clamp(y, 1, kPictureHeight));
}

QStringList splitMarkupLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString firstAlternative(const QString& content) {
    const auto bar = content.indexOf(u'|');
    return bar < 0 ? content : content.left(bar);
}

int clozeGapWidth(const QFontMetrics& metrics, const QString& content, int minGap) {
    const int letters = std::clamp(minGap, 0, kMaxMinGap);
    return std::max({metrics.horizontalAdvance(QStringLiteral(" XX")),
                     metrics.horizontalAdvance(u' ' + firstAlternative(content)),
                     metrics.horizontalAdvance(u' ' + QString(letters, u'X'))});
}

int worksheetGapWidth(int standardWidth, int boxSizeIndex) {
    return standardWidth + rnd(standardWidth * (boxSizeIndex - kBoxSizeIndex100) * 0.1);
}

} // namespace quorvel
