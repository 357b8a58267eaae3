#include "lernansichtcontroller.h"

#include "ansichtsbefehle.h"
#include "documentcontroller.h"
#include "infobox.h"
#include "lernansichtwidget.h"
#include "linkaufloesung.h"
#include "mainmenu.h"
#include "mainwindow.h"
#include "numbering.h"
#include "startenvironment.h"
#include "viewexport.h"
#include "viewgeometry.h"
#include "werkzeugleiste.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QToolButton>
#include <QUrl>

namespace quorvel {

namespace {

constexpr int kTextBreiteJeDicke = 35;

// The movable opaque cover panel over the view: dragged by its body, resized
// by its right and bottom edges.
class AbdeckblattWidget : public QWidget {
public:
    explicit AbdeckblattWidget(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("AbdeckPan"));
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(199, 199, 184));
        setPalette(p);
        setCursor(Qt::SizeAllCursor);
        hide();
    }
    bool gezogen() const { return m_gezogen; }
    void zuruecksetzen() { m_gezogen = false; }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        m_druck = e->globalPosition().toPoint();
        m_start = geometry();
        m_rand = 0;
        const QPoint p = e->position().toPoint();
        if (p.x() > width() - 12) m_rand |= 1;
        if (p.y() > height() - 12) m_rand |= 2;
        m_gezogen = true;
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!(e->buttons() & Qt::LeftButton))
            return;
        const QPoint d = e->globalPosition().toPoint() - m_druck;
        if (m_rand == 0) {
            move(m_start.topLeft() + d);
            return;
        }
        QRect r = m_start;
        if (m_rand & 1) r.setWidth(std::max(20, r.width() + d.x()));
        if (m_rand & 2) r.setHeight(std::max(20, r.height() + d.y()));
        setGeometry(r);
    }

private:
    QPoint m_druck;
    QRect m_start;
    int m_rand = 0;
    bool m_gezogen = false;
};

} // namespace

LernansichtController::LernansichtController(MainWindow& fenster)
    : QObject(&fenster), m_fenster(fenster), m_context(fenster.context()),
      m_leiste(new Werkzeugleiste), m_werkzeuge(fenster.view().composer()),
      m_infoBox(new TInfoBox(&fenster)), m_view(&fenster.view()),
      m_textFeld(new QLineEdit(&fenster.view())),
      m_abdeckblatt(new AbdeckblattWidget(&fenster.view()))
{
    setObjectName(QStringLiteral("LernansichtController"));
    LernansichtWidget& view = fenster.view();

    // The tool bar and the view share a row that takes the view's place.
    QWidget* eltern = view.parentWidget();
    m_container = new QWidget(eltern);
    m_container->setObjectName(QStringLiteral("LernansichtBereich"));
    if (eltern && eltern->layout())
        delete eltern->layout()->replaceWidget(&view, m_container);
    auto* zeile = new QHBoxLayout(m_container);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(0);
    zeile->addWidget(&view, 1);
    // The bar scrolls rather than dictate the window's smallest height.
    m_leistenBereich = new QScrollArea(m_container);
    m_leistenBereich->setObjectName(QStringLiteral("WerkzeugScrollBox"));
    m_leistenBereich->setFrameShape(QFrame::NoFrame);
    m_leistenBereich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_leistenBereich->setWidgetResizable(true);
    m_leistenBereich->setWidget(m_leiste);
    zeile->addWidget(m_leistenBereich);
    passeLeistenBreiteAn();

    m_textFeld->setObjectName(QStringLiteral("TexteingabeEdit"));
    m_textFeld->hide();
    m_textFeld->installEventFilter(this);

    view.installEventFilter(this);
    view.setMouseTracking(true);
    view.setFocusPolicy(Qt::StrongFocus);

    {
        const std::unique_ptr<QSettings> settings = openUserSettings(m_context.environment);
        m_werkzeuge.zustand().stempelListe = stempelLaden(*settings);
    }
    m_leiste->zeigeStempelBilder(m_werkzeuge.zustand().stempelListe);
    m_leiste->zeigeEinstellungen(m_werkzeuge.zustand());
    m_leiste->zeigeWerkzeug(werkzeug());

    verbindeLeiste();
    verbindeMenue();

    // The side follows the setting after every composition (the settings are
    // read after the window is made).
    connect(&view, &LernansichtWidget::neuAufgebaut, this, [this] {
        m_zeichnungen.leeren(); // a new composition starts without drawings
        setSeite(m_context.einstellungen.WerkzeugPos);
    });
    setSeite(m_context.einstellungen.WerkzeugPos);
}

