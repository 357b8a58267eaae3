// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardcontroller.h"

#include "areaselectiontool.h"
#include "boarddocument.h"
#include "document.h"
#include "documentio.h"
#include "learningviewcontroller.h"
#include "learningviewpanel.h"
#include "learningviewwidget.h"
#include "pagedrawings.h"
#include "picturefile.h"
#include "programfolders.h"
#include "settings.h"
#include "shell.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNewBoardTitle = u"Neuer Tafelanschrieb"_s;
constexpr QSize kThumbnail(160, 120);

// Menu icons at the size of the chronicle's thumbnails.
class ThumbnailMenuStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_SmallIconSize)
            return kThumbnail.width();
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

bool pointerOrHand(Tool tool) {
    return tool == Tool::Pointer || tool == Tool::Hand;
}

} // namespace

BoardController::BoardController(Shell& shell, LearningViewController& view)
    : QObject(shell.dialogParent()), m_shell(shell), m_view(view),
      m_countForm(new TBlattAnzahlForm(shell, shell.dialogParent())),
      m_tableForm(new TBlattTabelleForm(shell, shell.dialogParent())),
      m_area(new AreaSelectionTool(view)) {
    for (const SheetKind kind :
         {SheetKind::Ruled, SheetKind::Squared, SheetKind::Staves, SheetKind::Lineature1,
          SheetKind::Lineature2, SheetKind::Lineature3, SheetKind::Lineature4})
        m_counts[kind] = freeCountRange(kind).initial;
    m_chronicle.setFolder(shell.settings().ChronikOrdner);
    buildSection();
    view.panel().addToolBarSection(m_section);

    // Anything that changes the board clears the stored-since-change flag.
    connect(&view.view(), &LearningViewWidget::rebuilt, this, [this] { m_stored = false; });
    connect(&view, &LearningViewController::drawingsChanged, this, &BoardController::boardChanged);
    view.view().installEventFilter(this);
    shell.commands().onTriggered(u"TafelanschriebalsQVLspeichern1"_s, this,
                                 [this] { saveBoardAsDocument(); });
    shell.addParticipant(*this);
    showButtonStates();
}

BoardController::~BoardController() = default;

void BoardController::buildSection() {
    m_section = new QWidget;
    m_section->setObjectName(u"TafelPan"_s);
    // Two buttons a row, so that the tool bar fits a projector's 768 lines.
    auto* grid = new QGridLayout(m_section);
    grid->setContentsMargins(0, 6, 0, 0);
    grid->setSpacing(1);
    auto* heading = new QLabel(u"Tafelanschrieb"_s, m_section);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(u"font-weight:bold"_s);
    grid->addWidget(heading, 0, 0, 1, 2);
    const struct {
        const char16_t* name;
        const char16_t* text;
        const char16_t* hint;
    } buttons[] = {
        {u"BlattBtn", u"Neues Blatt", u"Neues Blatt"},
        {u"BildOeffnenBtn", u"Bilddatei", u"Bilddatei öffnen"},
        {u"AusClipboardBtn", u"Einfügen", u"Bild aus Zwischenablage einfügen"},
        {u"BereichBtn", u"Bereich",
         u"Bereich auswählen für Drucken, Speichern, kopieren\r\n"
         u"in Zwischenablage und einfügen aus Zwischenablage"},
        {u"ZuChronikBtn", u"Ablegen", u"In Chronik ablegen"},
        {u"VonChronikBtn", u"Abrufen", u"Aus Chronik abrufen"},
        {u"TastaturBtn", u"Tastatur", u"Bildschirmtastatur"},
        {u"BlattVerlassenPan", u"Tafelanschrieb verlassen", u"Zeichenblatt verlassen"},
    };
    int at = 0;
    for (const auto& b : buttons) {
        auto* button = new QToolButton(m_section);
        button->setObjectName(QString::fromUtf16(b.name));
        button->setText(QString::fromUtf16(b.text));
        button->setToolTip(QString::fromUtf16(b.hint).replace(u"\r\n"_s, u"\n"_s));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // The keyboard and leaving take a whole row each.
        const bool wide = at >= 6;
        grid->addWidget(button, wide ? at - 2 : 1 + at / 2, wide ? 0 : at % 2, 1, wide ? 2 : 1);
        ++at;
    }

    buildSheetMenu();
    m_chronicleMenu = new QMenu(m_section);
    m_chronicleMenu->setObjectName(u"ChronikMenu"_s);
    auto* style = new ThumbnailMenuStyle;
    style->setParent(m_chronicleMenu);
    m_chronicleMenu->setStyle(style);
    m_current = m_chronicleMenu->addAction(u"Aktueller Bildschirm"_s);
    m_current->setObjectName(u"ChronikAktuell"_s);
    m_current->setData(-1);
    m_current->setVisible(false);

    // A menu button opens its menu just below itself.
    // A menu without a visible item would open invisibly and still take the
    // next click.
    const auto popup = [](QToolButton* b, QMenu* menu) {
        connect(b, &QToolButton::clicked, menu, [b, menu] {
            const QList<QAction*> items = menu->actions();
            if (std::none_of(items.begin(), items.end(),
                             [](const QAction* item) { return item->isVisible(); }))
                return;
            menu->popup(b->mapToGlobal(QPoint(0, b->height())));
        });
    };
    popup(button(u"BlattBtn"_s), m_sheetMenu);
    popup(button(u"VonChronikBtn"_s), m_chronicleMenu);
    connect(button(u"BildOeffnenBtn"_s), &QToolButton::clicked, this,
            &BoardController::openPicture);
    connect(button(u"AusClipboardBtn"_s), &QToolButton::clicked, this,
            &BoardController::pasteClipboard);
    connect(button(u"BereichBtn"_s), &QToolButton::clicked, m_area,
            &AreaSelectionTool::pressButton);
    connect(button(u"ZuChronikBtn"_s), &QToolButton::clicked, this,
            &BoardController::storeSnapshot);
    connect(button(u"BlattVerlassenPan"_s), &QToolButton::clicked, this,
            &BoardController::leaveBoard);
    // TastaturBtn is a link field: the link-field controller takes its clicks.
}

