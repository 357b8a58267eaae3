#include "learningviewcontroller.h"

#include "viewcommands.h"
#include "documentcontroller.h"
#include "infobox.h"
#include "learningviewwidget.h"
#include "linkresolver.h"
#include "mainmenu.h"
#include "mainwindow.h"
#include "numbering.h"
#include "startenvironment.h"
#include "viewexportcontroller.h"
#include "viewgeometry.h"
#include "toolbar.h"

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
class CoverPaneWidget : public QWidget {
public:
    explicit CoverPaneWidget(QWidget* parent) : QWidget(parent)
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

LearningViewController::LearningViewController(MainWindow& fenster)
    : QObject(&fenster), m_fenster(fenster), m_context(fenster.context()),
      m_leiste(new ToolBar), m_werkzeuge(fenster.view().composer()),
      m_infoBox(new InfoBox(&fenster)), m_view(&fenster.view()),
      m_textFeld(new QLineEdit(&fenster.view())),
      m_abdeckblatt(new CoverPaneWidget(&fenster.view()))
{
    setObjectName(QStringLiteral("LernansichtController"));
    LearningViewWidget& view = fenster.view();

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
    fitToolBarWidth();

    m_textFeld->setObjectName(QStringLiteral("TexteingabeEdit"));
    m_textFeld->hide();
    m_textFeld->installEventFilter(this);

    view.installEventFilter(this);
    view.setMouseTracking(true);
    view.setFocusPolicy(Qt::StrongFocus);

    {
        const std::unique_ptr<QSettings> settings = openUserSettings(m_context.environment);
        m_werkzeuge.state().stamps = loadStamps(*settings);
    }
    m_leiste->showStampPictures(m_werkzeuge.state().stamps);
    m_leiste->showSettings(m_werkzeuge.state());
    m_leiste->showTool(werkzeug());

    connectToolBar();
    connectMenu();

    // The side follows the setting after every composition (the settings are
    // read after the window is made).
    connect(&view, &LearningViewWidget::rebuilt, this, [this] {
        m_zeichnungen.clear(); // a new composition starts without drawings
        setSide(m_context.settings.WerkzeugPos);
    });
    setSide(m_context.settings.WerkzeugPos);
}

LearningViewController::~LearningViewController() = default;

int LearningViewController::werkzeug() const
{
    return m_context.state.werkzeug;
}

void LearningViewController::setTool(int w)
{
    if (w != werkzeug::Text)
        m_textFeld->hide();
    m_context.state.werkzeug = w;
    m_leiste->showTool(w);
    m_fenster.view().setCursor(w == werkzeug::Hand ? Qt::OpenHandCursor
                               : w == werkzeug::Pointer ? Qt::ArrowCursor
                                                       : Qt::CrossCursor);
}

void LearningViewController::setColour(int colourIndex)
{
    m_werkzeuge.state().colourIndex = colourIndex;
    m_leiste->showSettings(m_werkzeuge.state());
    if (werkzeug() == werkzeug::Pointer || werkzeug() == werkzeug::Hand)
        setTool(werkzeug::Pen);
}

void LearningViewController::setThickness(int thicknessIndex)
{
    m_werkzeuge.state().thicknessIndex = std::clamp(thicknessIndex, 1, 4);
    m_leiste->showSettings(m_werkzeuge.state());
    if (werkzeug() == werkzeug::Pointer || werkzeug() == werkzeug::Hand)
        setTool(werkzeug::Pen);
}

void LearningViewController::choosePen(int stift)
{
    m_werkzeuge.state().stift = std::clamp(stift, 1, 10);
    m_leiste->showSettings(m_werkzeuge.state());
    setTool(toolForPen(stift));
}

void LearningViewController::setStamp(int stempel)
{
    m_werkzeuge.state().stempel = std::clamp(stempel, 1, kStampCount);
    m_leiste->showSettings(m_werkzeuge.state());
    setTool(werkzeug::Stamp);
}

void LearningViewController::connectToolBar()
{
    ToolBar* l = m_leiste;
    connect(l, &ToolBar::toolChosen, this, [this](int w) {
        // The pen button opens its menu; a plain press keeps the chosen preset.
        setTool(w == werkzeug::Pen ? toolForPen(m_werkzeuge.state().stift) : w);
    });
    connect(l, &ToolBar::colourChosen, this, &LearningViewController::setColour);
    connect(l, &ToolBar::thicknessChosen, this, &LearningViewController::setThickness);
    connect(l, &ToolBar::penChosen, this, &LearningViewController::choosePen);
    connect(l, &ToolBar::stampChosen, this, &LearningViewController::setStamp);
    connect(l, &ToolBar::configureStamps, this,
            &LearningViewController::configureStamps);

    const auto knopf = [this, l](const char16_t* name, auto handler) {
        connect(l->knopf(QString::fromUtf16(name)), &QToolButton::clicked, this, handler);
    };
    knopf(u"KlappPan", [this] { toggleCollapsed(); });
    knopf(u"RueckgaengigBtn", [this] { undo(); });
    knopf(u"MarkEntfBtn", [this] { removeAllDrawings(); });
    knopf(u"AbdeckerBtn", [this] { toggleCoverPane(); });
    knopf(u"AlleAbdeckenBtn", [this] { coverAll(); });
    knopf(u"AlleAufdeckenBtn", [this] { uncoverAll(); });
    knopf(u"NummerModeSort", [this] { number(NumberingOrdered); });
    knopf(u"NummerModeZufall", [this] { number(NumberingRandom); });
    knopf(u"NummerModeFragez", [this] { number(NumberingQuestionMarks); });
    knopf(u"ScrollLinksBtn", [this] { scroll(-1, 0); });
    knopf(u"ScrollRechtsBtn", [this] { scroll(1, 0); });
    knopf(u"ScrollHochBtn", [this] { scroll(0, -1); });
    knopf(u"ScrollRunterBtn", [this] { scroll(0, 1); });
    knopf(u"ZoomPan0", [this] { setZoomLevel(0); });
    knopf(u"ZoomPan2", [this] { setZoomLevel(2); });
    knopf(u"ZoomPan4", [this] { setZoomLevel(4); });
    ViewExportController* export_ = &m_fenster.viewExport();
    knopf(u"ExportBtn", [export_] { export_->exportView(); });
    knopf(u"ClipbordBtn", [export_] { export_->copyView(); });
    for (int i = 0; i < 4; ++i)
        connect(l->ebene(i), &QCheckBox::clicked, this, [this, i](bool an) { setLayer(i, an); });
}

void LearningViewController::connectMenu()
{
    MainMenu& menu = m_fenster.menu();
    const auto befehl = [this, &menu](const char16_t* name, auto handler) {
        const QString n = QString::fromUtf16(name);
        menu.setAvailable(n, true);
        connect(menu.action(n), &QAction::triggered, this, handler);
    };
    befehl(u"Werkzeugleistezuklappen1", [this] { toggleCollapsed(); });
    const char16_t* layers[] = {u"EbeneBasisbild1", u"EbeneTexteundBilder1", u"EbeneInfopunkte1",
                                u"EbeneLayout1"};
    for (int i = 0; i < 4; ++i)
        befehl(layers[i], [this, i](bool an) { setLayer(i, an); });
    befehl(u"AlleAbfragefelderabdecken1", [this] { coverAll(); });
    befehl(u"AlleAbfragefelderaufdecken1", [this] { uncoverAll(); });
    befehl(u"Abdeckblatteinblenden1", [this] { showCoverPane(true); });
    befehl(u"Abdeckblattausblenden1", [this] { showCoverPane(false); });
    befehl(u"NummerierungGeordnet1", [this] { number(NumberingOrdered); });
    befehl(u"NummerierungZufaellig1", [this] { number(NumberingRandom); });
    befehl(u"NummerierungFragezeichen1", [this] { number(NumberingQuestionMarks); });
    befehl(u"Zoomstufe100Prozent1", [this] { setZoomLevel(0); });
    befehl(u"Zoomstufe150Prozent1", [this] { setZoomLevel(2); });
    befehl(u"Zoomstufe200Prozent1", [this] { setZoomLevel(4); });
    befehl(u"AlleZeichnungenentfernen1", [this] { removeAllDrawings(); });
    for (const char16_t* seite : {u"WerkzeugleisteLinks1", u"WerkzeugleisteRechts1"})
        if (QAction* a = menu.action(QString::fromUtf16(seite)))
            connect(a, &QAction::triggered, this,
                    [this] { setSide(m_context.settings.WerkzeugPos); },
                    Qt::QueuedConnection);

}

void LearningViewController::rebuild()
{
    m_textFeld->hide();
    m_fenster.documents().rebuildView();
}

void LearningViewController::keepDrawings()
{
    const ViewComposer& c = m_fenster.view().composer();
    m_zeichnungen.takeOver(c.ansicht(), c.visibleSection(), c.sectionPixels(),
                              c.seite().size());
}

void LearningViewController::moveSection(double dx, double dy)
{
    LearningViewWidget& view = m_fenster.view();
    ViewComposer& c = view.composer();
    c.moveSection(dx, dy);
    m_zeichnungen.zeigen(c.viewForDrawing(), c.sectionPixels());
    // The snapshot shows the old section: undoing into it would jump back.
    m_werkzeuge.forget();
    m_context.state.visibleArea = c.visibleArea();
    view.viewChanged();
}

void LearningViewController::showPart(const QRect& r)
{
    if (!r.isEmpty())
        m_fenster.view().update(r.translated(m_fenster.view().pictureRect().topLeft()));
}

QPoint LearningViewController::toView(QPoint p) const
{
    return p - m_fenster.view().pictureRect().topLeft();
}

void LearningViewController::coverAll()
{
    quorvel::coverAll(m_context.document);
    rebuild();
}

void LearningViewController::uncoverAll()
{
    quorvel::uncoverAll(m_context.document);
    rebuild();
}

void LearningViewController::number(int modus)
{
    m_context.state.numberingMode = modus;
    numberQueryFields(m_context.document, modus, m_context.random);
    const char16_t* namen[] = {u"NummerierungFragezeichen1", u"NummerierungGeordnet1",
                               u"NummerierungZufaellig1"};
    if (QAction* a = m_fenster.menu().action(QString::fromUtf16(namen[std::clamp(modus, 0, 2)])))
        a->setChecked(true);
    rebuild();
}

void LearningViewController::setLayer(int index, bool an)
{
    if (index < 0 || index >= kLayerCount)
        return;
    m_fenster.view().composer().state().layers[size_t(index)] = an;
    m_leiste->ebene(index)->setChecked(an);
    const char16_t* namen[] = {u"EbeneBasisbild1", u"EbeneTexteundBilder1", u"EbeneInfopunkte1",
                               u"EbeneLayout1"};
    if (QAction* a = m_fenster.menu().action(QString::fromUtf16(namen[index])))
        a->setChecked(an);
    rebuild();
}

void LearningViewController::setZoomLevel(int stufe)
{
    stufe = std::clamp(stufe, 0, kMaxZoomLevel);
    const char16_t* namen[] = {u"Zoomstufe100Prozent1", nullptr, u"Zoomstufe150Prozent1", nullptr,
                               u"Zoomstufe200Prozent1"};
    if (namen[stufe])
        if (QAction* a = m_fenster.menu().action(QString::fromUtf16(namen[stufe])))
            a->setChecked(true);
    if (stufe == m_context.state.zoomLevel)
        return;
    m_context.state.zoomLevel = stufe;
    m_context.state.zoomFactor = zoomFactor(stufe);
    if (m_context.state.Modus == ModeLearningView)
        rebuild();
}

void LearningViewController::zoomIn()
{
    setZoomLevel(zoomLevelUp(m_context.state.zoomLevel));
}

void LearningViewController::zoomOut()
{
    setZoomLevel(zoomLevelDown(m_context.state.zoomLevel));
}

void LearningViewController::scroll(int dx, int dy)
{
    ViewComposer& c = m_fenster.view().composer();
    const QRectF a = c.visibleArea();
    QPointF schritt;
    if (dx)
        schritt += scrollStep(a, dx < 0 ? ScrollDirection::Left : ScrollDirection::Right);
    if (dy)
        schritt += scrollStep(a, dy < 0 ? ScrollDirection::Up : ScrollDirection::Down);
    keepDrawings();
    moveSection(schritt.x(), schritt.y());
}

void LearningViewController::changeQuestion(int buttonTyp)
{
    const Document& d = m_context.document;
    if (d.header.AnzFrageNummern < 1 || !hasQuestionNavigation(dokTypOf(d.header)))
        return;
    const int neu = newQuestion(static_cast<Typ>(buttonTyp), m_context.state.currentQuestion, d.header.AnzFrageNummern,
                              m_context.random);
    m_context.state.currentQuestion = neu;
    m_fenster.view().composer().state().currentQuestion = neu;
    m_fenster.view().redrawObjects();
}

void LearningViewController::undo()
{
    if (!m_werkzeuge.canUndo())
        return;
    if (m_werkzeuge.snapshotZoom() != m_context.state.zoomLevel) {
        m_context.state.zoomLevel = m_werkzeuge.snapshotZoom();
        rebuild();
    }
    showPart(m_werkzeuge.undo());
}

void LearningViewController::removeAllDrawings()
{
    m_textFeld->hide();
    m_zeichnungen.clear();
    showPart(m_werkzeuge.removeAll());
}

void LearningViewController::toggleCollapsed()
{
    m_leiste->setCollapsed(!m_leiste->geklappt());
    fitToolBarWidth();
}

void LearningViewController::fitToolBarWidth()
{
    m_leiste->adjustSize();
    m_leistenBereich->setFixedWidth(m_leiste->sizeHint().width() +
                                    m_leistenBereich->verticalScrollBar()->sizeHint().width());
}

void LearningViewController::toggleCoverPane()
{
    auto* blatt = static_cast<CoverPaneWidget*>(m_abdeckblatt);
    if (blatt->isVisible() && !blatt->gezogen())
        blatt->hide();
    else
        showCoverPane(true);
}

void LearningViewController::showCoverPane(bool zeigen)
{
    auto* blatt = static_cast<CoverPaneWidget*>(m_abdeckblatt);
    if (!zeigen) {
        blatt->hide();
        return;
    }
    blatt->setGeometry(m_fenster.view().pictureRect());
    blatt->zuruecksetzen();
    blatt->show();
    blatt->raise();
}

void LearningViewController::setSide(int werkzeugPos)
{
    auto* zeile = static_cast<QHBoxLayout*>(m_container->layout());
    const int gewuenscht = werkzeugPos == 1 ? 0 : 1;
    if (zeile->indexOf(m_leistenBereich) == gewuenscht)
        return;
    zeile->removeWidget(m_leistenBereich);
    zeile->insertWidget(gewuenscht, m_leistenBereich);
    zeile->activate();
}

void LearningViewController::setPasswordAnswer(const QString& antwort, bool abgebrochen)
{
    m_passwortErsetzt = true;
    m_passwortAntwort = antwort;
    m_passwortAbgebrochen = abgebrochen;
}

bool LearningViewController::checkPassword(const QString& kennung)
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

void LearningViewController::openPoint(int index)
{
    Document& d = m_context.document;
    if (index < 0 || size_t(index) >= d.objects.size())
        return;
    const ObjDataTyp o = d.objects[size_t(index)];
    LinkFolders ordner;
    if (!d.datei.isEmpty())
        ordner.dokument = QFileInfo(d.datei).absolutePath();
    ordner.thema = m_context.state.topicFolder;
    ordner.basis = m_context.environment.baseFolder;

    const OpenKind art = opensAs(typOf(o));
    const bool dokumentLink = art == OpenKind::DocumentLink ||
                              (art == OpenKind::PictureLink && isDocumentTarget(o.Cap));
    if (art == OpenKind::InfoBox) {
        if (checkPassword(o.BildKenn))
            m_infoBox->zeige(o.Cap, d.header.Schriftart, &m_fenster);
    } else if (dokumentLink) {
        const DocumentLinkTarget ziel = documentLinkTarget(o.Cap, ordner);
        switch (ziel.kind) {
        case DocumentLinkTarget::Kind::ChangeFolder:
            if (!m_fenster.documents().closeDocument())
                return;
            m_context.state.topicFolder = ziel.pfad;
            m_context.state.currentFolder = ziel.pfad;
            if (m_context.hooks.refreshTopicList)
                m_context.hooks.refreshTopicList();
            break;
        case DocumentLinkTarget::Kind::FolderMissing:
            break;
        case DocumentLinkTarget::Kind::OpenDocument:
            if (m_fenster.documents().closeDocument())
                m_fenster.documents().readAsCurrent(ziel.pfad);
            break;
        case DocumentLinkTarget::Kind::FileMissing:
            m_context.prompt().error(ziel.meldung);
            break;
        }
    } else {
        if (!checkPassword(o.BildKenn))
            return;
        const QString ziel = resolveLinkTarget(o.Cap, ordner);
        const QUrl url = ziel.contains(QStringLiteral("://")) ? QUrl(ziel)
                                                              : QUrl::fromLocalFile(ziel);
        if (!QDesktopServices::openUrl(url))
            m_context.prompt().error(linkCannotOpenMessage(ziel));
    }
}

void LearningViewController::click(QPoint widgetPunkt)
{
    LearningViewWidget& view = m_fenster.view();
    if (!view.pictureRect().contains(widgetPunkt))
        return;
    const ViewState& z = view.composer().state();
    const int index =
        hitObject(m_context.document, z.layers, z.currentQuestion, view.widgetToPage(widgetPunkt));
    if (index < 0)
        return;
    ObjDataTyp& o = m_context.document.objects[size_t(index)];
    switch (clickEffect(typOf(o))) {
    case ClickEffect::Toggle:
        toggleCover(o);
        view.redrawObject(index);
        break;
    case ClickEffect::OpenPoint:
        openPoint(index);
        break;
    case ClickEffect::ChangeQuestion:
        changeQuestion(o.Typ);
        break;
    case ClickEffect::Nothing:
        break;
    }
}

bool LearningViewController::mousePressed(QMouseEvent* e)
{
    LearningViewWidget& view = m_fenster.view();
    if (view.startPanel()->isVisible()) {
        view.setStartPanelVisible(false);
        return true;
    }
    const int w = werkzeug();
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::MiddleButton || (e->button() == Qt::LeftButton && w == werkzeug::Pointer)) {
        click(p);
        return true;
    }
    if (e->button() == Qt::RightButton || (e->button() == Qt::LeftButton && w == werkzeug::Hand)) {
        m_ziehen = Drag::Section;
        m_letzter = p;
        keepDrawings();
        view.setCursor(Qt::ClosedHandCursor);
        return true;
    }
    if (e->button() != Qt::LeftButton || !isDrawingTool(w))
        return false;