LernansichtController::~LernansichtController() = default;

int LernansichtController::werkzeug() const
{
    return m_context.zustand.werkzeug;
}

void LernansichtController::setWerkzeug(int w)
{
    if (w != werkzeug::Text)
        m_textFeld->hide();
    m_context.zustand.werkzeug = w;
    m_leiste->zeigeWerkzeug(w);
    m_fenster.view().setCursor(w == werkzeug::Hand ? Qt::OpenHandCursor
                               : w == werkzeug::Zeiger ? Qt::ArrowCursor
                                                       : Qt::CrossCursor);
}

void LernansichtController::setFarbe(int farbIndex)
{
    m_werkzeuge.zustand().farbIndex = farbIndex;
    m_leiste->zeigeEinstellungen(m_werkzeuge.zustand());
    if (werkzeug() == werkzeug::Zeiger || werkzeug() == werkzeug::Hand)
        setWerkzeug(werkzeug::Stift);
}

void LernansichtController::setDicke(int dickeIndex)
{
    m_werkzeuge.zustand().dickeIndex = std::clamp(dickeIndex, 1, 4);
    m_leiste->zeigeEinstellungen(m_werkzeuge.zustand());
    if (werkzeug() == werkzeug::Zeiger || werkzeug() == werkzeug::Hand)
        setWerkzeug(werkzeug::Stift);
}

void LernansichtController::setStift(int stift)
{
    m_werkzeuge.zustand().stift = std::clamp(stift, 1, 10);
    m_leiste->zeigeEinstellungen(m_werkzeuge.zustand());
    setWerkzeug(werkzeugFuerStift(stift));
}

void LernansichtController::setStempel(int stempel)
{
    m_werkzeuge.zustand().stempel = std::clamp(stempel, 1, kStempelAnzahl);
    m_leiste->zeigeEinstellungen(m_werkzeuge.zustand());
    setWerkzeug(werkzeug::Stempel);
}

void LernansichtController::verbindeLeiste()
{
    Werkzeugleiste* l = m_leiste;
    connect(l, &Werkzeugleiste::werkzeugGewaehlt, this, [this](int w) {
        // The pen button opens its menu; a plain press keeps the chosen preset.
        setWerkzeug(w == werkzeug::Stift ? werkzeugFuerStift(m_werkzeuge.zustand().stift) : w);
    });
    connect(l, &Werkzeugleiste::farbeGewaehlt, this, &LernansichtController::setFarbe);
    connect(l, &Werkzeugleiste::dickeGewaehlt, this, &LernansichtController::setDicke);
    connect(l, &Werkzeugleiste::stiftGewaehlt, this, &LernansichtController::setStift);
    connect(l, &Werkzeugleiste::stempelGewaehlt, this, &LernansichtController::setStempel);
    connect(l, &Werkzeugleiste::stempelKonfigurieren, this,
            &LernansichtController::stempelKonfigurieren);

    const auto knopf = [this, l](const char16_t* name, auto handler) {
        connect(l->knopf(QString::fromUtf16(name)), &QToolButton::clicked, this, handler);
    };
    knopf(u"KlappPan", [this] { klappen(); });
    knopf(u"RueckgaengigBtn", [this] { rueckgaengig(); });
    knopf(u"MarkEntfBtn", [this] { alleZeichnungenEntfernen(); });
    knopf(u"AbdeckerBtn", [this] { abdeckblattUmschalten(); });
    knopf(u"AlleAbdeckenBtn", [this] { alleAbdecken(); });
    knopf(u"AlleAufdeckenBtn", [this] { alleAufdecken(); });
    knopf(u"NummerModeSort", [this] { nummerieren(NummerierungGeordnet); });
    knopf(u"NummerModeZufall", [this] { nummerieren(NummerierungZufaellig); });
    knopf(u"NummerModeFragez", [this] { nummerieren(NummerierungFragezeichen); });
    knopf(u"ScrollLinksBtn", [this] { scrollen(-1, 0); });
    knopf(u"ScrollRechtsBtn", [this] { scrollen(1, 0); });
    knopf(u"ScrollHochBtn", [this] { scrollen(0, -1); });
    knopf(u"ScrollRunterBtn", [this] { scrollen(0, 1); });
    knopf(u"ZoomPan0", [this] { setZoomStufe(0); });
    knopf(u"ZoomPan2", [this] { setZoomStufe(2); });
    knopf(u"ZoomPan4", [this] { setZoomStufe(4); });
    ViewExportController* export_ = &m_fenster.viewExport();
    knopf(u"ExportBtn", [export_] { export_->exportView(); });
    knopf(u"ClipbordBtn", [export_] { export_->copyView(); });
    for (int i = 0; i < 4; ++i)
        connect(l->ebene(i), &QCheckBox::clicked, this, [this, i](bool an) { setEbene(i, an); });
}

