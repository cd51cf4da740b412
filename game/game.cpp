#include "game/game.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <stdexcept>

#include "game/timing.h"

namespace zentrix {

namespace {

constexpr float kFullCountdown = static_cast<float>(kRoundSeconds);
constexpr int kLevelClearSlots = 10;  // the level-clear bonus counts as ten more cleared slots
constexpr double kBonusRoundScore = 90000.0;

constexpr std::string_view kLevelClearText = "BONUS, Level Clear 10,000";
constexpr std::string_view kBonusRoundText = "BONUS ROUND!!!";
constexpr std::string_view kRoundTwoText = "Ready for Round 2";
constexpr std::string_view kBonusHintText = "Score 90,000 for BONUS ROUND!!";
constexpr std::string_view kGameOverText = "Game Over";

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

// 10r + 1 rounded to the nearest whole number, halves to the even neighbour. Done by hand so the
// deal does not depend on the floating-point rounding mode in force.
int drawToValue(float r) {
    const float scaled = 10.0f * r + 1.0f;
    const float below = std::floor(scaled);
    const float fraction = scaled - below;
    auto value = static_cast<int>(below);
    if (fraction > 0.5f || (fraction == 0.5f && value % 2 != 0)) {
        ++value;
    }
    return value;
}

// Captions are replaced whole. (Assigning from a temporary also keeps GCC 12's false -Wrestrict
// alarm on short literal assignments quiet.)
void setCaption(std::string& caption, std::string_view text) {
    caption = std::string(text);
}

// The decimal point of the C library's current locale, which a toolkit may have set from the
// environment (a comma in many languages): the captions always use '.'.
char localeDecimalPoint() {
    const char* point = std::localeconv()->decimal_point;
    return point != nullptr && point[0] != '\0' ? point[0] : '.';
}

// A number in the captions' own form: an optional minus, digits with an optional '.' (at least
// one digit), and an optional exponent. Nothing else: no blanks, no "inf" or "nan", no
// hexadecimal, whatever the locale.
std::optional<double> parseNumber(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    std::string local(text);
    std::replace(local.begin(), local.end(), '.', localeDecimalPoint());
    char* end = nullptr;
    const double value = std::strtod(local.c_str(), &end);
    if (end != local.c_str() + local.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A number written into a caption: whole numbers come out as plain digits with no decimal point,
// no separators and no leading blank; others with the fewest decimals that read back the same.
// (Not std::to_chars, which not every standard library offers for floating point.)
std::string numberText(double value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        const auto whole = static_cast<long long>(value);
        // "-0" keeps its sign, as the caption always showed it.
        std::string text = whole == 0 && std::signbit(value) ? "-" : "";
        text += std::to_string(whole);
        return text;
    }
    std::string text;
    for (int decimals = 0; decimals <= 40; ++decimals) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        text = buffer;
        std::replace(text.begin(), text.end(), localeDecimalPoint(), '.');
        const auto back = parseNumber(text);
        if (back && *back == value) {
            break;
        }
    }
    return text;
}

// A caption read back as a number, as the player's eye would: surrounding blanks are allowed,
// anything else that is not a number fails.
std::optional<double> captionNumber(const std::string& caption) {
    const auto first = caption.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const auto last = caption.find_last_not_of(' ') + 1;
    std::string_view text(caption.data() + first, last - first);
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    return parseNumber(text);
}

// A caption read back into a 32-bit variable: rounded half to even, and a failure when it is no
// number or does not fit.
std::optional<std::int32_t> captionInt32(const std::string& caption) {
    const auto number = captionNumber(caption);
    if (!number) {
        return std::nullopt;
    }
    const double below = std::floor(*number);
    const double fraction = *number - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

// 32-bit arithmetic that reports an overflow instead of wrapping.
std::optional<std::int32_t> checked(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

Game::Game(RandomSource& random, MessagePresenter& messages)
    : random_(random), messages_(messages) {}

void Game::startUp() {
    for (auto& box : slots_) {
        box.enabled = false;
    }
    progressValue_ = kFullCountdown;
    setCaption(label2_, "0");
}

// ---------------------------------------------------------------------------------------------
// File > New

void Game::newGame() {
    started_ = true;
    roundPoints_ = 0;
    roundTwo_ = false;
    bonusRound_ = false;
    ClearBoard();
    carriedScore_ = 0;
    FillBoard();
    spacesCleared_ = 0;
    ballsRemoved_ = 0;
    progressValue_ = kFullCountdown;
    timer1Enabled_ = true;
    setCaption(label4_, "0");
    setCaption(label2_, "0");
    for (auto& box : slots_) {
        box.selected = false;
    }
    UpdateBoard();
    scoreEnabled_ = true;
    selectionSum_ = 0;
    // The new board has no selection, so the sum shown goes back to 0 as well.
    setCaption(label1_, "0");
    timer2Enabled_ = true;
}

void Game::ClearBoard() {
    for (auto& box : slots_) {
        box.occupied = false;
        box.selected = false;
        box.visible = true;
    }
    dealtCount_.fill(0);
}

// ---------------------------------------------------------------------------------------------
// Dealing

void Game::dealAttempt(int slot) {
    drawnValue_ = drawToValue(random_.next());
    for (int value = 1; value <= kMaxValue; ++value) {
        if (drawnValue_ == value && dealtCount_[at(value)] != kBallsPerValue) {
            slots_[at(slot)].occupied = true;
            ++dealtCount_[at(value)];
        }
    }
    // A draw of 11, or of a used-up value, still lands here; the slot stays empty then.
    ballValue_[at(slot)] = static_cast<std::int16_t>(drawnValue_);
}

void Game::dealInto(int slot) {
    while (!slots_[at(slot)].occupied) {
        dealAttempt(slot);
    }
}

void Game::FillBoard() {
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        dealInto(slot);
    }
    UpdateBoard();
}

void Game::freeBallPass() {
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        const auto blockers = blockersOf(slot);
        auto& box = slots_[at(slot)];
        if (blockers.empty()) {
            box.enabled = box.occupied;
        } else {
            box.enabled = std::none_of(blockers.begin(), blockers.end(),
                                       [this](std::int8_t b) { return slots_[at(b)].occupied; });
        }
    }
}

void Game::UpdateBoard() {
    freeBallPass();
    slots_[kNextBallSlot].enabled = true;

    // Keep a next ball waiting for as long as the round's supply lasts.
    for (;;) {
        const bool suppliesLeft =
            std::any_of(dealtCount_.begin() + 1, dealtCount_.end(),
                        [](std::int16_t count) { return count != kBallsPerValue; });
        if (!suppliesLeft) {
            return;
        }
        if (slots_[kNextBallSlot].occupied) {
            selectionSum_ = 0;
            return;
        }
        dealAttempt(kNextBallSlot);
    }
}

void Game::nextBall() {
    for (auto& box : slots_) {
        box.selected = false;
    }
    auto& next = slots_[kNextBallSlot];
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        setCaption(label1_, "0");
        selectionSum_ = 0;
        auto& box = slots_[at(slot)];
        if (!box.occupied) {
            // The lowest-numbered empty slot is always one of the deepest: every slot is numbered
            // below the slots that block it. An empty next-ball slot moves nothing.
            box.occupied = next.occupied;
            next.selected = false;
            ballValue_[at(slot)] = ballValue_[kNextBallSlot];
            next.occupied = false;
            UpdateBoard();
            return;
        }
    }
    // A full heap: the next ball is thrown away, though it stays counted as dealt.
    next.occupied = false;
    next.selected = false;
    UpdateBoard();
    selectionSum_ = 0;
    UpdateBoard();
}

// ---------------------------------------------------------------------------------------------
// Selecting and removing sets of eleven

void Game::clickSlot(int slot) {
    if (slot < 0 || slot >= kSlotCount) {
        return;
    }
    auto& box = slots_[at(slot)];
    if (!box.visible || !box.enabled || !box.occupied) {
        return;
    }
    const int value = ballValue_[at(slot)];
    if (box.selected) {
        box.selected = false;
        selectionSum_ -= value;
    } else if (selectionSum_ + value > kTarget) {
        return;
    } else {
        box.selected = true;
        selectionSum_ += value;
    }
    if (selectionSum_ == kTarget) {
        ScoreSelection();
    }
    label1_ = std::to_string(selectionSum_);
}

void Game::ScoreSelection() {
    // Every selected heap ball earns the points of its row.
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        if (slots_[at(slot)].selected) {
            roundPoints_ += rowPoints(slot);
        }
    }

