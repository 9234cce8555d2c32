#include "exercise/RandomSource.h"

#include <chrono>

namespace vocarin {

ClockSeededRandom::ClockSeededRandom()
    : m_engine(static_cast<std::uint32_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count()))
{
}

qint32 ClockSeededRandom::Random(qint32 n)
{
    Q_ASSERT(n > 0);
    return std::uniform_int_distribution<qint32>(0, n - 1)(m_engine);
}

} // namespace vocarin
