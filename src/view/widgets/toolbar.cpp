// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbar.h"

#include "drawingtools.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace quorvel {

namespace {

constexpr int kPictureSide = 18;
// The bar's grid: rows of one, two, three or four equal parts.
constexpr int kGridColumns = 12;

QPixmap emptyPicture() {
    QPixmap picture(kPictureSide, kPictureSide);
    picture.fill(Qt::white);
    return picture;
}

} // namespace

QIcon colourPicture(int colourIndex) {
    QPixmap picture = emptyPicture();
    QPainter p(&picture);
    p.setPen(Qt::gray);
    QColor colour = drawingColour(colourIndex);
    if (isTransparentColour(colourIndex))
        colour.setAlpha(128);
    p.setBrush(colour);
    p.drawRect(1, 1, kPictureSide - 3, kPictureSide - 3);
    return QIcon(picture);
}

QIcon thicknessPicture(int thicknessIndex) {
    QPixmap picture = emptyPicture();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const double d = 2.0 + 3.5 * (thicknessIndex - 1);
    p.drawEllipse(QPointF(kPictureSide / 2.0, kPictureSide / 2.0), d / 2 + 0.5, d / 2 + 0.5);
    return QIcon(picture);
}

QIcon penPicture(int pen) {
    QPixmap picture = emptyPicture();
    QPainter p(&picture);
    const Tool w = toolForPen(pen);
    if (w == Tool::Pen) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 2));
        QPainterPath path(QPointF(2, 14));
        path.cubicTo(6, 2, 10, 18, 16, 4);
        p.drawPath(path);
    } else {
        // The shape as the tool draws it, at four times the size and reduced,
        // so that an arrow's head keeps its proportion to the line.
        p.scale(0.25, 0.25);
        const bool line = w == Tool::Line || w == Tool::Arrow || w == Tool::DoubleArrow;
        if (line)
            drawShape(p, w, QPoint(12, 60), QPoint(60, 12), 6, Qt::black);
        else
            drawShape(p, w, QPoint(12, 16), QPoint(60, 56), 8, Qt::black);
    }
    return QIcon(picture);
}

