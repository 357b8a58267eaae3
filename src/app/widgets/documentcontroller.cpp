#include "documentcontroller.h"

#include "artwork.h"
#include "documentio.h"
#include "filedialogfilter.h"
#include "filedialogs.h"
#include "learningviewwidget.h"
#include "numbering.h"
#include "programfolders.h"
#include "shellcontext.h"
#include "viewgeometry.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace quorvel {

namespace {

const QImage& startPicture()
{
    // The base picture of the empty state; the view draws it itself at the
    // size it shows it.
    static const QImage picture = drawStartPicture();
    return picture;
}

} // namespace

QString windowCaption(const QString& documentPath)
{
    if (documentPath.isEmpty())
        return QStringLiteral("Quorvel");
    return QStringLiteral("Quorvel - ") + QFileInfo(documentPath).fileName();
}

DocumentController::DocumentController(ShellContext& context, LearningViewWidget& view,
                                       QWidget* dialogParent)
    : QObject(dialogParent)
    , m_context(context)
    , m_view(view)
    , m_dialogParent(dialogParent)
{
    // Resizes compose the view too: the section is mirrored after each one.
    connect(&m_view, &LearningViewWidget::rebuilt, this, &DocumentController::mirrorViewState);
}

void DocumentController::rebuildView()
{
    ViewState& ansicht = m_view.composer().state();
    ansicht.zoomLevel = m_context.state.zoomLevel;
    ansicht.currentQuestion = m_context.state.currentQuestion;
    m_view.rebuild();
}

void DocumentController::mirrorViewState()
{
    const ViewComposer& composer = m_view.composer();
    m_context.state.visibleArea = composer.visibleArea();
    m_context.state.zoomLevel = composer.state().zoomLevel;
    m_context.state.zoomFactor = zoomFactor(composer.state().zoomLevel);
}

QFileDialog* DocumentController::openDialog()
{
    if (m_openDialog)
        return m_openDialog;
    m_openDialog = new QFileDialog(m_dialogParent, QStringLiteral("Dokument öffnen"));
    m_openDialog->setObjectName(QStringLiteral("OpenDialog1"));
    m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    setProgramNameFilters(*m_openDialog, openDocumentFilter());
    m_openDialog->setDefaultSuffix(QString::fromUtf16(kDocumentExtension));
    m_openDialog->resize(860, 560);
    return m_openDialog;
}

bool DocumentController::readAsCurrent(const QString& path)
{
    const bool existed = QFileInfo::exists(path);
    ReadOptions options{m_context.layouts};
    options.ratio = m_context.pageRatio();
    // The wait cursor while the file is read, as long reads show it.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult result = readDocumentFile(m_context.document, path, options);
    QApplication::restoreOverrideCursor();

    m_context.state.werkzeug = WerkzeugZeiger;
    if (result.ok) {
        m_context.documentOpen = true;
        m_context.state.currentQuestion = 0;
        m_context.state.topicFolder = withTrailingSlash(QFileInfo(path).absolutePath());
        coverAndNumber(m_context.document, m_context.state.numberingMode,
                               m_context.random);
        rebuildView();
        m_view.setStartPanelVisible(false);
        Q_EMIT documentChanged();
        return true;
    }
    for (const QString& message : result.messages)
        m_context.prompt().error(message);
    if (existed)
        showEmptyState();
    return false;
}

void DocumentController::openDocument()
{
    QFileDialog* dialog = openDialog();
    dialog->setDirectory(m_context.state.currentFolder);
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return;
    m_context.state.currentFolder = withTrailingSlash(QFileInfo(chosen.first()).absolutePath());
    readAsCurrent(chosen.first());
}

bool DocumentController::closeDocument()
{
    if (!askAbortRun(m_context.state.Modus, m_context.shutdownHooks, m_context.prompt()))
        return false;
    if (!askSaveChanges(m_context.document, m_context.shutdownHooks, m_context.prompt()))
        return false;
    showEmptyState();
    return true;
}

void DocumentController::applyStartPageRatio()
{
    // The page of the empty state follows the page-ratio settings; it is no
    // change the user could save.
    Document& document = m_context.document;
    const PageRatioPreset ratio = m_context.pageRatio();
    document.geometry.ratioArt = ratio.art;
    document.geometry.ratioBreite = ratio.breite;
    document.geometry.ratioHoehe = ratio.hoehe;
    document.applyPageGeometry(false, m_context.layouts);
    document.modified = false;
}

void DocumentController::showEmptyState()
{
    Document& document = m_context.document;
    document.clearObjects();
    document.reset(m_context.pageRatio());
    document.basisbild = startPicture();
    applyStartPageRatio();
    m_context.documentOpen = false;
    m_context.state.currentQuestion = 0;
    m_view.composer().clearCaches();
    rebuildView();
    m_view.setStartPanelVisible(true);
    Q_EMIT documentChanged();
}

} // namespace quorvel
