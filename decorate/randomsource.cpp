#include "decorate/randomsource.h"

namespace decorate {

std::uint64_t SplitMix64::nextBits()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double SplitMix64::next()
{
    // The top 53 bits fill a double's mantissa exactly, so the value stays below 1.
    return static_cast<double>(nextBits() >> 11) * 0x1.0p-53;
}

} // namespace decorate
