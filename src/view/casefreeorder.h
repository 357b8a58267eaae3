// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCollatorSortKey>
#include <QString>
#include <vector>

namespace quorvel {

// Orders texts case-insensitively in the user's locale (from the
// environment). The keys are computed once, so that each comparison is a
// plain compare. The collator of the C locale compares code points and
// ignores the case setting; there the case-folded texts are compared.
class CaseFreeOrder {
public:
    explicit CaseFreeOrder(const std::vector<QString>& texts);

    // < 0, 0 or > 0 as text `a` sorts before, with or after text `b`.
    int compare(size_t a, size_t b) const;

private:
    std::vector<QString> m_folded;
    std::vector<QCollatorSortKey> m_keys;
};

} // namespace quorvel
