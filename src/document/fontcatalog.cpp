// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontcatalog.h"

#include "rounding.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

namespace quorvel {

namespace {

// Fonts that fontconfig maps to a metric-compatible family.
const QHash<QString, QString>& metricSubstitutes() {
    static const QHash<QString, QString> substitutes = {
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
    };
    return substitutes;
}

QString metricSubstitute(const QString& family) {
    for (auto it = metricSubstitutes().begin(); it != metricSubstitutes().end(); ++it)
        if (it.key().compare(family, Qt::CaseInsensitive) == 0)
            return it.value();
    return {};
}

class SystemFontCatalog final : public FontCatalog {
public:
    bool isInstalled(const QString& family) const override {
        if (family.trimmed().isEmpty())
            return false;
        const QStringList families = QFontDatabase::families();
        if (families.contains(family, Qt::CaseInsensitive))
            return true;
        const QString substitute = metricSubstitute(family);
        return !substitute.isEmpty() && families.contains(substitute, Qt::CaseInsensitive);
    }

    double widthOfXAt1000(const QString& family) const override {
        QFont font(family);
        font.setPixelSize(1000);
        return QFontMetricsF(font).horizontalAdvance(QStringLiteral("X"));
    }
};

// Height factors of widely used fonts, as measured on the platform the
// documents come from ("Arial" = 1.0).
double knownFactor(const QString& family, bool* found) {
    static const QHash<QString, double> factors = {
        {QStringLiteral("Arial"), 1.0},           {QStringLiteral("Arial Black"), 1.2632},
        {QStringLiteral("Comic Sans MS"), 1.248}, {QStringLiteral("Times New Roman"), 0.991},
        {QStringLiteral("Verdana"), 1.0877},      {QStringLiteral("Tahoma"), 1.0806},
        {QStringLiteral("Courier New"), 1.0143},  {QStringLiteral("Cambria Math"), 4.9955},
        {QStringLiteral("System"), 0.1146},
    };
    const auto it = factors.constFind(family);
    *found = it != factors.constEnd();
    return *found ? it.value() : 1.0;
}

} // namespace

const FontCatalog& systemFontCatalog() {
    static const SystemFontCatalog catalog;
    return catalog;
}

QStringList installedFontFamilies() {
    QStringList families = QFontDatabase::families();
    for (auto it = metricSubstitutes().begin(); it != metricSubstitutes().end(); ++it)
        if (!families.contains(it.key(), Qt::CaseInsensitive) &&
            families.contains(it.value(), Qt::CaseInsensitive))
            families << it.key();
    families.sort(Qt::CaseInsensitive);
    return families;
}

double fontHeightFactor(const QString& family, const FontCatalog& fonts) {
    bool found = false;
    const double known = knownFactor(family, &found);
    if (found)
        return known;
    // Measured against "Arial" here, so that an Arial-like font stays near 1.0
    // whatever the local metrics of the reference are.
    const double arialX = fonts.widthOfXAt1000(QStringLiteral("Arial"));
    const double fontX = fonts.widthOfXAt1000(family);
    if (!(arialX > 0.0) || !(fontX > 0.0))
        return 1.0;
    return fontX / arialX;
}

int convertOldPictureFsize(int fsize, double k) {
    return rnd(((2.0 * fsize + 22.0) * k - 22.0) / 2.0);
}

} // namespace quorvel
