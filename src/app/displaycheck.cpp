// SPDX-License-Identifier: GPL-3.0-or-later
#include "displaycheck.h"

#include "rounding.h"
#include "userprompter.h"

#include <QScreen>

namespace quorvel {

bool graphicsModeSuitable(const GraphicsMode& modus) {
    return modus.width >= 960 && modus.height >= 720 && modus.colourDepth >= 15;
}

QString graphicsModeWarning(const GraphicsMode& modus) {
    return QStringLiteral(
               "Ungeeigneter Grafikmodus! (Windows-Systemsteuerung / Eigenschaften von Anzeige)"
               "\r\n\r\nFür dieses Programm sollte ein Grafikmodus mit einer Auflösung von "
               "mindestens 1024 x 768 Pixel (Bildpunkte) und einer Farbtiefe von mindestens 16 "
               "Bit (High Color) eingestellt sein. \r\nAktuelle Einstellungen:\r\n- Auflösung: ") +
           QString::number(modus.width) + QStringLiteral(" x ") + QString::number(modus.height) +
           QStringLiteral(" Pixel\r\n- Farbtiefe: ") + QString::number(modus.colourDepth) +
           QStringLiteral(" Bit\r\n\r\nProgramm trotzdem starten?");
}

GraphicsMode graphicsModeOf(const QScreen* screen) {
    if (!screen)
        return {};
    const QSize logical = screen->size();
    const double ratio = screen->devicePixelRatio();
    return {rnd(logical.width() * ratio), rnd(logical.height() * ratio), screen->depth()};
}

bool confirmGraphicsMode(const GraphicsMode& modus, UserPrompter& prompter) {
    if (graphicsModeSuitable(modus))
        return true;
    return prompter.ask(MessageKind::Warning, graphicsModeWarning(modus), MessageButtons::YesNo) ==
           Answer::Yes;
}

} // namespace quorvel