void LernansichtController::verbindeMenue()
{
    MainMenu& menu = m_fenster.menu();
    const auto befehl = [this, &menu](const char16_t* name, auto handler) {
        const QString n = QString::fromUtf16(name);
        menu.setAvailable(n, true);
        connect(menu.action(n), &QAction::triggered, this, handler);
    };
    befehl(u"Werkzeugleistezuklappen1", [this] { klappen(); });
    const char16_t* ebenen[] = {u"EbeneBasisbild1", u"EbeneTexteundBilder1", u"EbeneInfopunkte1",
                                u"EbeneLayout1"};
    for (int i = 0; i < 4; ++i)
        befehl(ebenen[i], [this, i](bool an) { setEbene(i, an); });
    befehl(u"AlleAbfragefelderabdecken1", [this] { alleAbdecken(); });
    befehl(u"AlleAbfragefelderaufdecken1", [this] { alleAufdecken(); });
    befehl(u"Abdeckblatteinblenden1", [this] { zeigeAbdeckblatt(true); });
    befehl(u"Abdeckblattausblenden1", [this] { zeigeAbdeckblatt(false); });
    befehl(u"NummerierungGeordnet1", [this] { nummerieren(NummerierungGeordnet); });
    befehl(u"NummerierungZufaellig1", [this] { nummerieren(NummerierungZufaellig); });
    befehl(u"NummerierungFragezeichen1", [this] { nummerieren(NummerierungFragezeichen); });
    befehl(u"Zoomstufe100Prozent1", [this] { setZoomStufe(0); });
    befehl(u"Zoomstufe150Prozent1", [this] { setZoomStufe(2); });
    befehl(u"Zoomstufe200Prozent1", [this] { setZoomStufe(4); });
    befehl(u"AlleZeichnungenentfernen1", [this] { alleZeichnungenEntfernen(); });
    for (const char16_t* seite : {u"WerkzeugleisteLinks1", u"WerkzeugleisteRechts1"})
        if (QAction* a = menu.action(QString::fromUtf16(seite)))
            connect(a, &QAction::triggered, this,
                    [this] { setSeite(m_context.einstellungen.WerkzeugPos); },
                    Qt::QueuedConnection);

}

void LernansichtController::neuAufbauen()
{
    m_textFeld->hide();
    m_fenster.documents().rebuildView();
}

void LernansichtController::zeichnungenUebernehmen()
{
    const ViewComposer& c = m_fenster.view().composer();
    m_zeichnungen.uebernehmen(c.ansicht(), c.sichtbarerAusschnitt(), c.ausschnittPixel(),
                              c.seite().size());
}

void LernansichtController::ausschnittVerschieben(double dx, double dy)
{
    LernansichtWidget& view = m_fenster.view();
    ViewComposer& c = view.composer();
    c.verschiebeAusschnitt(dx, dy);
    m_zeichnungen.zeigen(c.ansichtZumZeichnen(), c.ausschnittPixel());
    // The snapshot shows the old section: undoing into it would jump back.
    m_werkzeuge.vergiss();
    m_context.zustand.sichtbarerBereich = c.sichtbarerBereich();
    view.ansichtGeaendert();
}

