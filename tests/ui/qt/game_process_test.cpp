// The game as a process: started without a display it says so in one line and fails, instead of
// the toolkit's long report about its plugins; told to stop by SIGINT or SIGTERM it ends in order,
// through the same shut-down as closing its window. On the terminal it answers --help and
// --version without a display, and refuses options it does not know before it starts anything.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <signal.h>
#endif

namespace {

QProcessEnvironment withoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

// Runs the game where it can open no window and checks it says `expected` in one line on its
// error output, nothing on its standard output, and fails with exit code 1.
void expectOneLineAndFailure(const QProcessEnvironment& env, const QString& expected) {
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(ZENTRIX_EXECUTABLE), {});
    ASSERT_TRUE(game.waitForFinished(20000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(game.readAllStandardError()), expected);
    EXPECT_TRUE(game.readAllStandardOutput().isEmpty());
}

TEST(GameProcess, WithoutADisplayItSaysSoInOneLineAndFails) {
    expectOneLineAndFailure(withoutDisplay(),
                            "zentrix: no display found (set DISPLAY or WAYLAND_DISPLAY)\n");
}

#ifndef _WIN32
// A DISPLAY that names no running server gets one line too, not the toolkit's report.
TEST(GameProcess, WithADeadDisplayItSaysSoInOneLineAndFails) {
    QProcessEnvironment env = withoutDisplay();
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4999"));
    expectOneLineAndFailure(env, "zentrix: cannot reach the display :4999\n");
}

class GameProcessSignal : public ::testing::TestWithParam<int> {};

TEST_P(GameProcessSignal, EndsTheGameInOrder) {
    QProcessEnvironment env = withoutDisplay();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(ZENTRIX_EXECUTABLE), {});
    ASSERT_TRUE(game.waitForStarted(20000));
    // Still running a moment later: the window is up and waiting for the player.
    EXPECT_FALSE(game.waitForFinished(1500));
    ASSERT_EQ(::kill(static_cast<pid_t>(game.processId()), GetParam()), 0);
    ASSERT_TRUE(game.waitForFinished(20000));
    // Ended by its own shut-down, not killed by the signal.
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, GameProcessSignal, ::testing::Values(SIGINT, SIGTERM),
                         [](const ::testing::TestParamInfo<int>& signal) {
                             return std::string(signal.param == SIGINT ? "SIGINT" : "SIGTERM");
                         });
#endif

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

Finished runToTheEnd(const QStringList& arguments, const QProcessEnvironment& env) {
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(ZENTRIX_EXECUTABLE), arguments);
    Finished finished;
    if (!game.waitForFinished(20000)) {
        game.kill();
        game.waitForFinished();
        ADD_FAILURE() << "still running: " << arguments.join(' ').toStdString();
        return finished;
    }
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    finished.exitCode = game.exitCode();
    finished.out = QString::fromLocal8Bit(game.readAllStandardOutput());
    finished.err = QString::fromLocal8Bit(game.readAllStandardError());
    return finished;
}

