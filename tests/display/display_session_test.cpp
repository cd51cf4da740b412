#include "display/display_session.h"

#include <gtest/gtest.h>

#include "display/current_mode_driver.h"
#include "display/scripted_display_driver.h"
#include "recording_messages.h"

namespace zentrix::display {
namespace {

using testing::RecordingMessages;

constexpr DisplayMode kDesktop{1280, 1024, 32, 75};

std::vector<DisplayMode> modesWithGameMode() {
    return {{1024, 768, 32, 60}, {1280, 1024, 16, 60}, {1024, 768, 16, 60},
            {1024, 768, 16, 75}, {1280, 1024, 32, 60}, kDesktop};
}

// A whole run: start-up switches to 1024 x 768 x 16, shut-down puts back exactly the start-up
// mode (its depth and refresh rate included, not the former size at the current depth), once.
TEST(DisplaySession, RestoresExactlyTheStartUpModeOnce) {
    ScriptedDisplayDriver driver(modesWithGameMode(), kDesktop);
    RecordingMessages messages;
    DisplaySession session(driver, messages);

    session.start();
    EXPECT_EQ(session.savedScreenWidth(), 1280);
    EXPECT_EQ(session.savedScreenHeight(), 1024);
    EXPECT_EQ(session.startMode(), kDesktop);
    EXPECT_EQ(session.switchResult(), kChangeSuccessful);
    EXPECT_EQ(driver.currentMode(), (DisplayMode{1024, 768, 16, 60}));
    EXPECT_EQ(GetColorDepth(driver), 16);

    EXPECT_EQ(session.restore(), kChangeSuccessful);
    EXPECT_EQ(driver.currentMode(), kDesktop);
    EXPECT_EQ(GetColorDepth(driver), 32);

    // Every later way out finds nothing to do.
    EXPECT_FALSE(session.restore().has_value());
    EXPECT_FALSE(session.restore().has_value());
    EXPECT_EQ(driver.changes(), (std::vector<DisplayMode>{{1024, 768, 16, 60}, kDesktop}));
    EXPECT_TRUE(messages.seen.empty());
}

// The session's destructor restores when nothing else did, and does nothing after an explicit
// restore.
TEST(DisplaySession, DestructorRestoresOnlyWhenNotAlreadyDone) {
    ScriptedDisplayDriver driver(modesWithGameMode(), kDesktop);
    RecordingMessages messages;
    {
        DisplaySession session(driver, messages);
        session.start();
        EXPECT_EQ(driver.currentMode()->width, 1024U);
    }
    EXPECT_EQ(driver.currentMode(), kDesktop);
    EXPECT_EQ(driver.changes().size(), 2U);

    {
        DisplaySession session(driver, messages);
        session.start();
        session.restore();
    }
    EXPECT_EQ(driver.changes().size(), 4U);
    EXPECT_EQ(driver.currentMode(), kDesktop);
}

// No 1024 x 768 x 16 on offer: start-up changes nothing and says nothing, and neither does
// shut-down.
TEST(DisplaySession, WithoutAMatchNeitherStartNorRestoreChangesAnything) {
    ScriptedDisplayDriver driver({{1024, 768, 32, 60}, kDesktop}, kDesktop);
    RecordingMessages messages;
    DisplaySession session(driver, messages);

    session.start();
    EXPECT_FALSE(session.switchResult().has_value());
    EXPECT_FALSE(session.restore().has_value());

    EXPECT_TRUE(driver.changes().empty());
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_EQ(driver.currentMode(), kDesktop);
}

// A display that cannot tell its current mode gives no exact way back, so it is not switched.
TEST(DisplaySession, DoesNotSwitchWithoutAKnownWayBack) {
    ScriptedDisplayDriver driver(modesWithGameMode(), std::nullopt);
    RecordingMessages messages;
    DisplaySession session(driver, messages);

    session.start();
    session.restore();

    EXPECT_TRUE(driver.changes().empty());
    EXPECT_TRUE(driver.enumeratedIndices().empty());
    EXPECT_TRUE(messages.seen.empty());
}

// A start-up change that fails is reported to the player; shut-down still puts the start-up mode
// back, silently, whatever it returns.
TEST(DisplaySession, FailedSwitchIsReportedAndShutDownStillRestoresSilently) {
    ScriptedDisplayDriver driver(modesWithGameMode(), kDesktop);
    driver.scriptChangeResults({kChangeFailed, kChangeBadMode});
    RecordingMessages messages;
    DisplaySession session(driver, messages);

    session.start();
    EXPECT_EQ(session.switchResult(), kChangeFailed);
    ASSERT_EQ(messages.texts(),
              std::vector<std::string>{"The display driver failed the specified graphics mode"});
    EXPECT_EQ(messages.seen[0].title, "Pellary");
    EXPECT_EQ(messages.seen[0].style, DisplayMessageStyle::Critical);

    EXPECT_EQ(session.restore(), kChangeBadMode);
    EXPECT_EQ(messages.seen.size(), 1U);
    EXPECT_FALSE(session.restore().has_value());
    EXPECT_EQ(driver.changes(), (std::vector<DisplayMode>{{1024, 768, 16, 60}, kDesktop}));
}

// start() runs once: a second call neither re-reads the start-up mode nor switches again.
TEST(DisplaySession, StartRunsOnce) {
    ScriptedDisplayDriver driver(modesWithGameMode(), kDesktop);
    RecordingMessages messages;
    DisplaySession session(driver, messages);

    session.start();
    session.start();

    EXPECT_EQ(session.startMode(), kDesktop);
    EXPECT_EQ(driver.changes().size(), 1U);
    session.restore();
    EXPECT_EQ(driver.currentMode(), kDesktop);
}

// Shows nothing; notes whether the rescue was armed while each message stood open.
class RescueWatchingMessages final : public DisplayMessages {
public:
    explicit RescueWatchingMessages(const DisplayRescue& rescue) : rescue_(rescue) {}
    void showDisplayMessage(std::string_view, std::string_view, DisplayMessageStyle) override {
        armedWhileOpen.push_back(rescue_.armed());
    }
    std::vector<bool> armedWhileOpen;

private:
    const DisplayRescue& rescue_;
};

// A crash handler finds the start-up mode armed from the switch (its message perhaps still
// open) until the orderly restore: a failed switch is undone at the way out, so by a crash too.
TEST(DisplaySession, KeepsTheRescueArmedWhileTheDisplayIsSwitched) {
    ScriptedDisplayDriver driver(modesWithGameMode(), kDesktop);
    driver.scriptChangeResults({kChangeFailed});
    DisplayRescue rescue;
    RescueWatchingMessages messages(rescue);
    DisplaySession session(driver, messages, &rescue);
    EXPECT_FALSE(rescue.armed());

    session.start();
    EXPECT_EQ(messages.armedWhileOpen, std::vector<bool>{true});
    EXPECT_TRUE(rescue.armed());
    EXPECT_EQ(session.restore(), kChangeSuccessful);
    EXPECT_FALSE(rescue.armed());
    EXPECT_FALSE(rescue.claim().has_value());
    // The game never ran at its own mode: a cancelled end of the session does not try again.
    EXPECT_FALSE(session.switchAgain().has_value());
    EXPECT_FALSE(rescue.armed());
    EXPECT_EQ(driver.changes(), (std::vector<DisplayMode>{{1024, 768, 16, 60}, kDesktop}));
}

// The desktop session asks to end (the display put back) and then does not: the game's mode
// again, as start-up made it, armed for a crash, and put back once more at the way out.
TEST(DisplaySession, SwitchesAgainAfterACancelledEndOfTheSession) {
    ScriptedDisplayDriver driver(modesWithGameMode(), kDesktop);
    DisplayRescue rescue;
    RecordingMessages messages;
    DisplaySession session(driver, messages, &rescue);
    constexpr DisplayMode kGame{1024, 768, 16, 60};

    session.start();
    EXPECT_FALSE(session.switchAgain().has_value());  // nothing put back yet
    EXPECT_EQ(session.restore(), kChangeSuccessful);
    EXPECT_EQ(driver.currentMode(), kDesktop);
    EXPECT_FALSE(rescue.armed());

    EXPECT_EQ(session.switchAgain(), kChangeSuccessful);
    EXPECT_EQ(driver.currentMode(), kGame);
    EXPECT_FALSE(session.switchAgain().has_value());
    EXPECT_TRUE(rescue.armed());

    // Cancelled twice over, then the way out.
    EXPECT_EQ(session.restore(), kChangeSuccessful);
    EXPECT_EQ(session.switchAgain(), kChangeSuccessful);
    EXPECT_EQ(session.restore(), kChangeSuccessful);
    EXPECT_FALSE(session.restore().has_value());
    EXPECT_EQ(driver.currentMode(), kDesktop);
    EXPECT_FALSE(rescue.armed());
    EXPECT_EQ(driver.changes(),
              (std::vector<DisplayMode>{kGame, kDesktop, kGame, kDesktop, kGame, kDesktop}));
    EXPECT_TRUE(messages.seen.empty());
}

// Nothing switched, nothing armed: no game mode on offer, or no known way back.
TEST(DisplaySession, LeavesTheRescueDisarmedWhenNothingIsSwitched) {
    for (const std::optional<DisplayMode>& current :
         {std::optional<DisplayMode>(kDesktop), std::optional<DisplayMode>()}) {
        ScriptedDisplayDriver driver({{1024, 768, 32, 60}, kDesktop}, current);
        DisplayRescue rescue;
        RecordingMessages messages;
        DisplaySession session(driver, messages, &rescue);
        session.start();
        EXPECT_FALSE(rescue.armed());
        session.restore();
        EXPECT_FALSE(session.switchAgain().has_value());
        EXPECT_FALSE(rescue.claim().has_value());
        EXPECT_TRUE(driver.changes().empty());
    }
}

// On a desktop whose own mode is not 1024 x 768 x 16 nothing is touched; on one that is, the
// mode is set again with success and no message, and set again at shut-down.
TEST(CurrentModeDriver, OffersOnlyTheScreensOwnMode) {
    RecordingMessages messages;
    {
        CurrentModeDriver driver({1920, 1080, 24, 60});
        EXPECT_EQ(driver.enumerateMode(0), (DisplayMode{1920, 1080, 24, 60}));
        EXPECT_FALSE(driver.enumerateMode(1).has_value());
        EXPECT_EQ(GetColorDepth(driver), 24);
        EXPECT_EQ(driver.screenSize().width, 1920);
        EXPECT_EQ(driver.screenSize().height, 1080);

        DisplaySession session(driver, messages);
        session.start();
        EXPECT_FALSE(session.switchResult().has_value());
        EXPECT_EQ(SetDisplayMode(driver, messages, 1920, 1080, 24), kChangeSuccessful);
        EXPECT_EQ(driver.changeModeTemporarily({1024, 768, 16, 60}), kChangeBadMode);
    }
    {
        CurrentModeDriver driver({1024, 768, 16, 0});
        DisplaySession session(driver, messages);
        session.start();
        EXPECT_EQ(session.switchResult(), kChangeSuccessful);
        EXPECT_EQ(session.restore(), kChangeSuccessful);
    }
    EXPECT_TRUE(messages.seen.empty());
}

}  // namespace
}  // namespace zentrix::display
