// SPDX-License-Identifier: GPL-3.0-or-later
#include "learningviewcontroller.h"

#include "coverpane.h"
#include "document.h"
#include "infobox.h"
#include "learningviewpanel.h"
#include "learningviewwidget.h"
#include "linkopener.h"
#include "numbering.h"
#include "pointaction.h"
#include "programcursors.h"
#include "settings.h"
#include "shell.h"
#include "startenvironment.h"
#include "stempelform.h"
#include "toolbar.h"
#include "toolbarbinding.h"
#include "viewgeometry.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>

namespace quorvel {

namespace {

MouseButton buttonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    case Qt::RightButton:
        return MouseButton::Right;
    default:
        return MouseButton::Other;
    }
}

StampList stampsOf(const Settings& settings) {
    return stampsFromSettings(settings.SymbolstempelZeichen, settings.SymbolstempelFontname);
}

} // namespace

LearningViewController::LearningViewController(Shell& shell, LearningViewPanel& panel,
                                               const ProgramCursors& cursors)
    : QObject(shell.dialogParent()), m_shell(shell), m_cursors(cursors), m_panel(panel),
      m_drawing(panel.view().composer()), m_tools(m_drawing.state()),
      m_infoBox(new InfoBox(shell, shell.dialogParent())),
      m_stampForm(new TStempelForm(shell.dialogParent())),
      m_textField(new QLineEdit(&panel.view())), m_coverPane(new CoverPane(&panel.view())),
      m_linkOpener(std::make_unique<LinkOpener>()) {
    setObjectName(QStringLiteral("LernansichtController"));
    LearningViewWidget& shown = view();

    m_textField->setObjectName(QStringLiteral("TexteingabeEdit"));
    m_textField->hide();
    m_textField->installEventFilter(this);
    connect(m_textField, &QLineEdit::textChanged, this, &LearningViewController::fitTextField);

    shown.installEventFilter(this);
    shown.setMouseTracking(true);
    shown.setFocusPolicy(Qt::StrongFocus);
    // Every composition (also after a resize) starts without drawings and
    // brings the section and the zoom back into the state.
    connect(&shown, &LearningViewWidget::rebuilt, this, [this] {
        m_pageDrawings.clear();
        mirrorComposition();
    });

    m_tools.setStamps(stampsOf(m_shell.settings()));
    m_binding = new ToolBarBinding(m_shell.commands(), m_panel, *this);
    m_shell.addParticipant(*this);
    setTool(Tool::Pointer);
}

LearningViewController::~LearningViewController() = default;

LearningViewWidget& LearningViewController::view() const {
    return m_panel.view();
}

ToolBar& LearningViewController::toolBar() const {
    return m_panel.toolBar();
}

Document& LearningViewController::document() const {
    return m_shell.session().document();
}

void LearningViewController::setLinkOpener(std::unique_ptr<LinkOpener> opener) {
    m_linkOpener = std::move(opener);
}

void LearningViewController::shellActivated() {
    // The settings are loaded now: the stamps and the side of the tool bar.
    m_tools.setStamps(stampsOf(m_shell.settings()));
    Q_EMIT stampsChanged();
    m_panel.setSide(m_shell.settings().WerkzeugPos);
    setTool(Tool::Pointer);
}

void LearningViewController::documentOpened() {
    // Loading covers every object and numbers the fields in the current mode.
    setTool(Tool::Pointer);
    m_state.currentQuestion = 0;
    coverAndNumber(document(), m_state.numberingMode, m_shell.random());
    rebuild();
    view().setStartPanelVisible(false);
}

void LearningViewController::documentClosed() {
    m_state.currentQuestion = 0;
    view().composer().clearCaches();
    rebuild();
    view().setStartPanelVisible(true);
}

void LearningViewController::saveSettings(Settings& settings) {
    stampsToSettings(m_tools.drawing().stamps, settings.SymbolstempelZeichen,
                     settings.SymbolstempelFontname);
}

void LearningViewController::applyToolChange(const ToolMachine::Change& change) {
    if (change.current != Tool::Text)
        m_textField->hide();
    showCursor();
    Q_EMIT toolChanged(change.current);
}

void LearningViewController::showCursor() {
    view().setCursor(m_cursors.forTool(m_tools.cursor()));
}

void LearningViewController::setTool(Tool tool) {
    applyToolChange(m_tools.select(tool));
}

void LearningViewController::chooseToolButton(Tool buttonTool) {
    applyToolChange(m_tools.selectButton(buttonTool));
}

