#pragma once

#include <QImage>
#include <QObject>
#include <functional>

class QWidget;

namespace quorvel {

class LearningViewWidget;
class UserPrompter;

// Exporting the view as a picture file and copying it to the clipboard. The
// view picture is what the learning view shows: the visible section of the
// page with the drawings on it.
class ViewExportController : public QObject {
    Q_OBJECT
public:
    ViewExportController(LearningViewWidget& view, std::function<UserPrompter&()> prompter,
                         QWidget* dialogParent);

    QImage viewPicture() const;

    // Saves the view picture under `path`: refused with the extension error for
    // any extension but ".bmp", ".png" and ".jpg"; false when nothing was written.
    bool exportTo(const QString& path);

    // Chooses the file name; tests replace the save dialog (empty: cancelled).
    void setFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }

public Q_SLOTS:
    // "&Exportieren...": the save dialog, then exportTo.
    void exportView();
    // "In &Zwischenablage kopieren": the view picture onto the clipboard.
    void copyView();

private:
    QString askFileName();

    LearningViewWidget& m_view;
    std::function<UserPrompter&()> m_prompter;
    QWidget* m_dialogParent;
    std::function<QString()> m_chooseFile;
};

} // namespace quorvel
