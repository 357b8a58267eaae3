// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentcontroller.h"

#include "artwork.h"
#include "documentio.h"
#include "filedialogfilter.h"
#include "programfolders.h"
#include "settings.h"
#include "shell.h"

#include <QApplication>
#include <QFileInfo>

namespace quorvel {

namespace {

const QImage& startPicture() {
    // The base picture of the empty state; the view draws it itself at the
    // size it shows it.
    static const QImage picture = drawStartPicture();
    return picture;
}

PageRatioPreset pageRatio(const Settings& settings) {
    return {settings.SeitRatioArt, settings.SeitRatioBreite, settings.SeitRatioHoehe};
}

} // namespace

QString windowCaption(const QString& documentPath) {
    if (documentPath.isEmpty())
        return QStringLiteral("Quorvel");
    return QStringLiteral("Quorvel - ") + QFileInfo(documentPath).fileName();
}

FileChoice documentOpenChoice(const QString& folder) {
    return {QStringLiteral("Dokument öffnen"), openDocumentFilter(),
            QString::fromUtf16(kDocumentExtension), folder};
}

DocumentController::DocumentController(Shell& shell, MainWindowState& state,
                                       const Participants& participants,
                                       const DocumentLayouts& layouts, QObject* parent)
    : QObject(parent), m_shell(shell), m_state(state), m_participants(participants),
      m_layouts(layouts) {}

bool DocumentController::readAsCurrent(const QString& path) {
    return read(path, 0);
}

bool DocumentController::readPackagePart(const QString& package, qint64 offset) {
    return read(package, offset);
}

bool DocumentController::read(const QString& path, qint64 offset) {
    const bool existed = QFileInfo::exists(path);
    ReadOptions options{m_layouts};
    options.ratio = pageRatio(m_shell.settings());
    options.startOffset = offset;
    // The wait cursor while the file is read, as long reads show it.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult result = readDocumentFile(m_document, path, options);
    QApplication::restoreOverrideCursor();

    if (result.ok) {
        m_open = true;
        if (offset == 0)
            m_state.topicFolder = withTrailingSlash(QFileInfo(path).absolutePath());
        Q_EMIT opened();
        return true;
    }
    for (const QString& message : result.messages)
        m_shell.dialogs().error(message);
    if (existed)
        showEmptyState();
    return false;
}

void DocumentController::openDocument() {
    const QString chosen =
        m_shell.dialogs().chooseOpenFile(documentOpenChoice(m_state.currentFolder));
    if (chosen.isEmpty())
        return;
    m_state.currentFolder = withTrailingSlash(QFileInfo(chosen).absolutePath());
    readAsCurrent(chosen);
}

bool DocumentController::askBeforeLeaving() {
    return askAbortRun(m_state.modus, m_participants, m_shell.dialogs()) &&
           askSaveChanges(m_document, m_participants, m_shell.dialogs());
}

bool DocumentController::closeDocument() {
    if (!askBeforeLeaving())
        return false;
    showEmptyState();
    return true;
}

void DocumentController::applyStartPageRatio() {
    // The page of the empty state follows the page-ratio settings; it is no
    // change the user could save.
    const PageRatioPreset ratio = pageRatio(m_shell.settings());
    m_document.geometry.ratioArt = ratio.art;
    m_document.geometry.ratioBreite = ratio.width;
    m_document.geometry.ratioHoehe = ratio.height;
    m_document.applyPageGeometry(false, m_layouts);
    m_document.modified = false;
}

void DocumentController::showEmptyState() {
    m_document.clearObjects();
    m_document.reset(pageRatio(m_shell.settings()));
    m_document.basePicture = startPicture();
    applyStartPageRatio();
    m_open = false;
    Q_EMIT closed();
}

void DocumentController::showNewDocument(const QImage& basePicture, const QString& titel) {
    m_document.clearObjects();
    m_document.reset(pageRatio(m_shell.settings()));
    m_document.basePicture = basePicture.convertToFormat(QImage::Format_ARGB32);
    m_document.derivePageGeometry();
    m_document.header.titel = titel;
    m_document.modified = false;
    m_open = true;
    Q_EMIT opened();
}

} // namespace quorvel