void LernansichtController::zeigeTeil(const QRect& r)
{
    if (!r.isEmpty())
        m_fenster.view().update(r.translated(m_fenster.view().bildRechteck().topLeft()));
}

QPoint LernansichtController::zuAnsicht(QPoint p) const
{
    return p - m_fenster.view().bildRechteck().topLeft();
}

void LernansichtController::alleAbdecken()
{
    quorvel::alleAbdecken(m_context.document);
    neuAufbauen();
}

void LernansichtController::alleAufdecken()
{
    quorvel::alleAufdecken(m_context.document);
    neuAufbauen();
}

void LernansichtController::nummerieren(int modus)
{
    m_context.zustand.nummerierungsModus = modus;
    nummeriereAbfragefelder(m_context.document, modus, m_context.zufall);
    const char16_t* namen[] = {u"NummerierungFragezeichen1", u"NummerierungGeordnet1",
                               u"NummerierungZufaellig1"};
    if (QAction* a = m_fenster.menu().action(QString::fromUtf16(namen[std::clamp(modus, 0, 2)])))
        a->setChecked(true);
    neuAufbauen();
}

void LernansichtController::setEbene(int index, bool an)
{
    if (index < 0 || index >= kEbenenAnzahl)
        return;
    m_fenster.view().composer().zustand().ebenen[size_t(index)] = an;
    m_leiste->ebene(index)->setChecked(an);
    const char16_t* namen[] = {u"EbeneBasisbild1", u"EbeneTexteundBilder1", u"EbeneInfopunkte1",
                               u"EbeneLayout1"};
    if (QAction* a = m_fenster.menu().action(QString::fromUtf16(namen[index])))
        a->setChecked(an);
    neuAufbauen();
}

void LernansichtController::setZoomStufe(int stufe)
{
    stufe = std::clamp(stufe, 0, kMaxZoomStufe);
    const char16_t* namen[] = {u"Zoomstufe100Prozent1", nullptr, u"Zoomstufe150Prozent1", nullptr,
                               u"Zoomstufe200Prozent1"};
    if (namen[stufe])
        if (QAction* a = m_fenster.menu().action(QString::fromUtf16(namen[stufe])))
            a->setChecked(true);
    if (stufe == m_context.zustand.zoomStufe)
        return;
    m_context.zustand.zoomStufe = stufe;
    m_context.zustand.zoomFaktor = zoomFaktor(stufe);
    if (m_context.zustand.Modus == ModusLernansicht)
        neuAufbauen();
}

void LernansichtController::zoomGroesser()
{
    setZoomStufe(zoomStufeGroesser(m_context.zustand.zoomStufe));
}

void LernansichtController::zoomKleiner()
{
    setZoomStufe(zoomStufeKleiner(m_context.zustand.zoomStufe));
}

void LernansichtController::scrollen(int dx, int dy)
{
    ViewComposer& c = m_fenster.view().composer();
    const QRectF a = c.sichtbarerBereich();
    QPointF schritt;
    if (dx)
        schritt += scrollSchritt(a, dx < 0 ? ScrollRichtung::Links : ScrollRichtung::Rechts);
    if (dy)
        schritt += scrollSchritt(a, dy < 0 ? ScrollRichtung::Hoch : ScrollRichtung::Runter);
    zeichnungenUebernehmen();
    ausschnittVerschieben(schritt.x(), schritt.y());
}

void LernansichtController::frageWechseln(int knopfTyp)
{
    const Document& d = m_context.document;
    if (d.header.AnzFrageNummern < 1 || (d.header.DokTyp != 2 && d.header.DokTyp != 3))
        return;
    const int neu = neueFrage(knopfTyp, m_context.zustand.aktuelleFrage, d.header.AnzFrageNummern,
                              m_context.zufall);
    m_context.zustand.aktuelleFrage = neu;
    m_fenster.view().composer().zustand().aktuelleFrage = neu;
    m_fenster.view().objekteNeuZeichnen();
}