void BoardController::buildSheetMenu() {
    m_sheetMenu = new QMenu(m_section);
    m_sheetMenu->setObjectName(u"BlattMenu"_s);
    for (const SheetSubmenu& submenu : quorvel::sheetMenu()) {
        QMenu* sub = m_sheetMenu->addMenu(submenu.caption);
        for (const SheetMenuItem& item : submenu.items) {
            QAction* action = sub->addAction(item.caption);
            action->setObjectName(item.name);
            connect(action, &QAction::triggered, this, [this, item] { chooseSheet(item); });
        }
    }
}

QToolButton* BoardController::button(const QString& name) const {
    return m_section->findChild<QToolButton*>(name);
}

int BoardController::freeCount(SheetKind kind) const {
    const auto found = m_counts.find(kind);
    return found == m_counts.end() ? 1 : found->second;
}

void BoardController::chooseSheet(const SheetMenuItem& item) {
    if (!item.free) {
        newSheet(fixedSheet(item));
        return;
    }
    SheetSpec spec;
    spec.kind = item.kind;
    if (item.kind == SheetKind::Blank) {
        const QColor colour = m_shell.dialogs().chooseColour(QColor(Qt::white));
        if (!colour.isValid())
            return;
        spec.background = colour.rgb();
    } else if (item.kind == SheetKind::Table) {
        if (m_tableForm->exec() != QDialog::Accepted)
            return;
        spec = m_tableForm->sheet();
    } else {
        m_countForm->setWindowTitle(freeSheetCaption(item.kind));
        m_countForm->setCount(freeCount(item.kind));
        if (m_countForm->exec() != QDialog::Accepted)
            return;
        m_counts[item.kind] = clampCount(item.kind, m_countForm->count());
        spec.count = m_counts[item.kind];
        spec.line = m_countForm->lineColour().rgb();
        spec.background = m_countForm->backgroundColour().rgb();
    }
    newSheet(spec);
}

bool BoardController::newSheet(const SheetSpec& spec) {
    offerToStoreBoard();
    if (!m_shell.session().askBeforeLeaving())
        return false;
    const QImage sheet = makeSheet(m_view.view().composer().viewArea(), spec);
    if (sheet.isNull())
        return false;
    return showAsNewSheet(sheet, kNewBoardTitle);
}

bool BoardController::showAsNewSheet(const QImage& picture, const QString& titel) {
    const Tool before = m_view.tool();
    const Document& leaving = m_shell.session().document();
    if (m_shell.session().isOpen() && !leaving.file.isEmpty()) {
        m_returnFile = leaving.file;
        m_returnQuestion = m_view.state().currentQuestion;
    }
    m_area->clear();
    m_shell.session().showNewDocument(picture, titel);
    m_drawn = false;
    // Opening a document takes the pointer; a board keeps drawing.
    m_view.setTool(pointerOrHand(before) ? Tool::Pen : before);
    return true;
}

