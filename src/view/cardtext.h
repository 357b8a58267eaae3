#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <unordered_map>
#include <vector>

class QPainter;

namespace quorvel {

// The design width of a page: object sizes are multiples of S = page picture
// width / 870.
inline constexpr double kDesignBreite = 870.0;

// The character height in pixels of an object's text: round((2 x Fsize + 22) x S),
// at least 1. It is a pixel size (the em height), not a point size.
int textPixelGroesse(int fsize, double s);

// A font of `family` with the character height `pixelGroesse` and the style
// bits of `Stil` (1 bold, 2 italic, 4 underline, 8 strike-out).
QFont objektSchrift(const QString& family, int pixelGroesse, int stil = 0);

// The height of one text line (ascent + descent) of `font`, as the text extent
// of a single line reports it.
int lineHeightPx(const QFont& font);

// A text broken into lines at word boundaries for a given width. A word wider
// than the width stays whole and makes its line wider. Lines stand one line
// height apart.
class TypesetText {
public:
    TypesetText(const QString& text, const QFont& font, int maxBreite);

    const QFont& font() const { return m_font; }
    QSize groesse() const { return m_groesse; } // widest line x number of lines
    int lineCount() const { return int(m_zeilenBreiten.size()); }

    // Draws the lines into `rect` with the painter's pen: horizontally by
    // `TAusr` (0 left, 1 centred, 2 right), vertically centred when the text
    // fits, otherwise top-aligned and moved up by a quarter line.
    void draw(QPainter& painter, const QRect& rect, int tAusr) const;

private:
    QFont m_font;
    QTextLayout m_layout;
    std::vector<double> m_zeilenBreiten;
    int m_zeilenHoehe = 0;
    QSize m_groesse;
};

// Lays out card texts and keeps the results: a composition draws the same
// texts at the same sizes again and again (every query field twice).
class CardTextCache {
public:
    // The text set with word wrap at `maxBreite` in `family` with `stil`,
    // starting at `startGroesse` pixels. While it is taller than `maxHoehe` and
    // the size is above 3, the size becomes min(size - 1, round(size x 0.9)).
    std::shared_ptr<const TypesetText> setze(const QString& text, const QString& family,
                                               int startGroesse, int stil, int maxBreite,
                                               int maxHoehe);

    // The text set once at exactly `groesse`, without shrinking.
    std::shared_ptr<const TypesetText> setzeFest(const QString& text, const QFont& font,
                                                   int maxBreite);

    void clear() { m_eintraege.clear(); }

private:
    std::unordered_map<QString, std::shared_ptr<const TypesetText>> m_eintraege;
};

} // namespace quorvel
