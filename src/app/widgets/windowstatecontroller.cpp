// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowstatecontroller.h"

#include <QMainWindow>
#include <QScreen>

namespace quorvel {

WindowStateController::WindowStateController(QMainWindow& window, std::function<void()> relayout)
    : QObject(&window), m_window(window), m_relayout(std::move(relayout)) {}

void WindowStateController::maximiseInFront(bool frameless) {
    const bool wasVisible = m_window.isVisible();
    if (m_window.windowFlags().testFlag(Qt::FramelessWindowHint) != frameless)
        m_window.setWindowFlag(Qt::FramelessWindowHint, frameless); // hides the window
    // Without a window manager "maximised" is only a wish; the geometry makes
    // it true there as well.
    if (QScreen* screen = m_window.screen())
        m_window.setGeometry(frameless ? screen->geometry() : screen->availableGeometry());
    if (wasVisible || !m_window.isVisible())
        m_window.showMaximized();
    m_window.raise();
    m_window.activateWindow();
    if (m_relayout)
        m_relayout();
}

void WindowStateController::toggleFullScreen() {
    maximiseInFront(true);
}

void WindowStateController::toggleWindowFrame() {
    maximiseInFront(false);
}

void WindowStateController::minimise() {
    m_window.showMinimized();
}

void WindowStateController::fixedSize() {
    m_window.showNormal();
    const QSize frame = m_window.frameGeometry().size() - m_window.geometry().size();
    m_window.resize(QSize(1076, 780) - frame);
    m_window.move(0, 0);
}

} // namespace quorvel
