// drossel: the desktop program.
//
//   drossel [LEVEL.dat]     opens LEVEL.dat at start, as if chosen in the open dialog

#include "ui/Icons.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Drossel"));
    // Settings live in ~/.config/Drossel/Drossel.conf.
    QApplication::setOrganizationName(QStringLiteral("Drossel"));
    QApplication::setApplicationVersion(QStringLiteral(DROSSEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("drossel"));
    QApplication::setWindowIcon(QIcon(drossel::ui::AboutArtwork(64)));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Unpacks and converts the resources of Oni level files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("level"), QStringLiteral("A level file (.dat) to open at start."),
                                 QStringLiteral("[LEVEL.dat]"));
    parser.process(app);
    const QStringList levels = parser.positionalArguments();
    if (levels.size() > 1) parser.showHelp(2);

    drossel::ui::MainWindow window;
    window.show();
    if (!levels.isEmpty()) window.OpenLevelFile(levels.front());
    return app.exec();
}