void LernansichtController::rueckgaengig()
{
    if (!m_werkzeuge.kannRueckgaengig())
        return;
    if (m_werkzeuge.schnappschussZoom() != m_context.zustand.zoomStufe) {
        m_context.zustand.zoomStufe = m_werkzeuge.schnappschussZoom();
        neuAufbauen();
    }
    zeigeTeil(m_werkzeuge.rueckgaengig());
}

void LernansichtController::alleZeichnungenEntfernen()
{
    m_textFeld->hide();
    m_zeichnungen.leeren();
    zeigeTeil(m_werkzeuge.alleEntfernen());
}

void LernansichtController::klappen()
{
    m_leiste->setGeklappt(!m_leiste->geklappt());
    passeLeistenBreiteAn();
}

void LernansichtController::passeLeistenBreiteAn()
{
    m_leiste->adjustSize();
    m_leistenBereich->setFixedWidth(m_leiste->sizeHint().width() +
                                    m_leistenBereich->verticalScrollBar()->sizeHint().width());
}

void LernansichtController::abdeckblattUmschalten()
{
    auto* blatt = static_cast<AbdeckblattWidget*>(m_abdeckblatt);
    if (blatt->isVisible() && !blatt->gezogen())
        blatt->hide();
    else
        zeigeAbdeckblatt(true);
}

void LernansichtController::zeigeAbdeckblatt(bool zeigen)
{
    auto* blatt = static_cast<AbdeckblattWidget*>(m_abdeckblatt);
    if (!zeigen) {
        blatt->hide();
        return;
    }
    blatt->setGeometry(m_fenster.view().bildRechteck());
    blatt->zuruecksetzen();
    blatt->show();
    blatt->raise();
}

void LernansichtController::setSeite(int werkzeugPos)
{
    auto* zeile = static_cast<QHBoxLayout*>(m_container->layout());
    const int gewuenscht = werkzeugPos == 1 ? 0 : 1;
    if (zeile->indexOf(m_leistenBereich) == gewuenscht)
        return;
    zeile->removeWidget(m_leistenBereich);
    zeile->insertWidget(gewuenscht, m_leistenBereich);
    zeile->activate();
}

void LernansichtController::setPasswortAntwort(const QString& antwort, bool abgebrochen)
{
    m_passwortErsetzt = true;
    m_passwortAntwort = antwort;
    m_passwortAbgebrochen = abgebrochen;
}

bool LernansichtController::passwortPruefen(const QString& kennung)
{
    if (kennung.isEmpty())
        return true;
    QString eingabe;
    bool ok = false;
    if (m_passwortErsetzt) {
        eingabe = m_passwortAntwort;
        ok = !m_passwortAbgebrochen;
    } else {
        eingabe = QInputDialog::getText(&m_fenster, QStringLiteral("Bitte Passwort eingeben"),
                                        QStringLiteral("Passwort:"), QLineEdit::Password,
                                        QString(), &ok);
    }
    if (!ok)
        return false;
    if (eingabe != kennung) {
        m_context.prompt().error(QStringLiteral("Das Passwort ist falsch."));
        return false;
    }
    return true;
}

