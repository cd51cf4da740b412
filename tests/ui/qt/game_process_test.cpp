// The game as a process: started without a display it says so in one line and fails, instead of
// the toolkit's long report about its plugins; told to stop by SIGINT or SIGTERM it ends in order,
// through the same shut-down as closing its window.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <string>

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

}  // namespace
