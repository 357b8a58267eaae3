// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QMainWindow;

namespace quorvel {

// The window states of the "An&zeige" menu and the fixed size of Shift+Alt+G.
class WindowStateController : public QObject {
    Q_OBJECT
public:
    // `relayout` re-runs the layout of the current mode (may be empty).
    WindowStateController(QMainWindow& window, std::function<void()> relayout);

    // "&Vollbild": no border, maximised, in front.
    void toggleFullScreen();
    // "&Fenster": a sizeable border, maximised, in front.
    void toggleWindowFrame();
    // "&Minimieren".
    void minimise();
    // Shift+Alt+G: position (0, 0), 1076 x 780 pixels including the frame.
    void fixedSize();

private:
    void maximiseInFront(bool frameless);

    QMainWindow& m_window;
    std::function<void()> m_relayout;
};

} // namespace quorvel