void LernansichtController::punktOeffnen(int index)
{
    Document& d = m_context.document;
    if (index < 0 || size_t(index) >= d.objects.size())
        return;
    const ObjDataTyp o = d.objects[size_t(index)];
    LinkOrdner ordner;
    if (!d.datei.isEmpty())
        ordner.dokument = QFileInfo(d.datei).absolutePath();
    ordner.thema = m_context.zustand.themenOrdner;
    ordner.basis = m_context.environment.basisOrdner;

    const bool dokumentLink = o.Typ == 5 || ((o.Typ == 8 || o.Typ == 33) && istDokumentZiel(o.Cap));
    if (o.Typ == 2 || o.Typ == 28) {
        if (passwortPruefen(o.BildKenn))
            m_infoBox->zeige(o.Cap, d.header.Schriftart, &m_fenster);
    } else if (dokumentLink) {
        const DokumentLinkZiel ziel = dokumentLinkZiel(o.Cap, ordner);
        switch (ziel.art) {
        case DokumentLinkZiel::Art::OrdnerWechseln:
            if (!m_fenster.documents().Schliessen1Click())
                return;
            m_context.zustand.themenOrdner = ziel.pfad;
            m_context.zustand.aktuellerOrdner = ziel.pfad;
            if (m_context.hooks.refreshTopicList)
                m_context.hooks.refreshTopicList();
            break;
        case DokumentLinkZiel::Art::OrdnerFehlt:
            break;
        case DokumentLinkZiel::Art::DokumentOeffnen:
            if (m_fenster.documents().Schliessen1Click())
                m_fenster.documents().readAsCurrent(ziel.pfad);
            break;
        case DokumentLinkZiel::Art::DateiFehlt:
            m_context.prompt().error(ziel.meldung);
            break;
        }
    } else {
        if (!passwortPruefen(o.BildKenn))
            return;
        const QString ziel = loeseLinkZielAuf(o.Cap, ordner);
        const QUrl url = ziel.contains(QStringLiteral("://")) ? QUrl(ziel)
                                                              : QUrl::fromLocalFile(ziel);
        if (!QDesktopServices::openUrl(url))
            m_context.prompt().error(linkNichtOeffenbarMeldung(ziel));
    }
}

void LernansichtController::klick(QPoint widgetPunkt)
{
    LernansichtWidget& view = m_fenster.view();
    if (!view.bildRechteck().contains(widgetPunkt))
        return;
    const AnsichtsZustand& z = view.composer().zustand();
    const int index =
        trefferObjekt(m_context.document, z.ebenen, z.aktuelleFrage, view.widgetZuSeite(widgetPunkt));
    if (index < 0)
        return;
    ObjDataTyp& o = m_context.document.objects[size_t(index)];
    switch (klickWirkung(o.Typ)) {
    case KlickWirkung::Umschalten:
        abdeckungUmschalten(o);
        view.objektNeuZeichnen(index);
        break;
    case KlickWirkung::PunktOeffnen:
        punktOeffnen(index);
        break;
    case KlickWirkung::FrageWechseln:
        frageWechseln(o.Typ);
        break;
    case KlickWirkung::Nichts:
        break;
    }
}

bool LernansichtController::mausGedrueckt(QMouseEvent* e)
{
    LernansichtWidget& view = m_fenster.view();
    if (view.startPanel()->isVisible()) {
        view.setStartPanelVisible(false);
        return true;
    }
    const int w = werkzeug();
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::MiddleButton || (e->button() == Qt::LeftButton && w == werkzeug::Zeiger)) {
        klick(p);
        return true;
    }
    if (e->button() == Qt::RightButton || (e->button() == Qt::LeftButton && w == werkzeug::Hand)) {
        m_ziehen = Ziehen::Ausschnitt;
        m_letzter = p;
        zeichnungenUebernehmen();
        view.setCursor(Qt::ClosedHandCursor);
        return true;
    }
    if (e->button() != Qt::LeftButton || !istZeichenWerkzeug(w))
        return false;

    const QPoint a = zuAnsicht(p);
    m_werkzeuge.merkeZustand();
    m_letzter = a;
    m_start = a;
    if (w == werkzeug::Stift) {
        zeigeTeil(m_werkzeuge.stiftStrich(a, a));
        m_ziehen = Ziehen::Zeichnen;
    } else if (w == werkzeug::MarkerGelb || w == werkzeug::MarkerGruen) {
        zeigeTeil(m_werkzeuge.markerStrich(a, a, w == werkzeug::MarkerGelb));
        m_ziehen = Ziehen::Zeichnen;
    } else if (w == werkzeug::Radierer) {
        zeigeTeil(m_werkzeuge.radieren(a));
        m_ziehen = Ziehen::Zeichnen;
    } else if (w == werkzeug::Stempel) {
        zeigeTeil(m_werkzeuge.stempeln(a));
    } else if (w == werkzeug::Kreuz) {
        zeigeTeil(m_werkzeuge.kreuz(a));
    } else if (w == werkzeug::Text) {
        textSetzen(a);
    } else if (istFormWerkzeug(w)) {
        m_ziehen = Ziehen::Zeichnen;
    }
    return true;
}