    // The next ball earns what the best-placed heap ball of its set earned: top row first, the
    // middle slot 1 ahead of 2 and 0.
    if (slots_[kNextBallSlot].selected) {
        static constexpr std::array<int, kBoardSlotCount> kBestFirst{
            1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
        for (const int slot : kBestFirst) {
            if (slots_[at(slot)].selected) {
                roundPoints_ += rowPoints(slot);
                break;
            }
        }
    }

    for (auto& box : slots_) {
        if (box.selected) {
            box.occupied = false;
            box.selected = false;
            box.enabled = false;
            ++ballsRemoved_;
        }
    }

    selectionSum_ = 0;
    UpdateBoard();
    label2_ = std::to_string(ballsRemoved_ / 2);
}

// ---------------------------------------------------------------------------------------------
// Timers

void Game::countdownTick() {
    if (!timer1Enabled_) {
        return;
    }
    progressValue_ = progressValue_ - 1.0f;
    label7_ = numberText(static_cast<double>(progressValue_));
    if (progressValue_ == 0.0f) {
        endRound();
    }
}

void Game::refreshTick() {
    if (!timer2Enabled_) {
        return;
    }
    label6_ = std::to_string(roundPoints_);
    for (auto& box : slots_) {
        box.visible = box.occupied;
    }
}

// ---------------------------------------------------------------------------------------------
// Take Score and the rounds

void Game::takeScore() {
    if (!scoreEnabled_) {
        return;
    }
    endRound();
}

void Game::endRound() {
    // A caption that is no number leaves the variable as it was, and the round goes on to be
    // scored: each step that cannot be done is skipped.
    if (const auto total = captionInt32(label4_)) {
        carriedScore_ = *total;
    }
    timer2Enabled_ = false;
    timer1Enabled_ = false;
    spacesCleared_ = 0;
    if (const auto halved = captionInt32(label2_)) {
        ballsRemoved_ = *halved;  // from here on the halved count, as shown
    }

    // A heap slot is cleared when it holds no ball, whether or not the refresh has hidden its box
    // yet.
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        if (!slots_[at(slot)].occupied) {
            ++spacesCleared_;
        }
    }

