#pragma once

#include <cstdint>

namespace decorate {

// Where jazz colouring takes its random numbers from; tests put their own in.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A value r with 0 <= r < 1.
    virtual double next() = 0;
};

// SplitMix64 from a fixed start state: the same clicks give the same colours on every
// launch and every build, since nothing seeds it from the clock.
class SplitMix64 final : public RandomSource
{
public:
    static constexpr std::uint64_t startState = 0x2545F4914F6CDD1DULL;

    double next() override;
    std::uint64_t nextBits();

private:
    std::uint64_t m_state = startState;
};

} // namespace decorate
