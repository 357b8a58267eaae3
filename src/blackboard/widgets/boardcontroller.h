// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "blattanzahlform.h"
#include "blatttabelleform.h"
#include "chronicle.h"
#include "sheetmenu.h"
#include "shellparticipant.h"

#include <QObject>
#include <map>

class QMenu;
class QToolButton;

namespace quorvel {

class AreaSelectionTool;
class LearningViewController;
class Shell;

// The blackboard: its section of the tool bar with the sheet menu
// `BlattMenu` and the chronicle menu `ChronikMenu`, new sheets, pictures from
// files and the clipboard, the chronicle, leaving the board and saving it as
// a document. It draws with the learning view's tools and shows its sheets
// as new documents of the shell. Registers itself with the shell.
class BoardController : public QObject, public ShellParticipant {
    Q_OBJECT
public:
    // `view` must outlive the controller; the shell's window is its parent.
    BoardController(Shell& shell, LearningViewController& view);
    ~BoardController() override;

    QWidget* section() const { return m_section; }
    QToolButton* button(const QString& name) const;
    QMenu* sheetMenu() const { return m_sheetMenu; }
    QMenu* chronicleMenu() const { return m_chronicleMenu; }
    TBlattAnzahlForm* countForm() const { return m_countForm; }
    AreaSelectionTool& areaSelection() const { return *m_area; }
    const Chronicle& chronicle() const { return m_chronicle; }

    // A sheet of the menu: fixed ones at once, free ones after their dialog.
    void chooseSheet(const SheetMenuItem& item);
    // A new sheet at the size of the picture area; false when the question
    // before leaving the document was cancelled.
    bool newSheet(const SheetSpec& spec);
    // The remembered count of a free sheet kind.
    int freeCount(SheetKind kind) const;
    void openPicture();
    void pasteClipboard();
    void storeSnapshot();
    void restoreSnapshot(int index);
    void leaveBoard();
    void saveBoardAsDocument();
    // Whether the board was put into the chronicle since its last change.
    bool storedSinceChange() const { return m_stored; }
    // Whether a sheet without a file shows drawings that are in no snapshot:
    // replacing it would lose them.
    bool hasUnstoredDrawings() const;

    void documentOpened() override;
    void documentClosed() override;
    // The chronicle's snapshots of this run: "Ja" deletes them (which
    // empties the chronicle menu).
    QString shutdownQuestion() const override;
    void shutdownQuestionConfirmed() override;
    void shellActivated() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSection();
    void buildSheetMenu();
    bool showAsNewSheet(const QImage& picture, const QString& titel);
    // Offers to put a board with unstored drawings into the chronicle before
    // it is replaced, as leaving the board does.
    void offerToStoreBoard();
    void boardChanged();
    void showButtonStates();
    void setTitle(const QString& titel);
    QImage shownPicture() const;

    Shell& m_shell;
    LearningViewController& m_view;
    QWidget* m_section = nullptr;
    QMenu* m_sheetMenu = nullptr;
    QMenu* m_chronicleMenu = nullptr;
    QAction* m_current = nullptr; // "Aktueller Bildschirm", hidden
    TBlattAnzahlForm* m_countForm;
    TBlattTabelleForm* m_tableForm;
    AreaSelectionTool* m_area;
    Chronicle m_chronicle;
    std::map<SheetKind, int> m_counts;
    bool m_stored = false;
    bool m_drawn = false; // drawn on since the sheet was shown
    // The document shown before the board and its question, restored on leaving.
    QString m_returnFile;
    int m_returnQuestion = 0;
};

} // namespace quorvel
