// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentproperties.h"

#include "document.h"

#include <QFileInfo>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

// The index of `value` in a list of `count` entries, or -1.
int listIndex(int value, qsizetype count) {
    return value >= 0 && value < count ? value : -1;
}

} // namespace

QStringList numberingChoices() {
    return {u"Zahlen: 1, 2, 3, ..."_s, u"Buchstaben: A, B, C, ..."_s};
}

QStringList orderChoices() {
    return {u"von oben nach unten"_s, u"alphabetisch"_s};
}

QStringList targetPointChoices() {
    QStringList choices;
    for (int percent = 100; percent >= 10; percent -= 10)
        choices << QString::number(percent) + u'%';
    choices << u"unsichtbar"_s;
    return choices;
}

QStringList alignmentChoices() {
    return {u"linksbündig"_s, u"mittig"_s, u"rechtsbündig"_s};
}

int targetPointIndex(int zielpunktgroesse) {
    if (zielpunktgroesse < 0 || zielpunktgroesse > 100)
        return -1;
    return 10 - zielpunktgroesse / 10;
}

DocumentProperties documentProperties(const Document& document, const QLocale& locale) {
    const HeaderDataTyp& h = document.header;
    DocumentProperties p;
    if (!document.file.isEmpty()) {
        const QFileInfo file(document.file);
        p.fileName = file.fileName();
        p.folder = file.absolutePath();
        if (!p.folder.endsWith(u'/'))
            p.folder += u'/';
        if (file.isFile()) {
            p.sizeText = locale.toString(file.size()) + u" Bytes"_s;
            const QDateTime modified = file.lastModified();
            if (modified.isValid())
                p.modifiedText = locale.toString(modified, QLocale::ShortFormat);
        }
    }
    p.typeName = typeName(dokTypOf(h), h.DokUnterTyp);
    p.titel = h.titel;
    p.autor = h.autor;
    p.bemerkung = h.bemerkung;
    p.numberingIndex = listIndex(h.NumArt, numberingChoices().size());
    p.orderIndex = listIndex(h.GeordnetArt, orderChoices().size());
    p.targetPointIndex = targetPointIndex(h.Zielpunktgroesse);
    p.passwordSet = !h.BilderPasswort.isEmpty();
    p.passwordText = p.passwordSet ? u"Passwort gesetzt"_s : u"Passwort nicht gesetzt"_s;

    const LogoData& logo = h.logo;
    if (!logo.picture.isNull() && !logo.picture.size().isEmpty())
        p.logo = logo.picture;
    p.logoSizeText = locale.toString(logo.size * 100.0, 'f', 1);
    p.logoAlignmentIndex = listIndex(logo.alignment, alignmentChoices().size());
    p.footerAlignmentIndex = listIndex(logo.footerAlignment, alignmentChoices().size());
    p.footer = logo.footer;
    return p;
}

} // namespace quorvel
