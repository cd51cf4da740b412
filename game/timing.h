// Every duration of the game in one place.
#pragma once

#include <chrono>

namespace zentrix {

// Timer1 takes one second off the clock at each tick.
inline constexpr std::chrono::milliseconds kCountdownInterval{1000};
// Timer2 shows the round's points and hides the emptied boxes ten times a second.
inline constexpr std::chrono::milliseconds kRefreshInterval{100};
// A round starts with this many seconds on ProgressBar1.
inline constexpr int kRoundSeconds = 90;

}  // namespace zentrix