bool BoardController::hasUnstoredDrawings() const {
    DocumentSession& session = m_shell.session();
    return m_drawn && !m_stored && session.isOpen() && session.document().file.isEmpty();
}

void BoardController::offerToStoreBoard() {
    if (hasUnstoredDrawings() &&
        m_shell.dialogs().ask(MessageKind::Confirmation, msgStoreInChronicle(),
                              MessageButtons::YesNo) == Answer::Yes)
        storeSnapshot();
}

void BoardController::boardChanged() {
    m_stored = false;
    m_drawn = true;
}

void BoardController::showButtonStates() {
    // The start picture is no board; an empty chronicle has nothing to offer.
    button(u"ZuChronikBtn"_s)->setEnabled(m_shell.session().isOpen());
    button(u"VonChronikBtn"_s)->setEnabled(m_chronicle.count() > 0);
}

void BoardController::openPicture() {
    offerToStoreBoard();
    if (!m_shell.session().askBeforeLeaving())
        return;
    const QString path = m_shell.dialogs().chooseOpenFile(
        {u"Bilddatei öffnen"_s, boardPictureFilter(), u"png"_s, m_shell.state().currentFolder});
    if (path.isEmpty())
        return;
    if (!hasBoardPictureExtension(path)) {
        m_shell.dialogs().error(msgInvalidPictureExtension());
        return;
    }
    QImage picture;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult loaded = loadPictureFile(path, picture);
    QApplication::restoreOverrideCursor();
    if (!loaded.ok) {
        for (const QString& message : loaded.messages)
            m_shell.dialogs().error(message);
        return;
    }
    showAsNewSheet(picture, kNewBoardTitle);
}

void BoardController::pasteClipboard() {
    const QImage pasted = QApplication::clipboard()->image();
    if (pasted.isNull()) {
        m_shell.dialogs().information(msgNoClipboardBitmap());
        return;
    }
    const AreaSelection& selection = m_area->selection();
    if (selection.valid()) {
        // Into the drawing layer, so that undo takes it back like a drawing.
        const QRect target = fitIntoSelection(pasted.size(), selection.rect());
        m_view.drawingTools().rememberState();
        {
            QPainter painter(&m_view.view().composer().viewForDrawing());
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, pasted);
        }
        boardChanged();
        m_view.view().viewChanged();
        return;
    }
    if (m_shell.dialogs().ask(MessageKind::Confirmation, msgReplaceWholeBoard(),
                              MessageButtons::YesNo) != Answer::Yes)
        return;
    offerToStoreBoard();
    if (!m_shell.session().askBeforeLeaving())
        return;
    showAsNewSheet(pasted, kNewBoardTitle);
}

QImage BoardController::shownPicture() const {
    return m_view.view().composer().view().copy();
}

void BoardController::setTitle(const QString& titel) {
    m_shell.session().document().header.titel = titel;
    m_shell.titleStrip().setDocumentTitle(titel);
}