void LearningViewController::setColour(int colourIndex) {
    const ToolMachine::Change change = m_tools.setColour(colourIndex);
    Q_EMIT drawingChanged();
    applyToolChange(change);
}

void LearningViewController::setThickness(int thicknessIndex) {
    const ToolMachine::Change change = m_tools.setThickness(thicknessIndex);
    Q_EMIT drawingChanged();
    applyToolChange(change);
}

void LearningViewController::choosePen(int preset) {
    const ToolMachine::Change change = m_tools.choosePen(preset);
    Q_EMIT drawingChanged();
    applyToolChange(change);
}

void LearningViewController::setStamp(int number) {
    const ToolMachine::Change change = m_tools.setStamp(number);
    Q_EMIT drawingChanged();
    applyToolChange(change);
}

void LearningViewController::configureStamps() {
    m_stampForm->setStamps(m_tools.drawing().stamps);
    if (m_stampForm->exec() != QDialog::Accepted)
        return;
    m_tools.setStamps(m_stampForm->stamps());
    saveSettings(m_shell.settings());
    Q_EMIT stampsChanged();
    setStamp(m_tools.drawing().stamp);
}

void LearningViewController::rebuild() {
    m_textField->hide();
    ViewState& composed = view().composer().state();
    composed.zoomLevel = m_state.zoomLevel;
    composed.currentQuestion = m_state.currentQuestion;
    view().rebuild();
}

void LearningViewController::mirrorComposition() {
    const ViewComposer& composer = view().composer();
    m_state.visibleArea = composer.visibleArea();
    m_state.zoomLevel = composer.state().zoomLevel;
    m_state.zoomFactor = zoomFactor(composer.state().zoomLevel);
    // The question layouts correct the current question as they compose.
    m_state.currentQuestion = composer.state().currentQuestion;
}

void LearningViewController::keepDrawings() {
    const ViewComposer& composer = view().composer();
    m_pageDrawings.takeOver(composer.view(), composer.visibleSection(), composer.sectionPixels(),
                            composer.page().size());
}

void LearningViewController::moveSection(double dx, double dy) {
    ViewComposer& composer = view().composer();
    composer.moveSection(dx, dy);
    m_pageDrawings.paintInto(composer.viewForDrawing(), composer.sectionPixels());
    // The snapshot shows the old section: undoing into it would jump back.
    m_drawing.forget();
    m_state.visibleArea = composer.visibleArea();
    view().viewChanged();
}

void LearningViewController::showPart(const QRect& viewRect) {
    if (!viewRect.isEmpty())
        view().update(viewRect.translated(view().pictureRect().topLeft()));
}

QPoint LearningViewController::toView(QPoint widgetPoint) const {
    return widgetPoint - view().pictureRect().topLeft();
}

void LearningViewController::coverAll() {
    quorvel::coverAll(document());
    rebuild();
}

void LearningViewController::uncoverAll() {
    quorvel::uncoverAll(document());
    rebuild();
}

void LearningViewController::number(int numberingMode) {
    m_state.numberingMode = numberingMode;
    numberQueryFields(document(), numberingMode, m_shell.random());
    Q_EMIT numberingChanged(numberingMode);
    rebuild();
}

void LearningViewController::setLayer(int index, bool shown) {
    if (index < 0 || index >= kLayerCount)
        return;
    view().composer().state().layers[size_t(index)] = shown;
    Q_EMIT layerChanged(index, shown);
    rebuild();
}

void LearningViewController::setZoomLevel(int level) {
    level = std::clamp(level, 0, kMaxZoomLevel);
    Q_EMIT zoomLevelChanged(level);
    if (level == m_state.zoomLevel)
        return;
    m_state.zoomLevel = level;
    m_state.zoomFactor = zoomFactor(level);
    if (m_shell.modus() == Modus::LearningView)
        rebuild();
}

void LearningViewController::zoomIn() {
    setZoomLevel(zoomLevelUp(m_state.zoomLevel));
}

void LearningViewController::zoomOut() {
    setZoomLevel(zoomLevelDown(m_state.zoomLevel));
}

void LearningViewController::scroll(ScrollDirection direction) {
    const QPointF step = scrollStep(view().composer().visibleArea(), direction);
    keepDrawings();
    moveSection(step.x(), step.y());
}

void LearningViewController::changeQuestion(Typ button) {
    const Document& shown = document();
    if (!hasSingleQuestions(shown))
        return;
    const int question = newQuestion(button, m_state.currentQuestion, shown.header.AnzFrageNummern,
                                     m_shell.random());
    m_state.currentQuestion = question;
    view().composer().state().currentQuestion = question;
    view().redrawObjects();
}

