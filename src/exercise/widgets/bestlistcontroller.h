#pragma once

#include <QObject>

namespace quorvel {

class Shell;
class TBestListForm;

// The menu items of the best lists: "&Bestenliste Individual-Übung..." shows
// the list of the open document in the list window.
class BestListController : public QObject {
    Q_OBJECT
public:
    explicit BestListController(Shell& shell, QObject* parent = nullptr);

    void showIndividualList();
    TBestListForm* form() const { return m_form; }

private:
    Shell& m_shell;
    TBestListForm* m_form = nullptr;
};

} // namespace quorvel
