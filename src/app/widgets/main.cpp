// SPDX-License-Identifier: GPL-3.0-or-later
// The program entry: checks that there is a display, creates the application,
// the main window with its dialogs and runs the message loop.

#include "artwork.h"
#include "displaycheck.h"
#include "mainwindow.h"
#include "startenvironment.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Whether Qt will need a window system that is not there. Only the desktop
// platforms need one; offscreen, vnc and the like do not.
bool windowSystemMissing(int argc, char** argv) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            platform = argv[i + 1];
    }
    const bool needsDisplay =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The German strings of Qt's own dialogs (file dialog, colour names, ...).
void installQtTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();

    if (windowSystemMissing(argc, argv)) {
        std::fputs("quorvel: Keine grafische Anzeige gefunden (DISPLAY ist nicht gesetzt). "
                   "Ohne Bildschirm so starten: xvfb-run -a quorvel [Dokument.qvl]\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(quorvel::programIcon(256))));
    installQtTranslation(app);

    quorvel::MainWindow window(quorvel::StartEnvironment::fromApplication());
    if (!quorvel::confirmGraphicsMode(quorvel::graphicsModeOf(window.screen()), window.dialogs()))
        return 0;

    // QUORVEL_QUIT_AFTER_FIRST_PAINT: measure the start-up (to the first paint
    // of the view, with the command line's document open) and end there. The
    // wall-clock time lets a script measure from the launch of the process.
    if (qEnvironmentVariableIsSet("QUORVEL_QUIT_AFTER_FIRST_PAINT")) {
        QObject::connect(&window, &quorvel::MainWindow::firstPainted, &app, [&sinceStart] {
            std::fprintf(stdout, "first paint after %lld ms (wall clock %lld ms)\n",
                         static_cast<long long>(sinceStart.elapsed()),
                         static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

    window.showAtStart();
    return QApplication::exec();
}