    if (spacesCleared_ == kBoardSlotCount && !slots_[kNextBallSlot].occupied) {
        spacesCleared_ += kLevelClearSlots;
        show(kLevelClearText, MessageStyle::Information);
    }

    ClearBoard();
    // The emptied board has no selection left.
    selectionSum_ = 0;
    setCaption(label1_, "0");

    const auto cleared = checked(std::int64_t{1000} * spacesCleared_);
    const auto removed = checked(std::int64_t{1000} * ballsRemoved_);
    const auto counted =
        cleared && removed ? checked(std::int64_t{*cleared} + *removed) : std::nullopt;
    if (counted) {
        const float timeBonus = progressValue_ * 250.0f;
        const double total = static_cast<double>(timeBonus) + static_cast<double>(*counted) +
                             static_cast<double>(carriedScore_) + static_cast<double>(roundPoints_);
        label4_ = numberText(total);
    }

    if (roundTwo_) {
        const auto total = captionNumber(label4_);
        if (total && *total >= kBonusRoundScore) {
            beginBonusRound();
        } else {
            endGame();
        }
    } else if (bonusRound_) {
        endGame();
    } else {
        beginRoundTwo();
    }
}

// A new round's score starts from nothing, with a full countdown. The bonus round deals its board
// before this and round 2 after it; neither order shows on screen.
void Game::resetRoundScore() {
    spacesCleared_ = 0;
    ballsRemoved_ = 0;
    roundPoints_ = 0;
    setCaption(label2_, "0");
    setCaption(label6_, "0");
    progressValue_ = kFullCountdown;
}

void Game::beginBonusRound() {
    show(kBonusRoundText, MessageStyle::Exclamation);
    roundTwo_ = false;
    bonusRound_ = true;
    FillBoard();
    resetRoundScore();
    timer1Enabled_ = true;
    timer2Enabled_ = true;
}

void Game::beginRoundTwo() {
    show(kRoundTwoText, MessageStyle::Question);
    show(kBonusHintText, MessageStyle::Information);
    resetRoundScore();
    FillBoard();
    roundTwo_ = true;
    timer1Enabled_ = true;
    timer2Enabled_ = true;
}

void Game::endGame() {
    show(kGameOverText, MessageStyle::Information);
    for (int slot = 0; slot < kBoardSlotCount; ++slot) {
        slots_[at(slot)].enabled = false;
    }
    scoreEnabled_ = false;
    label6_.clear();
}

void Game::show(std::string_view text, MessageStyle style) {
    messages_.showMessage(text, kGameTitle, style);
}

// ---------------------------------------------------------------------------------------------
// State for the window

const SlotState& Game::slot(int slot) const {
    if (slot < 0 || slot >= kSlotCount) {
        throw std::out_of_range("slot number out of range");
    }
    return slots_[at(slot)];
}

int Game::ballValue(int slot) const {
    if (slot < 0 || slot >= kSlotCount) {
        throw std::out_of_range("slot number out of range");
    }
    return ballValue_[at(slot)];
}

int Game::dealtCount(int value) const {
    if (value < 1 || value > kMaxValue) {
        throw std::out_of_range("ball value out of range");
    }
    return dealtCount_[at(value)];
}

RoundState Game::roundState() const {
    if (!started_) {
        return RoundState::NotStarted;
    }
    if (!scoreEnabled_) {
        return RoundState::GameOver;
    }
    if (bonusRound_) {
        return RoundState::BonusRound;
    }
    if (roundTwo_) {
        return RoundState::RoundTwo;
    }
    return RoundState::RoundOne;
}

}  // namespace zentrix