void LearningViewController::showQuestion(int question) {
    const Document& shown = document();
    if (!hasSingleQuestions(shown))
        return;
    m_state.currentQuestion = std::clamp(question, 1, shown.header.AnzFrageNummern);
    view().composer().state().currentQuestion = m_state.currentQuestion;
    view().redrawObjects();
}

void LearningViewController::undo() {
    if (!m_drawing.canUndo())
        return;
    if (m_drawing.snapshotZoom() != m_state.zoomLevel) {
        m_state.zoomLevel = m_drawing.snapshotZoom();
        Q_EMIT zoomLevelChanged(m_state.zoomLevel);
        rebuild();
    }
    showPart(m_drawing.undo());
    Q_EMIT drawingsChanged();
}

void LearningViewController::removeAllDrawings() {
    m_textField->hide();
    m_pageDrawings.clear();
    showPart(m_drawing.removeAll());
    Q_EMIT drawingsChanged();
}

void LearningViewController::toggleCoverPane() {
    if (m_coverPane->isVisible() && !m_coverPane->moved())
        m_coverPane->hide();
    else
        showCoverPane(true);
}

void LearningViewController::showCoverPane(bool shown) {
    if (shown)
        m_coverPane->showOver(view().pictureRect());
    else
        m_coverPane->hide();
}

bool LearningViewController::passwordAccepted(const QString& expected) {
    if (expected.isEmpty())
        return true;
    const PasswordCheck check =
        checkPassword(expected, m_shell.dialogs().askPassword(passwordDialogTitle()));
    if (check == PasswordCheck::Wrong)
        m_shell.dialogs().error(wrongPasswordMessage());
    return check == PasswordCheck::Accepted;
}

void LearningViewController::openPoint(int index) {
    const Document& shown = document();
    if (index < 0 || size_t(index) >= shown.objects.size())
        return;
    LinkFolders folders;
    if (!shown.file.isEmpty())
        folders.document = QFileInfo(shown.file).absolutePath();
    folders.topic = m_shell.state().topicFolder;
    folders.basis = m_shell.environment().baseFolder;
    const PointAction action = pointAction(shown.objects[size_t(index)], folders);

    DocumentSession& session = m_shell.session();
    switch (action.kind) {
    case PointAction::Kind::Nothing:
        break;
    case PointAction::Kind::ShowInfo:
        if (passwordAccepted(action.password))
            m_infoBox->showText(action.text, shown.header.Schriftart, m_shell.dialogParent());
        break;
    case PointAction::Kind::OpenExternal:
        if (passwordAccepted(action.password) && !m_linkOpener->open(action.url))
            m_shell.dialogs().error(linkCannotOpenMessage(action.target));
        break;
    case PointAction::Kind::OpenDocument:
        // The questions a close would ask, but no close: the document shown
        // now stays the one shown before the linked one.
        if (session.askBeforeLeaving())
            session.readAsCurrent(action.target);
        break;
    case PointAction::Kind::ChangeFolder:
        if (!session.askBeforeLeaving())
            return;
        m_shell.setTopicFolder(action.target);
        m_shell.setCurrentFolder(action.target);
        // Closing lists the documents of the new folder.
        session.showEmptyState();
        break;
    case PointAction::Kind::FileMissing:
        m_shell.dialogs().error(action.message);
        break;
    }
}

void LearningViewController::click(QPoint widgetPoint) {
    LearningViewWidget& shown = view();
    if (!shown.pictureRect().contains(widgetPoint))
        return;
    const ViewState& composed = shown.composer().state();
    const ClickResult result = clickAt(document(), composed.layers, composed.currentQuestion,
                                       shown.widgetToPage(widgetPoint));
    switch (result.effect) {
    case ClickEffect::Toggle:
        shown.redrawObject(result.index);
        break;
    case ClickEffect::OpenPoint:
        openPoint(result.index);
        break;
    case ClickEffect::ChangeQuestion:
        changeQuestion(typOf(document().objects[size_t(result.index)]));
        break;
    case ClickEffect::Nothing:
        break;
    }
}

