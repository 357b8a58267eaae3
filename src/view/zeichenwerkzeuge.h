#pragma once

#include "zeicheneinstellungen.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>

namespace quorvel {

class ViewComposer;

// Tool numbers of the learning view (the main window's tool state).
namespace werkzeug {
inline constexpr int Zeiger = 1;
inline constexpr int Hand = 2;
inline constexpr int Stift = 3;
inline constexpr int MarkerGelb = 4;
inline constexpr int MarkerGruen = 5;
inline constexpr int Radierer = 6;
inline constexpr int Stempel = 7;
inline constexpr int Kreuz = 8;
inline constexpr int Text = 9;
inline constexpr int Linie = 10;
inline constexpr int Pfeil = 11;
inline constexpr int Doppelpfeil = 12;
inline constexpr int Rechteck = 13;
inline constexpr int RechteckGefuellt = 14;
inline constexpr int Ellipse = 15;
inline constexpr int EllipseGefuellt = 16;
inline constexpr int Dreieck = 17;
inline constexpr int DreieckGefuellt = 18;
inline constexpr int Bereich = 19;
} // namespace werkzeug
bool istFormWerkzeug(int werkzeug);
// Tools that draw on the view (and so take an undo snapshot).
bool istZeichenWerkzeug(int werkzeug);

// The current colour, thickness and stamp of the drawing tools.
struct ZeichenZustand {
    int farbIndex = kStandardFarbe;
    int dickeIndex = kStandardDicke;
    int stempel = kStandardStempel;
    int stift = kStandardStift;
    StempelListe stempelListe = standardStempel();
};

// The drawing tools: they draw on the composer's view picture (opaque colours)
// or its transparent overlay, which is blended onto the view right away over
// the drawn box enlarged by 15 pixels (over the picture as it was before the
// action when merkeZustand() began it, else once and cleared there). Every operation
// takes view picture pixels and returns the rectangle of the view picture it
// changed, so that only that needs repainting. The composer must outlive this
// object.
class ZeichenWerkzeuge {
public:
    explicit ZeichenWerkzeuge(ViewComposer& composer) : m_composer(composer) {}

    ZeichenZustand& zustand() { return m_zustand; }
    const ZeichenZustand& zustand() const { return m_zustand; }

    // Pen: a line of the thickness width with a round dot at its start.
    QRect stiftStrich(QPoint von, QPoint bis);
    // Highlighter: a 25-pixel yellow or green line combined by AND.
    QRect markerStrich(QPoint von, QPoint bis, bool gelb);
    // Eraser: a square of 32 x thickness index copied back from the
    // drawing-free section.
    QRect radieren(QPoint mitte);
    // The current stamp, 32 x thickness index pixels high, centred.
    QRect stempeln(QPoint mitte);
    // The red cross, 32 pixels high, centred.
    QRect kreuz(QPoint mitte);
    // Text with its top left corner at `obenLinks`, in the current colour.
    QRect text(QPoint obenLinks, const QString& text, const QFont& font);
    // A shape (tools 10-18) from `start` to `ende`.
    QRect form(int werkzeug, QPoint start, QPoint ende);

    // The one-pixel inverting outline of a shape while dragging: each call
    // first takes the previous preview away. vorschauEntfernen() ends it.
    QRect vorschau(int werkzeug, QPoint start, QPoint ende);
    QRect vorschauEntfernen();

    // Undo of the last drawing action: merkeZustand() before each action
    // keeps the view picture and zoom level and starts a fresh overlay; rueckgaengig() puts the picture
    // back once. The caller restores the zoom level (recomposing) before.
    void merkeZustand();
    bool kannRueckgaengig() const { return !m_schnappschuss.isNull(); }
    int schnappschussZoom() const { return m_schnappschussZoom; }
    QRect rueckgaengig();
    void vergiss() { m_schnappschuss = QImage(); }

    // Removes every drawing: overlay cleared, view from the drawing-free section.
    QRect alleEntfernen();

private:
    QImage& flaeche();
    QRect abschliessen(const QRect& gezeichnet);
    QRect zeichneText(QPoint mitte, const QString& text, const QFont& font, const QColor& farbe);

    ViewComposer& m_composer;
    ZeichenZustand m_zustand;
    QImage m_schnappschuss;
    int m_schnappschussZoom = 0;
    QImage m_vorschauSicherung;
    QRect m_vorschauBereich;
};

} // namespace quorvel
