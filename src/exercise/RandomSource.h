#pragma once

#include <QtGlobal>

#include <random>

namespace vocarin {

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A uniformly distributed r with 0 <= r < n.
    virtual qint32 Random(qint32 n) = 0;
};

// The program's one generator, seeded once from a high-resolution clock.
class ClockSeededRandom : public RandomSource
{
public:
    ClockSeededRandom();
    qint32 Random(qint32 n) override;

private:
    std::mt19937 m_engine;
};

} // namespace vocarin