QIcon stampPicture(const Stamp& stamp) {
    // Drawn large and reduced with smoothing, so that thin glyphs stay visible.
    QImage large(36, 36, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::white);
    {
        const Glyph glyph = stampGlyph(stamp);
        QPainter p(&large);
        QFont font(glyph.font);
        font.setPixelSize(40);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(large.rect(), Qt::AlignCenter, glyph.text);
    }
    return QIcon(QPixmap::fromImage(
        large.scaled(kPictureSide, kPictureSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

ToolBar::ToolBar(QWidget* parent) : QWidget(parent), m_layout(new QGridLayout(this)) {
    setObjectName(QStringLiteral("WerkzeugPan"));
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(1);
    for (int column = 0; column < kGridColumns; ++column)
        m_layout->setColumnStretch(column, 1);

    // Two buttons a row (three zoom levels, four scroll arrows), so that the
    // whole bar with the blackboard's part fits 768 lines without scrolling.
    m_perRow = 1;

    newButton(QStringLiteral("KlappPan"), QStringLiteral("«"),
              QStringLiteral("Werkzeugleiste zuklappen"), false);
    const struct {
        const char16_t* name;
        const char16_t* text;
        const char16_t* hint;
        Tool tool;
    } tools[] = {
        {u"ZeigerBtn", u"Zeiger", u"Zeiger zum Auf- und Abdecken von Abfragefeldern",
         Tool::Pointer},
        {u"HandBtn", u"Hand", u"Bildausschnitt verschieben", Tool::Hand},
        {u"StiftBtn", u"Stift", u"Zeichenstift", Tool::Pen},
        {u"MarkerBtn", u"Marker", u"Textmarker gelb", Tool::MarkerYellow},
        {u"MarkerGruenBtn", u"Marker", u"Textmarker grün", Tool::MarkerGreen},
        {u"RadierBtn", u"Radierer", u"Radierer", Tool::Eraser},
        {u"SymbolBtn", u"Stempel", u"Symbolstempel", Tool::Stamp},
        {u"KreuzBtn", u"Kreuz", u"rotes Kreuz", Tool::Cross},
        {u"TexteingabeBtn", u"Text", u"Text", Tool::Text},
    };
    m_perRow = 2;
    for (const auto& w : tools) {
        QToolButton* b = newButton(QString::fromUtf16(w.name), QString::fromUtf16(w.text),
                                   QString::fromUtf16(w.hint), false);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        const Tool tool = w.tool;
        connect(b, &QToolButton::clicked, this, [this, tool] { Q_EMIT toolChosen(tool); });
    }
    button(QStringLiteral("MarkerBtn"))->setStyleSheet(QStringLiteral("background:#ffff60"));
    button(QStringLiteral("MarkerGruenBtn"))->setStyleSheet(QStringLiteral("background:#60ff60"));

    newButton(QStringLiteral("StrichdickeBtn"), QStringLiteral("Größe"), QStringLiteral("Größe"),
              false);
    newButton(QStringLiteral("FarbeBtn"), QStringLiteral("Farbe"), QStringLiteral("Farbe"), false);
    newButton(QStringLiteral("RueckgaengigBtn"), QStringLiteral("Zurück"),
              QStringLiteral("Letzte Zeichenaktion rückgängig machen"), false);
    newButton(QStringLiteral("MarkEntfBtn"), QStringLiteral("Entf."),
              QStringLiteral("Alle Zeichnungen entfernen"), false);
    newButton(QStringLiteral("AbdeckerBtn"), QStringLiteral("Abdecker"),
              QStringLiteral("verschiebbares Abdeckblatt ein-/ausblenden"), false);

    newButton(QStringLiteral("AlleAbdeckenBtn"), QStringLiteral("Abdecken"),
              QStringLiteral("Alle Abfragefelder abdecken"), true);
    newButton(QStringLiteral("AlleAufdeckenBtn"), QStringLiteral("Lösung"),
              QStringLiteral("Lösung"), true);
    newButton(QStringLiteral("NummerModeSort"), QStringLiteral("1 2 3"),
              QStringLiteral("Abfragefelder geordnet nummerieren"), true);
    newButton(QStringLiteral("NummerModeZufall"), QStringLiteral("3 1 2"),
              QStringLiteral("Abfragefelder zufällig nummerieren"), true);
    newButton(QStringLiteral("NummerModeFragez"), QStringLiteral("?"), QStringLiteral("?"), true);

    // "&&" shows a single "&" (and makes no mnemonic).
    const char16_t* layers[] = {u" Basisbild ", u" Texte && Bilder ", u" Infopunkte ",
                                u" Layout  "};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(QString::fromUtf16(layers[i]), this);
        box->setObjectName(QStringLiteral("Ebene%1Check").arg(i));
        box->setChecked(true);
        m_perRow = 1;
        place(box);
        m_widthParts.push_back(box);
        m_layers[size_t(i)] = box;
    }
    m_perRow = 3;
    newButton(QStringLiteral("ZoomPan0"), QStringLiteral("100%"), QStringLiteral("100%"), true);
    newButton(QStringLiteral("ZoomPan2"), QStringLiteral("150%"), QStringLiteral("150%"), true);
    newButton(QStringLiteral("ZoomPan4"), QStringLiteral("200%"), QStringLiteral("200%"), true);
    const struct {
        const char16_t* name;
        const char16_t* text;
        const char16_t* hint;
    } scrollButtons[] = {
        {u"ScrollLinksBtn", u"\u25C0", u"Ausschnitt nach links verschieben"},
        {u"ScrollRechtsBtn", u"\u25B6", u"Ausschnitt nach rechts verschieben"},
        {u"ScrollHochBtn", u"\u25B2", u"Ausschnitt nach oben verschieben"},
        {u"ScrollRunterBtn", u"\u25BC", u"Ausschnitt nach unten verschieben"},
    };
    m_perRow = 4;
    for (const auto& k : scrollButtons)
        newButton(QString::fromUtf16(k.name), QString::fromUtf16(k.text),
                  QString::fromUtf16(k.hint), true);
    m_perRow = 2;
    newButton(QStringLiteral("DruckBtn"), QStringLiteral("Druck"),
              QStringLiteral("Ansicht drucken"), true);
    newButton(QStringLiteral("ExportBtn"), QStringLiteral("Export"),
              QStringLiteral("Ansicht in Bilddatei speichern"), true);
    newButton(QStringLiteral("ClipbordBtn"), QStringLiteral("Kopie"),
              QStringLiteral("Ansicht in Zwischenablage kopieren"), true);
    newButton(QStringLiteral("EMailBtn"), QStringLiteral("E-Mail"),
              QStringLiteral("Dokument per E-Mail versenden"), true);
    newButton(QStringLiteral("ABBtn"), QStringLiteral("Arbeitsblatt"),
              QStringLiteral("Arbeitsblatt erstellen"), true);
    m_layout->setRowStretch(m_row + 1, 1);
    buildMenus();
}

QToolButton* ToolBar::newButton(const QString& name, const QString& text, const QString& hint,
                                bool collapseButton) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    place(b);
    m_buttons.push_back(b);
    if (collapseButton)
        m_widthParts.push_back(b);
    return b;
}

void ToolBar::place(QWidget* part) {
    const int span = kGridColumns / m_perRow;
    if (m_column + span > kGridColumns || (m_column > 0 && span != m_span)) {
        ++m_row;
        m_column = 0;
    }
    m_span = span;
    m_layout->addWidget(part, m_row, m_column, 1, span);
    m_column += span;
}

void ToolBar::addSection(QWidget* section) {
    // A row of its own above the closing stretch.
    m_layout->setRowStretch(m_row + 1, 0);
    m_perRow = 1;
    m_column = kGridColumns;
    place(section);
    m_layout->setRowStretch(m_row + 1, 1);
    m_widthParts.push_back(section);
    section->setVisible(!m_folded);
}

QToolButton* ToolBar::button(const QString& name) const {
    for (QToolButton* b : m_buttons)
        if (b->objectName() == name)
            return b;
    return nullptr;
}

void ToolBar::buildMenus() {
    // A menu button opens its menu just below itself.
    const auto attach = [this](const QString& buttonName, QMenu* menu) {
        QToolButton* b = button(buttonName);
        connect(b, &QToolButton::clicked, menu,
                [b, menu] { menu->popup(b->mapToGlobal(QPoint(0, b->height()))); });
    };

    m_colourMenu = new QMenu(this);
    m_colourMenu->setObjectName(QStringLiteral("FarbeMenu"));
    m_colourMenu->setToolTipsVisible(true);
    auto* colours = new QActionGroup(m_colourMenu);
    for (int index : kColourMenuOrder) {
        if (index == 0) {
            m_colourMenu->addSeparator();
            continue;
        }
        QAction* a = m_colourMenu->addAction(colourPicture(index), QString());
        a->setObjectName(QStringLiteral("Farbe%1").arg(index));
        a->setToolTip(colourHint(index));
        a->setCheckable(true);
        colours->addAction(a);
        connect(a, &QAction::triggered, this, [this, index] { Q_EMIT colourChosen(index); });
    }
    attach(QStringLiteral("FarbeBtn"), m_colourMenu);

    m_thicknessMenu = new QMenu(this);
    m_thicknessMenu->setObjectName(QStringLiteral("StrichdickeMenu"));
    auto* thicknesses = new QActionGroup(m_thicknessMenu);
    for (int i = 1; i <= 4; ++i) {
        QAction* a = m_thicknessMenu->addAction(thicknessPicture(i), QString());
        a->setObjectName(QStringLiteral("Strichdicke%1").arg(i));
        a->setCheckable(true);
        thicknesses->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { Q_EMIT thicknessChosen(i); });
    }
    attach(QStringLiteral("StrichdickeBtn"), m_thicknessMenu);

    m_penMenu = new QMenu(this);
    m_penMenu->setObjectName(QStringLiteral("StiftMenu"));
    auto* pens = new QActionGroup(m_penMenu);
    for (int i = 1; i <= 10; ++i) {
        QAction* a = m_penMenu->addAction(penPicture(i), QString());
        a->setObjectName(QStringLiteral("Stift%1").arg(i));
        a->setCheckable(true);
        pens->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { Q_EMIT penChosen(i); });
    }
    attach(QStringLiteral("StiftBtn"), m_penMenu);

    m_symbolMenu = new QMenu(this);
    m_symbolMenu->setObjectName(QStringLiteral("SymbolMenu"));
    auto* stamp = new QActionGroup(m_symbolMenu);
    for (int i = 1; i <= kStampCount; ++i) {
        QAction* a = m_symbolMenu->addAction(QStringLiteral("Stempel %1").arg(i));
        a->setObjectName(QStringLiteral("Symbol%1").arg(i));
        a->setCheckable(true);
        stamp->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { Q_EMIT stampChosen(i); });
    }
    m_symbolMenu->addSeparator();
    QAction* configure = m_symbolMenu->addAction(QStringLiteral("Konfig."));
    configure->setObjectName(QStringLiteral("StempelKonfig1"));
    connect(configure, &QAction::triggered, this, &ToolBar::configureStamps);
    attach(QStringLiteral("SymbolBtn"), m_symbolMenu);
}

