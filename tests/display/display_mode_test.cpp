#include "display/display_mode.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "display/scripted_display_driver.h"
#include "recording_messages.h"

namespace zentrix::display {
namespace {

using testing::RecordingMessages;

constexpr DisplayMode kDesktop{1280, 1024, 32, 60};

// A display with the usual sizes at several depths, listing 1024 x 768 x 16 three times.
std::vector<DisplayMode> typicalModes() {
    return {
        {640, 480, 32, 60},   {800, 600, 32, 60},  {1024, 768, 32, 60}, {1280, 1024, 32, 60},
        {640, 480, 16, 60},   {1024, 768, 16, 75}, {1024, 768, 16, 60}, {1024, 768, 16, 85},
        {1280, 1024, 16, 60}, {1024, 768, 8, 60},
    };
}

// The first listed mode with the asked size and depth is set, whatever its refresh rate, and
// nothing after it is looked at.
TEST(SetDisplayMode, SwitchesToFirstListedMatchWhateverItsRefreshRate) {
    ScriptedDisplayDriver driver(typicalModes(), kDesktop);
    RecordingMessages messages;

    const auto result = SetDisplayMode(driver, messages, 1024, 768, 16);

    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, kChangeSuccessful);
    ASSERT_EQ(driver.changes().size(), 1U);
    EXPECT_EQ(driver.changes()[0], (DisplayMode{1024, 768, 16, 75}));
    EXPECT_EQ(driver.enumeratedIndices(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(driver.currentMode(), (DisplayMode{1024, 768, 16, 75}));
    EXPECT_TRUE(messages.seen.empty());
}

// The first match is taken even when a later listed match is the mode already in force.
TEST(SetDisplayMode, TakesFirstMatchEvenWhenALaterOneIsInForce) {
    ScriptedDisplayDriver driver(typicalModes(), DisplayMode{1024, 768, 16, 85});
    RecordingMessages messages;

    SetDisplayMode(driver, messages, 1024, 768, 16);

    ASSERT_EQ(driver.changes().size(), 1U);
    EXPECT_EQ(driver.changes()[0].refreshRate, 75U);
}

// Asking for the mode in force sets it again with success and no message.
TEST(SetDisplayMode, CurrentModeAskedAgainSucceedsSilently) {
    ScriptedDisplayDriver driver(typicalModes(), kDesktop);
    RecordingMessages messages;

    const auto result = SetDisplayMode(driver, messages, 1280, 1024, 32);

    EXPECT_EQ(result, kChangeSuccessful);
    EXPECT_EQ(driver.changes(), (std::vector<DisplayMode>{kDesktop}));
    EXPECT_EQ(driver.currentMode(), kDesktop);
    EXPECT_TRUE(messages.seen.empty());
}

// No listed mode with that size and depth: the whole list is walked, nothing changes, nothing
// is shown.
TEST(SetDisplayMode, NoMatchChangesNothingAndShowsNothing) {
    ScriptedDisplayDriver driver(typicalModes(), kDesktop);
    RecordingMessages messages;

    EXPECT_FALSE(SetDisplayMode(driver, messages, 1024, 768, 24).has_value());
    EXPECT_FALSE(SetDisplayMode(driver, messages, 1600, 1200, 16).has_value());
    EXPECT_FALSE(SetDisplayMode(driver, messages, -1024, 768, 16).has_value());

    EXPECT_TRUE(driver.changes().empty());
    EXPECT_EQ(driver.currentMode(), kDesktop);
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_EQ(driver.enumeratedIndices().size(), 3 * (typicalModes().size() + 1));
}

// Only the low 16 bits of a listed depth are compared, as a signed 16-bit number.
TEST(SetDisplayMode, ComparesTheLowSixteenBitsOfTheDepth) {
    ScriptedDisplayDriver driver({{1024, 768, 0x10010, 60}, {1024, 768, 0xFFFF, 70}}, kDesktop);
    RecordingMessages messages;

    EXPECT_EQ(SetDisplayMode(driver, messages, 1024, 768, 16), kChangeSuccessful);
    EXPECT_EQ(SetDisplayMode(driver, messages, 1024, 768, -1), kChangeSuccessful);

    ASSERT_EQ(driver.changes().size(), 2U);
    EXPECT_EQ(driver.changes()[0].refreshRate, 60U);
    EXPECT_EQ(driver.changes()[1].refreshRate, 70U);
}

// Each failing result code shows its own text and icon under the title "Pellary", once; the
// display stays as it was.
TEST(SetDisplayMode, ReportsEachFailingResultWithItsMessageAndStyle) {
    struct Case {
        std::int32_t code;
        const char* text;
        DisplayMessageStyle style;
    };
    const Case cases[] = {
        {kChangeRestart, "The computer must be restarted in order for the graphics mode to work",
         DisplayMessageStyle::Question},
        {kChangeFailed, "The display driver failed the specified graphics mode",
         DisplayMessageStyle::Critical},
        {kChangeBadMode, "The graphics mode is not supported", DisplayMessageStyle::Critical},
        {kChangeNotUpdated, "Unable to write settings to the registry",
         DisplayMessageStyle::Critical},
        {kChangeBadFlags, "You Passed invalid data", DisplayMessageStyle::Critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ScriptedDisplayDriver driver(typicalModes(), kDesktop);
        driver.scriptChangeResults({c.code});
        RecordingMessages messages;

        EXPECT_EQ(SetDisplayMode(driver, messages, 1024, 768, 16), c.code);

        ASSERT_EQ(messages.texts(), std::vector<std::string>{c.text});
        EXPECT_EQ(messages.seen[0].title, "Pellary");
        EXPECT_EQ(messages.seen[0].style, c.style);
        EXPECT_EQ(static_cast<int>(c.style), c.code == kChangeRestart ? 32 : 16);
        EXPECT_EQ(driver.changes().size(), 1U);
        EXPECT_EQ(driver.currentMode(), kDesktop);
    }
}

// Codes outside the known table are silent, like success; nothing is retried.
TEST(SetDisplayMode, UnknownResultCodesAreSilent) {
    for (const std::int32_t code : {2, -5, -6, 1000}) {
        ScriptedDisplayDriver driver(typicalModes(), kDesktop);
        driver.scriptChangeResults({code});
        RecordingMessages messages;

        EXPECT_EQ(SetDisplayMode(driver, messages, 1024, 768, 16), code);

        EXPECT_TRUE(messages.seen.empty()) << code;
        EXPECT_EQ(driver.changes().size(), 1U) << code;
    }
}

// The depth is bits per plane times planes.
TEST(GetColorDepth, MultipliesBitsByPlanes) {
    ScriptedDisplayDriver driver({}, kDesktop);

    EXPECT_EQ(GetColorDepth(driver), 32);
    driver.scriptColorFormat({1, 16});
    EXPECT_EQ(GetColorDepth(driver), 16);
    driver.scriptColorFormat({4, 1});
    EXPECT_EQ(GetColorDepth(driver), 4);
    driver.scriptColorFormat({3, 8});
    EXPECT_EQ(GetColorDepth(driver), 24);
}

// Values beyond 16 bits are refused rather than wrapped.
TEST(GetColorDepth, RefusesValuesBeyondSixteenBits) {
    ScriptedDisplayDriver driver({}, kDesktop);

    driver.scriptColorFormat({1, 40000});
    EXPECT_THROW(GetColorDepth(driver), std::overflow_error);
    driver.scriptColorFormat({40000, 1});
    EXPECT_THROW(GetColorDepth(driver), std::overflow_error);
    driver.scriptColorFormat({2000, 32});
    EXPECT_THROW(GetColorDepth(driver), std::overflow_error);
}

}  // namespace
}  // namespace zentrix::display
