// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document.h"

#include <QImage>

namespace quorvel::test {

// Three capitals to label on a white page, side by side: Rom, Paris, Oslo.
inline Document capitalsDocument() {
    Document document;
    document.basePicture = QImage(870, 600, QImage::Format_ARGB32);
    document.basePicture.fill(Qt::white);
    const char16_t* names[] = {u"Rom", u"Paris", u"Oslo"};
    for (int i = 0; i < 3; ++i) {
        ObjDataTyp o;
        o.Typ = codeOf(Typ::QueryLabel);
        o.Ebene = 1;
        o.Cap = QString::fromUtf16(names[i]);
        o.Kx = o.Sx = 0.2 + 0.3 * i;
        o.Ky = o.Sy = 0.5;
        document.objects.push_back(o);
    }
    return document;
}

} // namespace quorvel::test
