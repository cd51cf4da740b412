// What the player asked for on the command line. The game has no options of its own to play
// with; it answers --help and --version on the terminal, and lets the toolkit's own options
// (-platform, -display, -style ...) through to the application object, which reads them itself.
// Reading the command line needs no display and no application object.
#pragma once

#include <QString>
#include <QStringList>

namespace zentrix::ui {

struct CommandLineRequest {
    enum class Action {
        Play,         // open the window
        ShowHelp,     // print the usage on standard output, exit 0
        ShowVersion,  // print the version on standard output, exit 0
        Refuse,       // print `error` and the usage on the error output, exit 2
    };
    Action action = Action::Play;
    QString error;     // what was wrong, for Refuse
    QString platform;  // the toolkit's -platform, if given
    QString display;   // the toolkit's -display (an X server), if given
};

// Exit code for a command line the game does not understand.
inline constexpr int kUsageExitCode = 2;

// Reads `arguments` as the process received them, program name first.
CommandLineRequest readCommandLine(const QStringList& arguments);

// The usage: what the game is, its options, and a word on the toolkit's.
QString usageText(const QString& programName);

// One line: the program's name and version.
QString versionText();

}  // namespace zentrix::ui