bool LearningViewController::mousePressed(QMouseEvent* event) {
    LearningViewWidget& shown = view();
    const PressAction action =
        m_tools.press(buttonOf(event->button()), shown.startPanel()->isVisible());
    const QPoint at = event->position().toPoint();
    const QPoint inView = toView(at);
    if (takesSnapshot(action))
        m_drawing.rememberState();
    switch (action) {
    case PressAction::None:
        return false;
    case PressAction::HideStartPanel:
        shown.setStartPanelVisible(false);
        return true;
    case PressAction::Click:
        click(at);
        return true;
    case PressAction::MoveSection:
        m_last = at;
        keepDrawings();
        showCursor();
        return true;
    case PressAction::PenStroke:
        showPart(m_drawing.penStroke(inView, inView));
        break;
    case PressAction::MarkerStroke:
        showPart(m_drawing.markerStroke(inView, inView, tool() == Tool::MarkerYellow));
        break;
    case PressAction::Erase:
        showPart(m_drawing.erase(inView));
        break;
    case PressAction::Stamp:
        showPart(m_drawing.stamp(inView));
        break;
    case PressAction::Cross:
        showPart(m_drawing.cross(inView));
        break;
    case PressAction::PlaceText:
        placeText(inView);
        break;
    case PressAction::StartShape:
        break;
    }
    m_last = inView;
    m_start = inView;
    return true;
}

void LearningViewController::mouseMoved(QMouseEvent* event) {
    LearningViewWidget& shown = view();
    const QPoint at = event->position().toPoint();
    const QPoint inView = toView(at);
    switch (m_tools.move()) {
    case MoveAction::None:
        return;
    case MoveAction::Hover: {
        if (shown.startPanel()->isVisible())
            return;
        const ViewState& composed = shown.composer().state();
        const bool overObject = shown.pictureRect().contains(at) &&
                                hitObject(document(), composed.layers, composed.currentQuestion,
                                          shown.widgetToPage(at)) >= 0;
        shown.setCursor(m_cursors.forTool(m_tools.hoverCursor(overObject)));
        return;
    }
    case MoveAction::MoveSection: {
        const QSize page = shown.composer().page().size();
        if (page.width() > 0 && page.height() > 0)
            moveSection(double(m_last.x() - at.x()) / page.width(),
                        double(m_last.y() - at.y()) / page.height());
        m_last = at;
        return;
    }
    case MoveAction::PenStroke:
        showPart(m_drawing.penStroke(m_last, inView));
        break;
    case MoveAction::MarkerStroke:
        showPart(m_drawing.markerStroke(m_last, inView, tool() == Tool::MarkerYellow));
        break;
    case MoveAction::Erase:
        showPart(m_drawing.erase(inView));
        break;
    case MoveAction::ShapePreview:
        showPart(m_drawing.preview(tool(), m_start, inView));
        break;
    }
    m_last = inView;
}

void LearningViewController::mouseReleased(QMouseEvent* event) {
    switch (m_tools.release()) {
    case ReleaseAction::None:
        break;
    case ReleaseAction::EndSectionMove:
        showCursor(); // back to the tool's cursor
        break;
    case ReleaseAction::FinishShape:
        showPart(m_drawing.removePreview());
        showPart(m_drawing.form(tool(), m_start, toView(event->position().toPoint())));
        break;
    }
}

void LearningViewController::placeText(QPoint viewPoint) {
    QFont font(document().header.Schriftart);
    font.setPixelSize(12 + 8 * m_tools.drawing().thicknessIndex);
    m_textField->setFont(font);
    m_textClick = viewPoint;
    m_textField->clear();
    fitTextField();
    m_textField->show();
    m_textField->setFocus();
}

void LearningViewController::fitTextField() {
    const QRect picture = view().pictureRect();
    const QRect field = textFieldRect(
        m_textClick, m_textField->fontMetrics().horizontalAdvance(m_textField->text()),
        m_textField->sizeHint().height(), m_tools.drawing().thicknessIndex, picture.size());
    m_textField->setGeometry(field.translated(picture.topLeft()));
    m_textPoint = field.topLeft();
}

void LearningViewController::commitText() {
    const QString text = m_textField->text();
    m_textField->hide();
    if (!text.isEmpty())
        showPart(m_drawing.text(m_textPoint + QPoint(2, 1), text, m_textField->font()));
}

bool LearningViewController::textFieldKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        commitText();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        m_textField->hide();
        return true;
    }
    return false;
}

bool LearningViewController::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_textField)
        return type == QEvent::KeyPress && textFieldKey(static_cast<QKeyEvent*>(event));
    // The view also reports while the window is being torn down: look at
    // nothing of the window before knowing that this is input.
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                       type == QEvent::MouseButtonRelease;
    if (!mouse || watched != &view() || m_shell.modus() != Modus::LearningView)
        return false;
    auto* mouseEvent = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        return mousePressed(mouseEvent);
    case QEvent::MouseMove:
        mouseMoved(mouseEvent);
        return false;
    default:
        mouseReleased(mouseEvent);
        return false;
    }
}

} // namespace quorvel
