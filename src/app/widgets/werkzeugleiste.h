#pragma once

#include "zeichenwerkzeuge.h"

#include <QWidget>

class QActionGroup;
class QCheckBox;
class QMenu;
class QToolButton;
class QVBoxLayout;

namespace quorvel {

// The tool bar of the learning view beside the picture: tools, drawing
// settings, covering, numbering, layers, zoom, export and folding. It only
// shows and reports; the controller acts. Every button carries its component
// name as objectName.
class Werkzeugleiste : public QWidget {
    Q_OBJECT
public:
    explicit Werkzeugleiste(QWidget* parent = nullptr);

    QToolButton* knopf(const QString& name) const;
    QCheckBox* ebene(int index) const { return m_ebenen[size_t(index)]; }
    QMenu* farbeMenu() const { return m_farbeMenu; }
    QMenu* strichdickeMenu() const { return m_dickeMenu; }
    QMenu* stiftMenu() const { return m_stiftMenu; }
    QMenu* symbolMenu() const { return m_symbolMenu; }

    // Checks the button of `werkzeug` (pen and shape pens share StiftBtn,
    // both markers MarkerBtn).
    void zeigeWerkzeug(int werkzeug);
    // The pictures of the chosen colour, thickness, pen preset and stamp on
    // their buttons, and the ticks in the menus.
    void zeigeEinstellungen(const ZeichenZustand& zustand);
    void zeigeStempelBilder(const StempelListe& stempel);

    // Narrow form: only the tools and the fold button.
    void setGeklappt(bool geklappt);
    bool geklappt() const { return m_geklappt; }

Q_SIGNALS:
    void werkzeugGewaehlt(int werkzeug);
    void farbeGewaehlt(int farbIndex);
    void dickeGewaehlt(int dickeIndex);
    void stiftGewaehlt(int stift);
    void stempelGewaehlt(int stempel);
    void stempelKonfigurieren();

private:
    QToolButton* neuerKnopf(const QString& name, const QString& text, const QString& hinweis,
                            bool zumKlappen);
    void baueMenues();

    QVBoxLayout* m_layout;
    std::vector<QToolButton*> m_knoepfe;
    std::vector<QWidget*> m_breiteTeile; // hidden while folded
    std::array<QCheckBox*, 4> m_ebenen{};
    QMenu* m_farbeMenu = nullptr;
    QMenu* m_dickeMenu = nullptr;
    QMenu* m_stiftMenu = nullptr;
    QMenu* m_symbolMenu = nullptr;
    bool m_geklappt = false;
};

// Small pictures for the menus and buttons (drawn here, no files).
QIcon farbBild(int farbIndex);
QIcon dickeBild(int dickeIndex);
QIcon stiftBild(int stift);
QIcon stempelBild(const Stempel& stempel);

} // namespace quorvel
