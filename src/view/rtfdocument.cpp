// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtfdocument.h"

#include "cp1252.h"
#include "reportrtf.h"
#include "rounding.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <cctype>
#include <vector>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMaxDepth = 100; // deeper groups are skipped
constexpr int kMaxParameter = 1 << 20;

QByteArray alignmentWord(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter)
        return "\\qc";
    if (alignment & Qt::AlignRight)
        return "\\qr";
    if (alignment & Qt::AlignJustify)
        return "\\qj";
    return "\\ql";
}

// The index of `value` in `table`, appended when new.
template <typename T> int indexIn(std::vector<T>& table, const T& value) {
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i] == value)
            return int(i);
    table.push_back(value);
    return int(table.size() - 1);
}

} // namespace

QByteArray documentToRtf(const QTextDocument& document) {
    std::vector<QString> fonts{document.defaultFont().family()};
    std::vector<QRgb> colours{qRgb(0, 0, 0)};
    QByteArray body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += "\\pard" + alignmentWord(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            const QFont font = format.font();
            const double points =
                font.pointSizeF() > 0 ? font.pointSizeF() : document.defaultFont().pointSizeF();
            const QColor colour = format.foreground().style() == Qt::NoBrush
                                      ? QColor(Qt::black)
                                      : format.foreground().color();
            body += "\\plain\\f" + QByteArray::number(indexIn(fonts, font.family())) + "\\fs" +
                    QByteArray::number(rnd(std::max(points, 1.0) * 2.0)) + "\\cf" +
                    QByteArray::number(indexIn(colours, colour.rgb()));
            if (font.bold())
                body += "\\b";
            if (font.italic())
                body += "\\i";
            if (font.underline())
                body += "\\ul";
            if (font.strikeOut())
                body += "\\strike";
            body += ' ';
            QString text = fragment.text();
            // Line breaks inside a paragraph become "\line".
            const QStringList lines = text.split(QChar::LineSeparator);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0)
                    body += "\\line ";
                appendRtfEscaped(body, lines[i]);
            }
        }
        // "\par" separates paragraphs: one after the last would add an empty one.
        if (block.next().isValid())
            body += "\\par";
        body += '\n';
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(qulonglong(i)) + "\\fnil ";
        appendRtfEscaped(out, fonts[i]);
        out += ";}";
    }
    out += "}\n{\\colortbl";
    for (const QRgb colour : colours)
        out += "\\red" + QByteArray::number(qRed(colour)) + "\\green" +
               QByteArray::number(qGreen(colour)) + "\\blue" + QByteArray::number(qBlue(colour)) +
               ';';
    out += "}\n" + body + "}\n";
    return out;
}

bool looksLikeRtf(const QByteArray& bytes) {
    return bytes.startsWith("{\\rtf");
}

namespace {

// Reads a rich-text file into a text document, one character at a time.
class RtfReader {
public:
    RtfReader(const QByteArray& bytes, QTextDocument& document)
        : m_in(bytes), m_cursor(&document) {}

    void read() {
        m_states.push_back({});
        while (m_at < m_in.size()) {
            const char c = m_in.at(m_at++);
            switch (c) {
            case '{':
                flush();
                if (m_skippedDepth > 0 || m_states.size() >= size_t(kMaxDepth))
                    ++m_skippedDepth;
                else
                    m_states.push_back(m_states.back());
                break;
            case '}':
                flush();
                if (m_skippedDepth > 0)
                    --m_skippedDepth;
                else if (m_states.size() > 1) {
                    if (m_states.size() == 2)
                        finishParagraph(); // the document's group ends
                    if (m_states.back().destination == Destination::FontTable)
                        addFont();
                    m_states.pop_back();
                }
                break;
            case '\\':
                controlWord();
                break;
            case '\r':
            case '\n':
                break;
            default:
                character(c & 0x80 ? decodeCp1252(QByteArray(1, c)).at(0) : QChar::fromLatin1(c));
                break;
            }
        }
        // A file cut short ends inside its group.
        if (m_states.size() > 1)
            finishParagraph();
        flush();
    }

private:
    enum class Destination { Text, FontTable, ColourTable, Skipped };
    struct State {
        QTextCharFormat format;
        Qt::Alignment alignment = Qt::AlignLeft;
        Destination destination = Destination::Text;
        int unicodeSkip = 1;
    };

