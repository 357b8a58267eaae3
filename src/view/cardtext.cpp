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

// Beyond this many cached layouts the cache starts afresh; a document rarely
// has more than a few hundred texts.
constexpr size_t kMaxCacheEintraege = 4096;

QString mitZeilentrennern(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    result.replace(u'\r', QChar::LineSeparator);
    result.replace(u'\n', QChar::LineSeparator);
    return result;
}

} // namespace

int textPixelGroesse(int fsize, double s)
{
    // Higher than any page: a size step from a hostile file cannot ask the
    // font engine for absurd glyphs.
    constexpr int kMaxPixel = 20000;
    return std::clamp(rnd((2.0 * fsize + 22.0) * s), 1, kMaxPixel);
}

QFont objektSchrift(const QString& family, int pixelGroesse, int stil)
{
    QFont font(family);
    font.setPixelSize(std::max(1, pixelGroesse));
    font.setBold(stil & 1);
    font.setItalic(stil & 2);
    font.setUnderline(stil & 4);
    font.setStrikeOut(stil & 8);
    return font;
}

int lineHeightPx(const QFont& font)
{
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

TypesetText::TypesetText(const QString& text, const QFont& font, int maxBreite)
    : m_font(font), m_layout(mitZeilentrennern(text), font), m_zeilenHoehe(lineHeightPx(font))
{
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

void TypesetText::draw(QPainter& painter, const QRect& rect, int tAusr) const
{
    const int hoehe = m_groesse.height();
    const int oben = hoehe <= rect.height() ? rect.top() + (rect.height() - hoehe) / 2
                                            : rect.top() - m_zeilenHoehe / 4;
    for (int i = 0; i < m_layout.lineCount(); ++i) {
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

std::shared_ptr<const TypesetText> CardTextCache::setzeFest(const QString& text,
                                                              const QFont& font, int maxBreite)
{
    QString key = font.key();
    key += u'\x1f';
    key += QString::number(maxBreite);
    key += u'\x1f';
    key += text;
    auto it = m_eintraege.find(key);
    if (it != m_eintraege.end())
        return it->second;
    if (m_eintraege.size() >= kMaxCacheEintraege)
        m_eintraege.clear();
    auto gesetzt = std::make_shared<const TypesetText>(text, font, maxBreite);
    m_eintraege.emplace(std::move(key), gesetzt);
    return gesetzt;
}

std::shared_ptr<const TypesetText> CardTextCache::setze(const QString& text,
                                                          const QString& family, int startGroesse,
                                                          int stil, int maxBreite, int maxHoehe)
{
    // A single line taller than the room never fits: absurd sizes from a file
    // start at the room's height instead of shrinking step by step.
    int groesse = std::max(1, startGroesse);
    if (groesse > 3 && groesse / 4 > maxHoehe)
        groesse = std::max(3, maxHoehe);
    for (;;) {
        auto gesetzt = setzeFest(text, objektSchrift(family, groesse, stil), maxBreite);
        if (gesetzt->groesse().height() <= maxHoehe || groesse <= 3)
            return gesetzt;
        groesse = std::min(groesse - 1, rnd(groesse * 0.9));
    }
}

} // namespace quorvel
