#pragma once

#include <QImage>
#include <QObject>

namespace quorvel {

class LearningViewWidget;
class Shell;

// Exporting the view as a picture file and copying it to the clipboard. The
// view picture is what the learning view shows: the visible section of the
// page with the drawings on it.
class ViewExportController : public QObject {
    Q_OBJECT
public:
    ViewExportController(LearningViewWidget& view, Shell& shell, QObject* parent);

    QImage viewPicture() const;

    // Saves the view picture under `path`: refused with the extension error for
    // any extension but ".bmp", ".png" and ".jpg"; false when nothing was written.
    bool exportTo(const QString& path);

public Q_SLOTS:
    // "&Exportieren...": the save dialog, then exportTo.
    void exportView();
    // "In &Zwischenablage kopieren": the view picture onto the clipboard.
    void copyView();

private:
    LearningViewWidget& m_view;
    Shell& m_shell;
};

} // namespace quorvel