void ToolBar::showTool(Tool tool) {
    QString name;
    switch (tool) {
    case Tool::Pointer:
        name = QStringLiteral("ZeigerBtn");
        break;
    case Tool::Hand:
        name = QStringLiteral("HandBtn");
        break;
    case Tool::MarkerYellow:
        name = QStringLiteral("MarkerBtn");
        break;
    case Tool::MarkerGreen:
        name = QStringLiteral("MarkerGruenBtn");
        break;
    case Tool::Eraser:
        name = QStringLiteral("RadierBtn");
        break;
    case Tool::Stamp:
        name = QStringLiteral("SymbolBtn");
        break;
    case Tool::Cross:
        name = QStringLiteral("KreuzBtn");
        break;
    case Tool::Text:
        name = QStringLiteral("TexteingabeBtn");
        break;
    case Tool::Area:
        break;
    default:
        name = QStringLiteral("StiftBtn");
        break; // the pen and the shapes
    }
    if (QToolButton* b = button(name))
        b->setChecked(true);
}

void ToolBar::showSettings(const DrawingState& z) {
    button(QStringLiteral("FarbeBtn"))->setIcon(colourPicture(z.colourIndex));
    button(QStringLiteral("StrichdickeBtn"))->setIcon(thicknessPicture(z.thicknessIndex));
    button(QStringLiteral("StiftBtn"))->setIcon(penPicture(z.pen));
    button(QStringLiteral("SymbolBtn"))
        ->setIcon(stampPicture(z.stamps[size_t(std::clamp(z.stamp, 1, 10) - 1)]));
    const auto tick = [](QMenu* menu, const QString& name) {
        if (auto* a = menu->findChild<QAction*>(name))
            a->setChecked(true);
    };
    tick(m_colourMenu, QStringLiteral("Farbe%1").arg(z.colourIndex));
    tick(m_thicknessMenu, QStringLiteral("Strichdicke%1").arg(z.thicknessIndex));
    tick(m_penMenu, QStringLiteral("Stift%1").arg(z.pen));
    tick(m_symbolMenu, QStringLiteral("Symbol%1").arg(z.stamp));
}

void ToolBar::showStampPictures(const StampList& stamp) {
    for (int i = 1; i <= kStampCount; ++i)
        if (auto* a = m_symbolMenu->findChild<QAction*>(QStringLiteral("Symbol%1").arg(i)))
            a->setIcon(stampPicture(stamp[size_t(i - 1)]));
}

void ToolBar::setCollapsed(bool folded) {
    m_folded = folded;
    for (QWidget* w : m_widthParts)
        w->setVisible(!folded);
    for (QToolButton* b : m_buttons)
        b->setToolButtonStyle(folded ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    QToolButton* fold = button(QStringLiteral("KlappPan"));
    fold->setText(folded ? QStringLiteral("»") : QStringLiteral("«"));
    fold->setToolTip(folded ? QStringLiteral("Werkzeugleiste aufklappen")
                            : QStringLiteral("Werkzeugleiste zuklappen"));
    fold->setToolButtonStyle(Qt::ToolButtonTextOnly);
}

} // namespace quorvel