void LernansichtController::mausBewegt(QMouseEvent* e)
{
    LernansichtWidget& view = m_fenster.view();
    const QPoint p = e->position().toPoint();
    const int w = werkzeug();
    if (m_ziehen == Ziehen::Ausschnitt) {
        const QSize seite = view.composer().seite().size();
        if (seite.width() > 0 && seite.height() > 0) {
            ausschnittVerschieben(double(m_letzter.x() - p.x()) / seite.width(),
                                  double(m_letzter.y() - p.y()) / seite.height());
        }
        m_letzter = p;
        return;
    }
    if (m_ziehen == Ziehen::Zeichnen) {
        const QPoint a = zuAnsicht(p);
        if (w == werkzeug::Stift)
            zeigeTeil(m_werkzeuge.stiftStrich(m_letzter, a));
        else if (w == werkzeug::MarkerGelb || w == werkzeug::MarkerGruen)
            zeigeTeil(m_werkzeuge.markerStrich(m_letzter, a, w == werkzeug::MarkerGelb));
        else if (w == werkzeug::Radierer)
            zeigeTeil(m_werkzeuge.radieren(a));
        else if (istFormWerkzeug(w))
            zeigeTeil(m_werkzeuge.vorschau(w, m_start, a));
        m_letzter = a;
        return;
    }
    if (w == werkzeug::Zeiger && !view.startPanel()->isVisible()) {
        const AnsichtsZustand& z = view.composer().zustand();
        const bool treffer = view.bildRechteck().contains(p) &&
                             trefferObjekt(m_context.document, z.ebenen, z.aktuelleFrage,
                                           view.widgetZuSeite(p)) >= 0;
        view.setCursor(treffer ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
}

void LernansichtController::mausLosgelassen(QMouseEvent* e)
{
    const Ziehen war = m_ziehen;
    m_ziehen = Ziehen::Nichts;
    if (war == Ziehen::Ausschnitt) {
        setWerkzeug(werkzeug()); // back to the tool's cursor
        return;
    }
    const int w = werkzeug();
    if (war == Ziehen::Zeichnen && istFormWerkzeug(w)) {
        zeigeTeil(m_werkzeuge.vorschauEntfernen());
        zeigeTeil(m_werkzeuge.form(w, m_start, zuAnsicht(e->position().toPoint())));
    }
}

void LernansichtController::textSetzen(QPoint a)
{
    LernansichtWidget& view = m_fenster.view();
    QFont font(m_context.document.header.Schriftart);
    font.setPixelSize(12 + 8 * m_werkzeuge.zustand().dickeIndex);
    m_textFeld->setFont(font);
    m_textFeld->clear();
    const QRect bild = view.bildRechteck();
    const int hoehe = m_textFeld->sizeHint().height();
    const int breite = std::min(bild.width(), kTextBreiteJeDicke * m_werkzeuge.zustand().dickeIndex +
                                                  m_textFeld->fontMetrics().horizontalAdvance(u'W'));
    QPoint oben = bild.topLeft() + a - QPoint(0, hoehe);
    oben.setX(std::clamp(oben.x(), bild.left(), std::max(bild.left(), bild.right() - breite)));
    oben.setY(std::clamp(oben.y(), bild.top(), std::max(bild.top(), bild.bottom() - hoehe)));
    m_textFeld->setGeometry(QRect(oben, QSize(breite, hoehe)));
    m_textPunkt = oben - bild.topLeft();
    m_textFeld->show();
    m_textFeld->setFocus();
}

void LernansichtController::textZeichnen()
{
    const QString text = m_textFeld->text();
    m_textFeld->hide();
    if (!text.isEmpty())
        zeigeTeil(m_werkzeuge.text(m_textPunkt + QPoint(2, 1), text, m_textFeld->font()));
}

void LernansichtController::stempelKonfigurieren()
{
    QDialog dialog(&m_fenster);
    dialog.setObjectName(QStringLiteral("StempelForm"));
    dialog.setWindowTitle(QStringLiteral("Symbolstempel"));
    auto* form = new QFormLayout(&dialog);
    std::array<QFontComboBox*, kStempelAnzahl> fonts{};
    std::array<QSpinBox*, kStempelAnzahl> zeichen{};
    for (int i = 0; i < kStempelAnzahl; ++i) {
        const Stempel& s = m_werkzeuge.zustand().stempelListe[size_t(i)];
        auto* zeile = new QHBoxLayout;
        fonts[size_t(i)] = new QFontComboBox(&dialog);
        fonts[size_t(i)]->setObjectName(QStringLiteral("FontBox%1").arg(i + 1));
        fonts[size_t(i)]->setEditable(true);
        fonts[size_t(i)]->setEditText(s.font);
        zeichen[size_t(i)] = new QSpinBox(&dialog);
        zeichen[size_t(i)]->setObjectName(QStringLiteral("SymbolBox%1").arg(i + 1));
        zeichen[size_t(i)]->setRange(1, 255);
        zeichen[size_t(i)]->setValue(s.zeichen);
        auto* vorschau = new QToolButton(&dialog);
        vorschau->setIcon(stempelBild(s));
        const auto aktualisiere = [vorschau, f = fonts[size_t(i)], z = zeichen[size_t(i)]] {
            vorschau->setIcon(stempelBild(Stempel{f->currentText(), z->value()}));
        };
        connect(zeichen[size_t(i)], &QSpinBox::valueChanged, vorschau, aktualisiere);
        connect(fonts[size_t(i)], &QFontComboBox::currentTextChanged, vorschau, aktualisiere);
        zeile->addWidget(fonts[size_t(i)], 1);
        zeile->addWidget(zeichen[size_t(i)]);
        zeile->addWidget(vorschau);
        form->addRow(QStringLiteral("Stempel %1").arg(i + 1), zeile);
    }
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(knoepfe, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(knoepfe);
    if (dialog.exec() != QDialog::Accepted)
        return;
    StempelListe& liste = m_werkzeuge.zustand().stempelListe;
    for (int i = 0; i < kStempelAnzahl; ++i)
        liste[size_t(i)] = Stempel{fonts[size_t(i)]->currentText(), zeichen[size_t(i)]->value()};
    const std::unique_ptr<QSettings> settings = openUserSettings(m_context.environment);
    stempelSpeichern(*settings, liste);
    m_leiste->zeigeStempelBilder(liste);
    setStempel(m_werkzeuge.zustand().stempel);
}

bool LernansichtController::eventFilter(QObject* objekt, QEvent* event)
{
    if (objekt == m_textFeld && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            textZeichnen();
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            m_textFeld->hide();
            return true;
        }
        return false;
    }
    // The view also reports while the window is being torn down: look at
    // nothing of the window before knowing that this is input.
    const QEvent::Type typ = event->type();
    const bool eingabe = typ == QEvent::MouseButtonPress || typ == QEvent::MouseMove ||
                         typ == QEvent::MouseButtonRelease || typ == QEvent::KeyPress;
    if (!eingabe || objekt != m_view || m_context.zustand.Modus != ModusLernansicht)
        return false;
    switch (typ) {
    case QEvent::MouseButtonPress:
        return mausGedrueckt(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        mausBewegt(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseButtonRelease:
        mausLosgelassen(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(event);
        // Ctrl+Plus and Ctrl+Minus of the numeric keypad zoom by two levels.
        if (k->modifiers() == (Qt::ControlModifier | Qt::KeypadModifier) &&
            (k->key() == Qt::Key_Plus || k->key() == Qt::Key_Minus)) {
            if (k->key() == Qt::Key_Plus)
                zoomGroesser();
            else
                zoomKleiner();
            return true;
        }
        if (k->modifiers() != Qt::NoModifier)
            return false;
        const int typ = k->key() == Qt::Key_Left    ? 12
                        : k->key() == Qt::Key_Right ? 13
                        : k->key() == Qt::Key_Home  ? 14
                        : k->key() == Qt::Key_End   ? 15
                                                    : 0;
        if (typ == 0)
            return false;
        frageWechseln(typ);
        return true;
    }
    default:
        return false;
    }
}

} // namespace quorvel