    const QPoint a = toView(p);
    m_werkzeuge.rememberState();
    m_letzter = a;
    m_start = a;
    if (w == werkzeug::Pen) {
        showPart(m_werkzeuge.penStroke(a, a));
        m_ziehen = Drag::Draw;
    } else if (w == werkzeug::MarkerYellow || w == werkzeug::MarkerGreen) {
        showPart(m_werkzeuge.markerStroke(a, a, w == werkzeug::MarkerYellow));
        m_ziehen = Drag::Draw;
    } else if (w == werkzeug::Eraser) {
        showPart(m_werkzeuge.erase(a));
        m_ziehen = Drag::Draw;
    } else if (w == werkzeug::Stamp) {
        showPart(m_werkzeuge.stamp(a));
    } else if (w == werkzeug::Cross) {
        showPart(m_werkzeuge.kreuz(a));
    } else if (w == werkzeug::Text) {
        placeText(a);
    } else if (isShapeTool(w)) {
        m_ziehen = Drag::Draw;
    }
    return true;
}

void LearningViewController::mouseMoved(QMouseEvent* e)
{
    LearningViewWidget& view = m_fenster.view();
    const QPoint p = e->position().toPoint();
    const int w = werkzeug();
    if (m_ziehen == Drag::Section) {
        const QSize seite = view.composer().seite().size();
        if (seite.width() > 0 && seite.height() > 0) {
            moveSection(double(m_letzter.x() - p.x()) / seite.width(),
                                  double(m_letzter.y() - p.y()) / seite.height());
        }
        m_letzter = p;
        return;
    }
    if (m_ziehen == Drag::Draw) {
        const QPoint a = toView(p);
        if (w == werkzeug::Pen)
            showPart(m_werkzeuge.penStroke(m_letzter, a));
        else if (w == werkzeug::MarkerYellow || w == werkzeug::MarkerGreen)
            showPart(m_werkzeuge.markerStroke(m_letzter, a, w == werkzeug::MarkerYellow));
        else if (w == werkzeug::Eraser)
            showPart(m_werkzeuge.erase(a));
        else if (isShapeTool(w))
            showPart(m_werkzeuge.preview(w, m_start, a));
        m_letzter = a;
        return;
    }
    if (w == werkzeug::Pointer && !view.startPanel()->isVisible()) {
        const ViewState& z = view.composer().state();
        const bool treffer = view.pictureRect().contains(p) &&
                             hitObject(m_context.document, z.layers, z.currentQuestion,
                                           view.widgetToPage(p)) >= 0;
        view.setCursor(treffer ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
}

void LearningViewController::mouseReleased(QMouseEvent* e)
{
    const Drag war = m_ziehen;
    m_ziehen = Drag::Nothing;
    if (war == Drag::Section) {
        setTool(werkzeug()); // back to the tool's cursor
        return;
    }
    const int w = werkzeug();
    if (war == Drag::Draw && isShapeTool(w)) {
        showPart(m_werkzeuge.removePreview());
        showPart(m_werkzeuge.form(w, m_start, toView(e->position().toPoint())));
    }
}

void LearningViewController::placeText(QPoint a)
{
    LearningViewWidget& view = m_fenster.view();
    QFont font(m_context.document.header.Schriftart);
    font.setPixelSize(12 + 8 * m_werkzeuge.state().thicknessIndex);
    m_textFeld->setFont(font);
    m_textFeld->clear();
    const QRect bild = view.pictureRect();
    const int hoehe = m_textFeld->sizeHint().height();
    const int breite = std::min(bild.width(), kTextBreiteJeDicke * m_werkzeuge.state().thicknessIndex +
                                                  m_textFeld->fontMetrics().horizontalAdvance(u'W'));
    QPoint oben = bild.topLeft() + a - QPoint(0, hoehe);
    oben.setX(std::clamp(oben.x(), bild.left(), std::max(bild.left(), bild.right() - breite)));
    oben.setY(std::clamp(oben.y(), bild.top(), std::max(bild.top(), bild.bottom() - hoehe)));
    m_textFeld->setGeometry(QRect(oben, QSize(breite, hoehe)));
    m_textPunkt = oben - bild.topLeft();
    m_textFeld->show();
    m_textFeld->setFocus();
}

void LearningViewController::commitText()
{
    const QString text = m_textFeld->text();
    m_textFeld->hide();
    if (!text.isEmpty())
        showPart(m_werkzeuge.text(m_textPunkt + QPoint(2, 1), text, m_textFeld->font()));
}

void LearningViewController::configureStamps()
{
    QDialog dialog(&m_fenster);
    dialog.setObjectName(QStringLiteral("StempelForm"));
    dialog.setWindowTitle(QStringLiteral("Symbolstempel"));
    auto* form = new QFormLayout(&dialog);
    std::array<QFontComboBox*, kStampCount> fonts{};
    std::array<QSpinBox*, kStampCount> zeichen{};
    for (int i = 0; i < kStampCount; ++i) {
        const Stamp& s = m_werkzeuge.state().stamps[size_t(i)];
        auto* zeile = new QHBoxLayout;
        fonts[size_t(i)] = new QFontComboBox(&dialog);
        fonts[size_t(i)]->setObjectName(QStringLiteral("FontBox%1").arg(i + 1));
        fonts[size_t(i)]->setEditable(true);
        fonts[size_t(i)]->setEditText(s.font);
        zeichen[size_t(i)] = new QSpinBox(&dialog);
        zeichen[size_t(i)]->setObjectName(QStringLiteral("SymbolBox%1").arg(i + 1));
        zeichen[size_t(i)]->setRange(1, 255);
        zeichen[size_t(i)]->setValue(s.zeichen);
        auto* preview = new QToolButton(&dialog);
        preview->setIcon(stampPicture(s));
        const auto aktualisiere = [preview, f = fonts[size_t(i)], z = zeichen[size_t(i)]] {
            preview->setIcon(stampPicture(Stamp{f->currentText(), z->value()}));
        };
        connect(zeichen[size_t(i)], &QSpinBox::valueChanged, preview, aktualisiere);
        connect(fonts[size_t(i)], &QFontComboBox::currentTextChanged, preview, aktualisiere);
        zeile->addWidget(fonts[size_t(i)], 1);
        zeile->addWidget(zeichen[size_t(i)]);
        zeile->addWidget(preview);
        form->addRow(QStringLiteral("Stempel %1").arg(i + 1), zeile);
    }
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(knoepfe, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(knoepfe);
    if (dialog.exec() != QDialog::Accepted)
        return;
    StampList& liste = m_werkzeuge.state().stamps;
    for (int i = 0; i < kStampCount; ++i)
        liste[size_t(i)] = Stamp{fonts[size_t(i)]->currentText(), zeichen[size_t(i)]->value()};
    const std::unique_ptr<QSettings> settings = openUserSettings(m_context.environment);
    saveStamps(*settings, liste);
    m_leiste->showStampPictures(liste);
    setStamp(m_werkzeuge.state().stempel);
}

bool LearningViewController::eventFilter(QObject* objekt, QEvent* event)
{
    if (objekt == m_textFeld && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            commitText();
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
    if (!eingabe || objekt != m_view || m_context.state.Modus != ModeLearningView)
        return false;
    switch (typ) {
    case QEvent::MouseButtonPress:
        return mousePressed(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        mouseMoved(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseButtonRelease:
        mouseReleased(static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(event);
        // Ctrl+Plus and Ctrl+Minus of the numeric keypad zoom by two levels.
        if (k->modifiers() == (Qt::ControlModifier | Qt::KeypadModifier) &&
            (k->key() == Qt::Key_Plus || k->key() == Qt::Key_Minus)) {
            if (k->key() == Qt::Key_Plus)
                zoomIn();
            else
                zoomOut();
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
        changeQuestion(typ);
        return true;
    }
    default:
        return false;
    }
}

} // namespace quorvel
