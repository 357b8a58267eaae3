// SPDX-License-Identifier: GPL-3.0-or-later
#include "displaycheck.h"
#include "scriptedprompter.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace Qt::Literals::StringLiterals;

TEST(DisplayCheck, LimitsAre960By720At15Bits) {
    struct Case {
        GraphicsMode modus;
        bool suitable;
    };
    const Case cases[] = {
        {{1000, 740, 16}, true}, {{960, 720, 15}, true},  {{1920, 1080, 24}, true},
        {{959, 720, 24}, false}, {{960, 719, 24}, false}, {{1280, 1024, 14}, false},
        {{0, 0, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(graphicsModeSuitable(c.modus), c.suitable)
            << c.modus.width << "x" << c.modus.height << "x" << c.modus.colourDepth;
}

TEST(DisplayCheck, WarningText) {
    EXPECT_EQ(graphicsModeWarning({800, 600, 8}),
              u"Ungeeigneter Grafikmodus! (Windows-Systemsteuerung / Eigenschaften von Anzeige)"
              u"\r\n\r\nFür dieses Programm sollte ein Grafikmodus mit einer Auflösung von "
              u"mindestens 1024 x 768 Pixel (Bildpunkte) und einer Farbtiefe von mindestens 16 "
              u"Bit (High Color) eingestellt sein. \r\nAktuelle Einstellungen:\r\n"
              u"- Auflösung: 800 x 600 Pixel\r\n- Farbtiefe: 8 Bit\r\n\r\n"
              u"Programm trotzdem starten?"_s);
}

TEST(DisplayCheck, AsksOnlyForAnUnsuitableScreen) {
    test::ScriptedPrompter prompter;
    EXPECT_TRUE(confirmGraphicsMode({1000, 740, 16}, prompter));
    EXPECT_TRUE(prompter.asked.empty());

    prompter.answers = {Answer::No};
    EXPECT_FALSE(confirmGraphicsMode({800, 600, 24}, prompter));
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(confirmGraphicsMode({800, 600, 24}, prompter));
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].kind, MessageKind::Warning);
    EXPECT_EQ(prompter.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompter.asked[0].text, graphicsModeWarning({800, 600, 24}));
}
