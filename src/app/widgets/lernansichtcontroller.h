#pragma once

#include "seitenzeichnungen.h"
#include "zeichenwerkzeuge.h"

#include <QObject>
#include <QPoint>
#include <memory>

class QLineEdit;
class QScrollArea;
class QMouseEvent;
class QWidget;

namespace quorvel {

class MainWindow;
class TInfoBox;
class Werkzeugleiste;
class Abdeckblatt;
struct ShellContext;

// The learning view's interaction: the tool bar beside the view and the
// "&Lernansicht" menu, the mouse in the view (pointer, hand, drawing tools),
// the keys of single questions and zoom, points and links and the info box.
// Created by the main window after its view, menu and controllers.
class LernansichtController : public QObject {
    Q_OBJECT
public:
    explicit LernansichtController(MainWindow& fenster);
    ~LernansichtController() override;

    Werkzeugleiste& werkzeugleiste() const { return *m_leiste; }
    ZeichenWerkzeuge& zeichenWerkzeuge() { return m_werkzeuge; }
    TInfoBox* infoBox() const { return m_infoBox; }
    QLineEdit* texteingabe() const { return m_textFeld; }
    QWidget* abdeckblatt() const { return m_abdeckblatt; }

    int werkzeug() const;
    void setWerkzeug(int werkzeug);
    void setFarbe(int farbIndex);
    void setDicke(int dickeIndex);
    void setStift(int stift);
    void setStempel(int stempel);

    // Commands.
    void alleAbdecken();
    void alleAufdecken();
    void nummerieren(int modus);
    void setEbene(int index, bool an);
    void setZoomStufe(int stufe);
    void zoomGroesser();
    void zoomKleiner();
    void scrollen(int dx, int dy); // -1, 0, 1 in each direction
    void frageWechseln(int knopfTyp);
    void rueckgaengig();
    void alleZeichnungenEntfernen();
    void klappen();
    void abdeckblattUmschalten();
    void zeigeAbdeckblatt(bool zeigen);
    // Opens the point or link of object `index`.
    void punktOeffnen(int index);
    // Sets the side of the tool bar: 1 left, 0 right.
    void setSeite(int werkzeugPos);

    // For tests: the password dialog is replaced by this answer when set
    // (an empty optional-like flag: `abgebrochen` cancels).
    void setPasswortAntwort(const QString& antwort, bool abgebrochen);

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    void verbindeMenue();
    void verbindeLeiste();
    void neuAufbauen();
    void passeLeistenBreiteAn();
    // Keeps the drawings with the page while the section moves.
    void zeichnungenUebernehmen();
    void ausschnittVerschieben(double dx, double dy);
    void zeigeTeil(const QRect& ansichtRechteck);
    QPoint zuAnsicht(QPoint widgetPunkt) const;
    bool mausGedrueckt(QMouseEvent* event);
    void mausBewegt(QMouseEvent* event);
    void mausLosgelassen(QMouseEvent* event);
    void klick(QPoint widgetPunkt);
    bool passwortPruefen(const QString& kennung);
    void textSetzen(QPoint ansichtPunkt);
    void textZeichnen();
    void stempelKonfigurieren();

    MainWindow& m_fenster;
    ShellContext& m_context;
    Werkzeugleiste* m_leiste;
    ZeichenWerkzeuge m_werkzeuge;
    SeitenZeichnungen m_zeichnungen;
    TInfoBox* m_infoBox;
    QObject* m_view; // compared only: the filter sees the view's events
    QLineEdit* m_textFeld;
    QWidget* m_abdeckblatt;
    QWidget* m_container = nullptr;
    QScrollArea* m_leistenBereich = nullptr;

    enum class Ziehen { Nichts, Ausschnitt, Zeichnen };
    Ziehen m_ziehen = Ziehen::Nichts;
    QPoint m_letzter;  // view picture pixels (drawing) or widget pixels (moving)
    QPoint m_start;    // start of a shape, view picture pixels
    QPoint m_textPunkt; // where the text field places its text

    bool m_passwortErsetzt = false;
    QString m_passwortAntwort;
    bool m_passwortAbgebrochen = false;
};

} // namespace quorvel
