#include "cardtext.h"

#include "rounding.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

QString mitZeilentrennern(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    result.replace(u'\r', QChar::LineSeparator);
    result.replace(u'\n', QChar::LineSeparator);
    return result;
}

} // namespace

int textPixelGroesse(int fsize, double s) {
    // Higher than any page: a size step from a hostile file cannot ask the
    // font engine for absurd glyphs.
    constexpr int kMaxPixel = 20000;
    return std::clamp(rnd((2.0 * fsize + 22.0) * s), 1, kMaxPixel);
}

QFont objektSchrift(const QString& family, int pixelGroesse, int stil) {
    QFont font(family);
    font.setPixelSize(std::max(1, pixelGroesse));
    font.setBold(stil & 1);
    font.setItalic(stil & 2);
    font.setUnderline(stil & 4);
    font.setStrikeOut(stil & 8);
    return font;
}

int lineHeightPx(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

TypesetText::TypesetText(const QString& text, const QFont& font, int maxBreite)
    : m_font(font), m_layout(mitZeilentrennern(text), font), m_zeilenHoehe(lineHeightPx(font)) {
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setAlignment(Qt::AlignLeft);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);

    double breitest = 0.0;
    m_layout.beginLayout();
    for (int y = 0;; y += m_zeilenHoehe) {
        QTextLine line = m_layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(std::max(1, maxBreite));
        line.setPosition(QPointF(0, y));
        m_zeilenBreiten.push_back(line.naturalTextWidth());
        breitest = std::max(breitest, line.naturalTextWidth());
    }
    m_layout.endLayout();
    if (m_zeilenBreiten.empty())
        m_zeilenBreiten.push_back(0.0);
    m_groesse = QSize(int(std::ceil(breitest)), m_zeilenHoehe * lineCount());
}

size_t TypesetText::approximateBytes() const {
    // The text, its glyphs and the line records, generously.
    return sizeof(TypesetText) + size_t(m_layout.text().size()) * 64 + m_zeilenBreiten.size() * 64;
}

void TypesetText::draw(QPainter& painter, const QRect& rect, int tAusr) const {
    const int hoehe = m_groesse.height();
    const int oben = hoehe <= rect.height() ? rect.top() + (rect.height() - hoehe) / 2
                                            : rect.top() - m_zeilenHoehe / 4;
    // Lines stand m_zeilenHoehe apart from `oben`; one line more on each side
    // keeps glyphs that reach beyond their line.
    const int zeilen = m_layout.lineCount();
    int erste = 0;
    int letzte = zeilen - 1;
    if (m_zeilenHoehe > 0) {
        erste = std::clamp((rect.top() - oben) / m_zeilenHoehe - 1, 0, zeilen);
        letzte = std::clamp((rect.bottom() - oben) / m_zeilenHoehe + 1, -1, zeilen - 1);
    }
    for (int i = erste; i <= letzte; ++i) {
        const QTextLine line = m_layout.lineAt(i);
        const double frei = rect.width() - m_zeilenBreiten[size_t(i)];
        double x = rect.left();
        if (tAusr == 1)
            x += std::max(0.0, frei / 2);
        else if (tAusr == 2)
            x += std::max(0.0, frei);
        line.draw(&painter, QPointF(x - line.x(), oben));
    }
}

std::vector<int> shrinkSizes(int startGroesse) {
    std::vector<int> groessen{std::max(1, startGroesse)};
    while (groessen.back() > 3)
        groessen.push_back(std::min(groessen.back() - 1, rnd(groessen.back() * 0.9)));
    return groessen;
}

CardTextCache::CardTextCache(size_t budgetBytes) : m_eintraege(budgetBytes) {}

std::shared_ptr<const TypesetText> CardTextCache::setzeFest(const QString& text, const QFont& font,
                                                            int maxBreite) {
    QString key = font.key();
    key += u'\x1f';
    key += QString::number(maxBreite);
    key += u'\x1f';
    key += text;
    if (auto* kept = m_eintraege.find(key))
        return *kept;
    auto gesetzt = std::make_shared<const TypesetText>(text, font, maxBreite);
    m_eintraege.insert(key, gesetzt, gesetzt->approximateBytes() + size_t(key.size()) * 2);
    return gesetzt;
}

std::shared_ptr<const TypesetText> CardTextCache::setze(const QString& text, const QString& family,
                                                        int startGroesse, int stil, int maxBreite,
                                                        int maxHoehe) {
    // A single line taller than the room never fits: absurd sizes from a file
    // start at the room's height instead of shrinking step by step.
    int groesse = std::max(1, startGroesse);
    if (groesse > 3 && groesse / 4 > maxHoehe)
        groesse = std::max(3, maxHoehe);

    QString key = family;
    for (int zahl : {groesse, stil, maxBreite, maxHoehe})
        key += u'\x1e' + QString::number(zahl);
    key += u'\x1e';
    key += text;
    if (auto* kept = m_eintraege.find(key))
        return *kept;

    // Every source line is at least one screen line: sizes whose line height
    // times the line count is taller than the room need no layout at all.
    const qsizetype quellZeilen =
        1 + text.count(u'\n') + text.count(u'\r') - text.count(QStringLiteral("\r\n"));
    const std::vector<int> groessen = shrinkSizes(groesse);
    size_t lo = 0;
    size_t hi = groessen.size() - 1; // the last size is taken whether it fits or not
    while (lo<hi&& double(quellZeilen) * lineHeightPx(objektSchrift(family, groessen[lo], stil))>
               maxHoehe)
        ++lo;
    std::shared_ptr<const TypesetText> gefunden;
    while (lo < hi) {
        const size_t mitte = lo + (hi - lo) / 2;
        auto probe = std::make_shared<const TypesetText>(
            text, objektSchrift(family, groessen[mitte], stil), maxBreite);
        if (probe->groesse().height() <= maxHoehe) {
            hi = mitte;
            gefunden = std::move(probe);
        } else {
            lo = mitte + 1;
        }
    }
    if (!gefunden || groessen[lo] != gefunden->font().pixelSize())
        gefunden = std::make_shared<const TypesetText>(
            text, objektSchrift(family, groessen[lo], stil), maxBreite);
    m_eintraege.insert(key, gefunden, gefunden->approximateBytes() + size_t(key.size()) * 2);
    return gefunden;
}

} // namespace quorvel