// Asked for its usage or version, with no display at all, the game answers on standard output
// and succeeds; the version is the project's. The toolkit's own options may stand beside them.
TEST(GameCommandLine, AnswersHelpAndVersionWithoutADisplay) {
    const std::vector<std::pair<QStringList, bool>> asked = {
        // the arguments, and a version?
        {{QStringLiteral("--help")}, false},
        {{QStringLiteral("-h")}, false},
        {{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help")}, false},
        {{QStringLiteral("--version")}, true},
        {{QStringLiteral("-v")}, true},
        {{QStringLiteral("-style=fusion"), QStringLiteral("-reverse"), QStringLiteral("-version")},
         true},
    };
    for (const auto& [arguments, version] : asked) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Finished answer = runToTheEnd(arguments, withoutDisplay());
        EXPECT_EQ(answer.exitCode, 0);
        EXPECT_TRUE(answer.err.isEmpty()) << answer.err.toStdString();
        if (version) {
            EXPECT_EQ(answer.out, QStringLiteral("zentrix " ZENTRIX_VERSION "\n"));
            continue;
        }
        EXPECT_TRUE(answer.out.startsWith(QStringLiteral("Usage: zentrix [options]\n")))
            << answer.out.toStdString();
        EXPECT_TRUE(answer.out.contains(QStringLiteral("--version")));
        EXPECT_FALSE(answer.out.contains(QStringLiteral("-platformtheme")))
            << "the toolkit's options are let through, not listed";
    }
}

#ifndef _WIN32
// A stand-in X server: a socket where an X display would listen, numbered after this process so
// that test runs side by side do not meet, which counts the programs that connect and hangs up
// on them.
class FakeXServer {
public:
    FakeXServer() {
        QDir().mkpath(QStringLiteral("/tmp/.X11-unix"));
        QLocalServer::removeServer(path());
        listening_ = server_.listen(path());
    }
    ~FakeXServer() { server_.close(); }
    FakeXServer(const FakeXServer&) = delete;
    FakeXServer& operator=(const FakeXServer&) = delete;

    static QString name() { return QStringLiteral(":") + QString::number(number()); }
    static QString path() { return QStringLiteral("/tmp/.X11-unix/X") + QString::number(number()); }
    bool listening() const { return listening_; }
    int connections() const { return connections_; }

    // Runs `game` to its end, taking its connections as they come; a game that connects is
    // stopped there, as nothing more can be learnt from it.
    void serve(QProcess& game) {
        const QDeadlineTimer deadline(20000);
        while (!game.waitForFinished(10) && !deadline.hasExpired()) {
            accept();
            if (connections_ > 0) {
                game.kill();
            }
        }
        game.waitForFinished();
        accept();
    }

private:
    static qint64 number() { return 5000 + QCoreApplication::applicationPid() % 1000; }

    void accept() {
        while (server_.waitForNewConnection(0) || server_.hasPendingConnections()) {
            QLocalSocket* client = server_.nextPendingConnection();
            if (client == nullptr) {
                break;
            }
            ++connections_;
            client->abort();
            delete client;
        }
    }

    QLocalServer server_;
    bool listening_ = false;
    int connections_ = 0;
};

QProcessEnvironment withDisplay(const QString& display) {
    QProcessEnvironment env = withoutDisplay();
    env.insert(QStringLiteral("DISPLAY"), display);
    return env;
}

// Bad input: an option the game does not know, a stray argument or a missing value gets the
// usage and exit code 2 on the error output, with nothing started and the display untouched.
// The same display is reached as soon as a command line asks to play: the toolkit's -display
// names it here, with DISPLAY unset.
TEST(GameCommandLine, RefusesWhatItDoesNotKnowWithoutTouchingTheDisplay) {
    const std::vector<std::pair<QStringList, QString>> refused = {
        {{QStringLiteral("--fullscreen")}, QStringLiteral("zentrix: Unknown option 'fullscreen'.")},
        {{QStringLiteral("-x")}, QStringLiteral("zentrix: Unknown option 'x'.")},
        {{QStringLiteral("game.sav")}, QStringLiteral("zentrix: Unexpected argument 'game.sav'.")},
        {{QStringLiteral("--help"), QStringLiteral("--nonsense")},
         QStringLiteral("zentrix: Unknown option 'nonsense'.")},
        {{QStringLiteral("-style=fusion"), QStringLiteral("-platform")},
         QStringLiteral("zentrix: Missing value after '-platform'.")},
    };
    for (const auto& [arguments, error] : refused) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        FakeXServer server;
        ASSERT_TRUE(server.listening());
        QProcess game;
        game.setProcessEnvironment(withDisplay(FakeXServer::name()));
        game.start(QStringLiteral(ZENTRIX_EXECUTABLE), arguments);
        server.serve(game);
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(game.exitCode(), 2);
        EXPECT_EQ(server.connections(), 0) << "the display was touched";
        const QString err = QString::fromLocal8Bit(game.readAllStandardError());
        EXPECT_TRUE(err.startsWith(error + QStringLiteral("\n\nUsage: zentrix [options]\n")))
            << err.toStdString();
        EXPECT_TRUE(game.readAllStandardOutput().isEmpty());
    }

    FakeXServer server;
    ASSERT_TRUE(server.listening());
    QProcess game;
    game.setProcessEnvironment(withoutDisplay());
    game.start(QStringLiteral(ZENTRIX_EXECUTABLE),
               {QStringLiteral("-display"), FakeXServer::name()});
    server.serve(game);
    EXPECT_GT(server.connections(), 0) << "-display was not followed";
}
#endif

}  // namespace
