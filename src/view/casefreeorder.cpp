// SPDX-License-Identifier: GPL-3.0-or-later
#include "casefreeorder.h"

#include <QCollator>
#include <QLocale>

namespace quorvel {

CaseFreeOrder::CaseFreeOrder(const std::vector<QString>& texts) {
    const QLocale locale;
    if (locale.language() == QLocale::C) {
        m_folded.reserve(texts.size());
        for (const QString& text : texts)
            m_folded.push_back(text.toCaseFolded());
        return;
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_keys.reserve(texts.size());
    for (const QString& text : texts)
        m_keys.push_back(collator.sortKey(text));
}

int CaseFreeOrder::compare(size_t a, size_t b) const {
    if (!m_keys.empty())
        return m_keys[a].compare(m_keys[b]);
    return m_folded[a].compare(m_folded[b]);
}

} // namespace quorvel
