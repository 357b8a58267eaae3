// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up measurement: a minimal Qt Widgets program that
// shows one empty window and, like the program with
// QUORVEL_QUIT_AFTER_FIRST_PAINT, reports and ends after its first paint.

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class EmptyWindow : public QWidget {
public:
    explicit EmptyWindow(const QElapsedTimer& sinceStart) : m_sinceStart(sinceStart) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        if (m_painted)
            return;
        m_painted = true;
        QTimer::singleShot(0, this, [this] {
            std::printf("first paint after %lld ms (wall clock %lld ms)\n",
                        static_cast<long long>(m_sinceStart.elapsed()),
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

private:
    const QElapsedTimer& m_sinceStart;
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    EmptyWindow window(sinceStart);
    window.showMaximized();
    return QApplication::exec();
}