    State& state() { return m_states.back(); }

    // A character of the current destination; a "\'hh" byte or plain text.
    void character(QChar c) {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        if (m_skippedDepth > 0)
            return;
        switch (state().destination) {
        case Destination::Text:
            if (m_text.isEmpty())
                m_textFormat = state().format;
            m_text += c;
            break;
        case Destination::FontTable:
            if (c == u';')
                addFont();
            else
                m_fontName += c;
            break;
        case Destination::ColourTable:
            if (c == u';') {
                m_colours.push_back(m_colour);
                m_colour = QColor(Qt::black);
            }
            break;
        case Destination::Skipped:
            break;
        }
    }

    void addFont() {
        const QString name = m_fontName.trimmed();
        if (!name.isEmpty() && m_fontNumber >= 0)
            m_fonts.insert(m_fontNumber, name);
        m_fontName.clear();
    }

    // The text collected so far goes into the document in its format.
    void flush() {
        if (m_text.isEmpty())
            return;
        m_cursor.insertText(m_text, m_textFormat);
        m_text.clear();
    }

    // The paragraph being read takes the alignment in effect.
    void finishParagraph() {
        flush();
        QTextBlockFormat block = m_cursor.blockFormat();
        block.setAlignment(state().alignment);
        m_cursor.setBlockFormat(block);
    }

    void paragraph() {
        finishParagraph();
        m_cursor.insertBlock();
    }

    // A format change ends the run in the old format.
    QTextCharFormat& format() {
        flush();
        return state().format;
    }

