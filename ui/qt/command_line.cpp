#include "ui/qt/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace zentrix::ui {

namespace {

// The toolkit's documented options, accepted so that `zentrix -platform xcb` or
// `zentrix -display :1` keep working; the application object reads and applies them. The game
// itself looks only at -platform and -display, to know which display it is about to open.
constexpr const char* kToolkitOptionsWithValue =
    "platformpluginpath platformtheme plugin qwindowgeometry qwindowicon qwindowtitle session "
    "geometry style stylesheet qmljsdebugger fontengine dialogs title icon name visual";
constexpr const char* kToolkitFlags = "reverse widgetcount nograb dograb sync";

QCommandLineOption toolkitOption(const QString& name, bool takesValue) {
    QCommandLineOption option(name);
    if (takesValue) {
        option.setValueName(QStringLiteral("value"));
    }
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption platform = toolkitOption(QStringLiteral("platform"), true);
    QCommandLineOption display = toolkitOption(QStringLiteral("display"), true);
};

// Qt's options are single-dash words (-platform), so single-dash words are read as long options;
// -h and -v still work as the short forms.
void describe(QCommandLineParser& parser, const Options& options) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Zentrix: clear the heap in sets of eleven.\n"
                       "A puzzle game played with the mouse: click free balls that add up to\n"
                       "exactly 11 to remove them for points, in rounds of 90 seconds.\n"
                       "Qt's own options, such as -platform and -display, are also accepted."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addOption(options.platform);
    parser.addOption(options.display);
    for (const QString& name : QString::fromLatin1(kToolkitOptionsWithValue).split(u' ')) {
        parser.addOption(toolkitOption(name, true));
    }
    for (const QString& name : QString::fromLatin1(kToolkitFlags).split(u' ')) {
        parser.addOption(toolkitOption(name, false));
    }
}

}  // namespace

CommandLineRequest readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);

    CommandLineRequest request;
    if (!parser.parse(arguments)) {
        request.action = CommandLineRequest::Action::Refuse;
        request.error = parser.errorText();
        return request;
    }
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        request.action = CommandLineRequest::Action::Refuse;
        request.error = QStringLiteral("Unexpected argument '%1'.").arg(extra.constFirst());
        return request;
    }
    if (parser.isSet(options.help)) {
        request.action = CommandLineRequest::Action::ShowHelp;
    } else if (parser.isSet(options.version)) {
        request.action = CommandLineRequest::Action::ShowVersion;
    }
    request.platform = parser.value(options.platform);
    request.display = parser.value(options.display);
    return request;
}

QString usageText(const QString& programName) {
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    // The parser names the program only when an application object exists; the game prints
    // its usage before it makes one.
    QString text = parser.helpText();
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString name = QFileInfo(programName).fileName();
    return QStringLiteral("Usage: %1 [options]")
               .arg(name.isEmpty() ? QStringLiteral("zentrix") : name) +
           text.mid(end);
}

QString versionText() {
    return QStringLiteral("zentrix " ZENTRIX_VERSION "\n");
}

}  // namespace zentrix::ui
