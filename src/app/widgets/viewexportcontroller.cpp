#include "viewexportcontroller.h"

#include "viewexportformat.h"
#include "filedialogfilter.h"
#include "filedialogs.h"
#include "learningviewwidget.h"
#include "picturefile.h"
#include "userprompter.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QThread>

namespace quorvel {

namespace {

// After copying, the program keeps processing events this long so that the
// clipboard owner is answering before the user pastes elsewhere.
constexpr int kKopierWarteMs = 100;

} // namespace

ViewExportController::ViewExportController(LearningViewWidget& view,
                                           std::function<UserPrompter&()> prompter,
                                           QWidget* dialogParent)
    : QObject(dialogParent), m_view(view), m_prompter(std::move(prompter)),
      m_dialogParent(dialogParent) {}

QImage ViewExportController::viewPicture() const {
    return m_view.composer().ansicht();
}

bool ViewExportController::exportTo(const QString& path) {
    if (!isExportExtension(path)) {
        m_prompter().error(exportExtensionError());
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult saved = savePictureFile(viewPicture(), path);
    QApplication::restoreOverrideCursor();
    for (const QString& message : saved.messages)
        m_prompter().error(message);
    return saved.ok;
}

QString ViewExportController::askFileName() {
    if (m_chooseFile)
        return m_chooseFile();
    QFileDialog dialog(m_dialogParent, exportDialogTitle());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    setProgramNameFilters(dialog, exportFilter());
    dialog.setDefaultSuffix(QString::fromUtf16(kExportExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void ViewExportController::exportView() {
    const QString path = askFileName();
    if (!path.isEmpty())
        exportTo(path);
}

void ViewExportController::copyView() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::clipboard()->setImage(viewPicture());
    const QDeadlineTimer wait(kKopierWarteMs);
    while (!wait.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, int(wait.remainingTime()));
        QThread::msleep(5);
    }
    QApplication::restoreOverrideCursor();
}

} // namespace quorvel