    void controlWord() {
        if (m_at >= m_in.size())
            return;
        const char first = m_in.at(m_at);
        if (!std::isalpha(static_cast<unsigned char>(first))) {
            ++m_at;
            controlSymbol(first);
            return;
        }
        const qsizetype start = m_at;
        while (m_at < m_in.size() && m_at - start < 32 &&
               std::isalpha(static_cast<unsigned char>(m_in.at(m_at))))
            ++m_at;
        const QByteArray word = m_in.mid(start, m_at - start);
        bool hasParameter = false;
        bool negative = false;
        long long parameter = 0;
        if (m_at < m_in.size() && m_in.at(m_at) == '-') {
            negative = true;
            ++m_at;
        }
        while (m_at < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in.at(m_at)))) {
            if (parameter < kMaxParameter)
                parameter = parameter * 10 + (m_in.at(m_at) - '0');
            hasParameter = true;
            ++m_at;
        }
        if (m_at < m_in.size() && m_in.at(m_at) == ' ')
            ++m_at; // the delimiter belongs to the word
        const int n = int(std::min<long long>(parameter, kMaxParameter)) * (negative ? -1 : 1);
        apply(word, hasParameter, n);
    }

    void controlSymbol(char symbol) {
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            character(QChar::fromLatin1(symbol));
            break;
        case '~':
            character(QChar(0xA0));
            break;
        case '*':
            if (m_skippedDepth > 0)
                break;
            flush();
            state().destination = Destination::Skipped;
            break;
        case '\'': {
            const QByteArray hex = m_in.mid(m_at, 2);
            m_at += hex.size();
            bool ok = false;
            const int byte = hex.toInt(&ok, 16);
            if (ok)
                character(decodeCp1252(QByteArray(1, char(byte))).at(0));
            break;
        }
        case '\r':
        case '\n':
            if (m_skippedDepth == 0 && state().destination == Destination::Text)
                paragraph();
            break;
        default:
            break; // "\-", "\_" and the rest: nothing to show
        }
    }

    void apply(const QByteArray& word, bool hasParameter, int n) {
        static const QHash<QByteArray, Destination> destinations = {
            {"fonttbl", Destination::FontTable},
            {"colortbl", Destination::ColourTable},
            {"stylesheet", Destination::Skipped},
            {"info", Destination::Skipped},
            {"pict", Destination::Skipped},
            {"fldinst", Destination::Skipped},
            {"header", Destination::Skipped},
            {"footer", Destination::Skipped},
            {"object", Destination::Skipped},
            {"listtable", Destination::Skipped},
            {"listoverridetable", Destination::Skipped},
            {"rsidtbl", Destination::Skipped},
            {"themedata", Destination::Skipped},
            {"datastore", Destination::Skipped},
            {"latentstyles", Destination::Skipped},
            {"generator", Destination::Skipped},
        };
        if (m_skippedDepth > 0)
            return;
        if (const auto it = destinations.constFind(word); it != destinations.constEnd()) {
            flush();
            state().destination = *it;
            return;
        }
        const bool on = !hasParameter || n != 0;
        if (state().destination == Destination::FontTable) {
            if (word == "f")
                m_fontNumber = n;
            return;
        }
        if (state().destination == Destination::ColourTable) {
            const int value = std::clamp(n, 0, 255);
            if (word == "red")
                m_colour.setRed(value);
            else if (word == "green")
                m_colour.setGreen(value);
            else if (word == "blue")
                m_colour.setBlue(value);
            return;
        }
        if (state().destination != Destination::Text)
            return;
        if (word == "par")
            paragraph();
        else if (word == "line")
            character(QChar::LineSeparator);
        else if (word == "tab")
            character(u'\t');
        else if (word == "u") {
            character(QChar(char16_t(n < 0 ? n + 65536 : n)));
            m_pendingSkip = state().unicodeSkip;
        } else if (word == "uc")
            state().unicodeSkip = std::clamp(n, 0, 8);
        else if (word == "plain")
            format() = QTextCharFormat();
        else if (word == "pard")
            state().alignment = Qt::AlignLeft;
        else if (word == "ql")
            state().alignment = Qt::AlignLeft;
        else if (word == "qc")
            state().alignment = Qt::AlignHCenter;
        else if (word == "qr")
            state().alignment = Qt::AlignRight;
        else if (word == "qj")
            state().alignment = Qt::AlignJustify;
        else if (word == "b")
            format().setFontWeight(on ? QFont::Bold : QFont::Normal);
        else if (word == "i")
            format().setFontItalic(on);
        else if (word == "ul")
            format().setFontUnderline(on);
        else if (word == "ulnone")
            format().setFontUnderline(false);
        else if (word == "strike")
            format().setFontStrikeOut(on);
        else if (word == "fs" && n > 0)
            format().setFontPointSize(std::min(n, 2000) / 2.0);
        else if (word == "f" && m_fonts.contains(n))
            format().setFontFamilies({m_fonts.value(n)});
        else if (word == "cf" && n >= 0 && size_t(n) < m_colours.size())
            format().setForeground(m_colours[size_t(n)]);
    }

    const QByteArray& m_in;
    qsizetype m_at = 0;
    QTextCursor m_cursor;
    std::vector<State> m_states;
    QString m_text;
    QTextCharFormat m_textFormat;
    int m_pendingSkip = 0;
    int m_skippedDepth = 0; // groups below the depth limit, skipped whole
    QHash<int, QString> m_fonts;
    int m_fontNumber = -1;
    QString m_fontName;
    std::vector<QColor> m_colours;
    QColor m_colour = QColor(Qt::black);
};

} // namespace

bool rtfToDocument(const QByteArray& bytes, QTextDocument& document) {
    document.clear();
    if (!looksLikeRtf(bytes))
        return false;
    RtfReader(bytes, document).read();
    return true;
}

} // namespace quorvel