void BoardController::storeSnapshot() {
    if (!m_shell.session().isOpen())
        return;
    // The folder as the settings name it now, not as they did at start.
    m_chronicle.setFolder(m_shell.settings().ChronikOrdner);
    const IoResult stored = m_chronicle.store(shownPicture(), QDateTime::currentDateTime());
    if (!stored.ok) {
        for (const QString& message : stored.messages)
            m_shell.dialogs().error(message);
        return;
    }
    const ChronicleShot& shot = m_chronicle.shots().back();
    const QImage thumbnail = m_view.view().composer().view().scaled(
        kThumbnail, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto* item = new QAction(QIcon(QPixmap::fromImage(thumbnail)), shot.caption, m_chronicleMenu);
    item->setData(shot.number - 1);
    // The newest first, directly below the hidden "Aktueller Bildschirm".
    const QList<QAction*> items = m_chronicleMenu->actions();
    m_chronicleMenu->insertAction(items.size() > 1 ? items[1] : nullptr, item);
    const int index = shot.number - 1;
    connect(item, &QAction::triggered, this, [this, index] { restoreSnapshot(index); });
    setTitle(u"Tafelanschrieb "_s + shot.caption);
    m_stored = true;
    showButtonStates();
}

void BoardController::restoreSnapshot(int index) {
    if (index < 0 || index >= m_chronicle.count())
        return;
    offerToStoreBoard();
    if (!m_shell.session().askBeforeLeaving())
        return;
    const ChronicleShot& shot = m_chronicle.shots()[size_t(index)];
    QImage picture;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult loaded = loadPictureFile(shot.path, picture);
    QApplication::restoreOverrideCursor();
    if (!loaded.ok) {
        for (const QString& message : loaded.messages)
            m_shell.dialogs().error(message);
        return;
    }
    showAsNewSheet(picture, u"Tafelanschrieb "_s + shot.caption);
}

QString BoardController::shutdownQuestion() const {
    if (m_chronicle.count() <= 0)
        return {};
    return msgChronicleShots(m_chronicle.count(), m_chronicle.folder());
}

void BoardController::shutdownQuestionConfirmed() {
    // A menu left open with only its hidden item would take clicks unseen.
    m_chronicleMenu->hide();
    m_chronicle.deleteAll();
    for (QAction* item : m_chronicleMenu->actions()) {
        if (item != m_current)
            delete item;
    }
    showButtonStates();
}

void BoardController::leaveBoard() {
    if (m_shell.session().isOpen() && !m_stored &&
        m_shell.dialogs().ask(MessageKind::Confirmation, msgStoreInChronicle(),
                              MessageButtons::YesNo) == Answer::Yes)
        storeSnapshot();
    if (!m_shell.session().closeDocument())
        return;
    m_shell.commands().trigger(u"ZuvorangezeigtesDokument1"_s);
    if (m_shell.session().isOpen() && m_shell.session().document().file == m_returnFile)
        m_view.showQuestion(m_returnQuestion);
}

void BoardController::saveBoardAsDocument() {
    Document& document = m_shell.session().document();
    const QString folder = document.file.isEmpty()
                               ? m_shell.state().topicFolder
                               : withTrailingSlash(QFileInfo(document.file).absolutePath());
    const QString path = m_shell.dialogs().chooseSaveFile(
        {u"Dokument speichern unter"_s, boardDocumentFilter(), u"qvl"_s, folder, QString()});
    if (path.isEmpty())
        return;
    if (!isBoardDocumentName(path)) {
        m_shell.dialogs().error(msgQuoteInFileName());
        return;
    }
    // The covered query fields show in the saved picture. Redrawing them
    // recomposes the view picture, which carries the drawings: they are kept
    // aside and painted back.
    ViewComposer& composer = m_view.view().composer();
    PageDrawings drawings;
    drawings.takeOver(composer.view(), composer.visibleSection(), composer.sectionPixels(),
                      composer.page().size());
    std::vector<size_t> covered;
    for (size_t i = 0; i < document.objects.size(); ++i) {
        if (document.objects[i].AbfrageStatus == AbfrageStatus::Covered) {
            covered.push_back(i);
            document.objects[i].AbfrageStatus = AbfrageStatus::Uncovered;
        }
    }
    if (!covered.empty()) {
        m_view.view().redrawObjects();
        drawings.paintInto(composer.viewForDrawing(), composer.sectionPixels());
    }
    const IoResult written = writeBoardDocument(document, shownPicture(), path);
    for (const size_t i : covered)
        document.objects[i].AbfrageStatus = AbfrageStatus::Covered;
    if (!written.ok) {
        if (!covered.empty()) {
            m_view.view().redrawObjects();
            drawings.paintInto(composer.viewForDrawing(), composer.sectionPixels());
        }
        for (const QString& message : written.messages)
            m_shell.dialogs().error(message);
        return;
    }
    // Read back as the current document: the caption names the new file and
    // the topic folder is listed anew, without a message.
    m_shell.session().readAsCurrent(path);
}

void BoardController::documentOpened() {
    m_stored = false;
    m_drawn = false;
    showButtonStates();
}

void BoardController::documentClosed() {
    showButtonStates();
}

void BoardController::shellActivated() {
    m_chronicle.setFolder(m_shell.settings().ChronikOrdner);
}

bool BoardController::eventFilter(QObject* /*watched*/, QEvent* event) {
    // A drawing action starts with a press in the view.
    if (event->type() == QEvent::MouseButtonPress && isDrawingTool(m_view.tool()))
        boardChanged();
    return false;
}

} // namespace quorvel
