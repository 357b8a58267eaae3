// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewexportcontroller.h"

#include "filedialogfilter.h"
#include "learningviewwidget.h"
#include "picturefile.h"
#include "shell.h"
#include "viewexportformat.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QThread>

namespace quorvel {

namespace {

// After copying, the program keeps processing events this long so that the
// clipboard owner is answering before the user pastes elsewhere.
constexpr int kCopyWaitMs = 100;

} // namespace

ViewExportController::ViewExportController(LearningViewWidget& view, Shell& shell, QObject* parent)
    : QObject(parent), m_view(view), m_shell(shell) {}

QImage ViewExportController::viewPicture() const {
    const QImage& view = m_view.composer().view();
    const QRect part = m_selection ? m_selection().intersected(view.rect()) : QRect();
    return part.isEmpty() ? view : view.copy(part);
}

bool ViewExportController::exportTo(const QString& path) {
    if (!isExportExtension(path)) {
        m_shell.dialogs().error(exportExtensionError());
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult saved = savePictureFile(viewPicture(), path);
    QApplication::restoreOverrideCursor();
    for (const QString& message : saved.messages)
        m_shell.dialogs().error(message);
    return saved.ok;
}

void ViewExportController::exportView() {
    const QString path = m_shell.dialogs().chooseSaveFile(
        {exportDialogTitle(), exportFilter(), QString::fromUtf16(kExportExtension), QString()});
    if (!path.isEmpty())
        exportTo(path);
}

void ViewExportController::copyView() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::clipboard()->setImage(viewPicture());
    const QDeadlineTimer wait(kCopyWaitMs);
    while (!wait.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, int(wait.remainingTime()));
        QThread::msleep(5);
    }
    QApplication::restoreOverrideCursor();
}

} // namespace quorvel
