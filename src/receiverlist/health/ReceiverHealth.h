#pragma once
/// @file ReceiverHealth.h
/// @brief The states a receiver card can be in, the limits a host sets for its
/// readings, and the counts of cards in each state.

#include <array>
#include <cstdint>
#include <optional>

/**
 * @brief The states a receiver card can be in, as bits: a card is in none, one
 * or several at once.
 *
 * Each state has a place in SStatusCounts (HealthStateIndex()).
 */
enum EHealthState : uint32_t
{
    /// No state; as a status filter, every card.
    HealthNone = 0,
    /// More than one packet in a million arrived with errors: the count the
    /// table shows in red.
    HealthPacketErrors = 1u << 0,
    /// The temperature is above SHealthLimits::optTemperatureHigh.
    HealthTooHot = 1u << 1,
    /// The voltage is below SHealthLimits::optVoltageLow or above
    /// SHealthLimits::optVoltageHigh.
    HealthVoltageOutOfRange = 1u << 2,
    /// The humidity is above SHealthLimits::optHumidityHigh.
    HealthHumidityHigh = 1u << 3,
    /// At least one of the card's modules failed.
    HealthFailedModules = 1u << 4,
    /// The card is being upgraded.
    HealthUpgrading = 1u << 5,
    /// The card's last upgrade failed.
    HealthUpgradeFailed = 1u << 6,
    /// The card is in one of the first five states or its upgrade failed: the
    /// operator should look at it.
    HealthNeedsAttention = 1u << 7
};

/// The number of states, HealthPacketErrors to HealthNeedsAttention.
constexpr int c_nHealthStateCount = 8;

/// The place of a single state in SStatusCounts' arrays, 0 to
/// c_nHealthStateCount - 1; -1 for HealthNone or several bits.
constexpr int HealthStateIndex(EHealthState eState)
{
    for (int i = 0; i < c_nHealthStateCount; ++i) {
        if (uint32_t(eState) == (1u << i))
            return i;
    }
    return -1;
}

/**
 * @brief The limits the host sets for the cards' readings; each one may be
 * unset, and a reading is only compared with a limit that is set.
 *
 * A reading beyond a limit (strictly above a high limit, strictly below a low
 * one) puts the card in a state and paints its cell in a warning colour.
 */
struct SHealthLimits
{
    /// Highest temperature that is still fine, in degrees Celsius whatever
    /// unit the operator sees.
    std::optional<double> optTemperatureHigh;
    /// Lowest voltage that is still fine, in volts.
    std::optional<double> optVoltageLow;
    /// Highest voltage that is still fine, in volts.
    std::optional<double> optVoltageHigh;
    /// Highest relative humidity that is still fine, in percent.
    std::optional<double> optHumidityHigh;

    /// True when at least one limit is set.
    bool IsAnySet() const { return optTemperatureHigh || optVoltageLow || optVoltageHigh || optHumidityHigh; }
    /// Equal when the same limits are set to the same values.
    bool operator==(const SHealthLimits& other) const
    {
        return optTemperatureHigh == other.optTemperatureHigh && optVoltageLow == other.optVoltageLow
            && optVoltageHigh == other.optVoltageHigh && optHumidityHigh == other.optHumidityHigh;
    }
    /// The opposite of operator==().
    bool operator!=(const SHealthLimits& other) const { return !(*this == other); }
};

/**
 * @brief How many cards are in each state: over all cards, and over the cards
 * the port filter shows.
 *
 * Index the arrays with HealthStateIndex(), or ask All() and Shown().
 */
struct SStatusCounts
{
    /// Cards in each state, over every card of the table.
    std::array<int, c_nHealthStateCount> arrAll {};
    /// Cards in each state, over the cards the port filter shows (all cards
    /// when no port filter is set); the status and text filters do not change it.
    std::array<int, c_nHealthStateCount> arrShown {};
    /// Every card of the table, in a state or not.
    int nAllCards = 0;
    /// The cards the port filter shows (all cards when no port filter is set);
    /// the status and text filters do not change it.
    int nShownCards = 0;

    /// Cards in the state over all cards; 0 for HealthNone or several bits.
    int All(EHealthState eState) const
    {
        const int i = HealthStateIndex(eState);
        return i < 0 ? 0 : arrAll[size_t(i)];
    }
    /// Cards in the state over the cards the port filter shows; 0 for
    /// HealthNone or several bits.
    int Shown(EHealthState eState) const
    {
        const int i = HealthStateIndex(eState);
        return i < 0 ? 0 : arrShown[size_t(i)];
    }
    /// Equal when every count is.
    bool operator==(const SStatusCounts& other) const
    {
        return arrAll == other.arrAll && arrShown == other.arrShown && nAllCards == other.nAllCards
            && nShownCards == other.nShownCards;
    }
    /// The opposite of operator==().
    bool operator!=(const SStatusCounts& other) const { return !(*this == other); }
};
