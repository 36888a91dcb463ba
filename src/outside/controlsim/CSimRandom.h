#pragma once
// Small reproducible random source for the simulated wall. splitmix64 is fast,
// has no bad seeds and gives the same sequence on every platform, which is all
// the simulation needs: identical walls for identical seeds.

#include <QtGlobal>

class CSimRandom
{
public:
    explicit CSimRandom(quint64 nSeed = 0) : m_nState(nSeed) {}

    quint64 Next()
    {
        m_nState += 0x9E3779B97F4A7C15ULL;
        return Mix(m_nState);
    }

    // Uniform integer in [nLow, nHigh]; nHigh < nLow yields nLow.
    qint64 Range(qint64 nLow, qint64 nHigh)
    {
        if (nHigh <= nLow)
            return nLow;
        const quint64 nSpan = quint64(nHigh - nLow) + 1;
        return nLow + qint64(Next() % nSpan);
    }

    int RangeInt(int nLow, int nHigh) { return int(Range(nLow, nHigh)); }

    // Uniform real in [dLow, dHigh).
    double Real(double dLow, double dHigh)
    {
        const double dUnit = double(Next() >> 11) * 0x1.0p-53;
        return dLow + (dHigh - dLow) * dUnit;
    }

    // True with probability nPercent / 100.
    bool Percent(int nPercent) { return Range(0, 99) < nPercent; }

    // The splitmix64 finaliser on its own, for stateless per-item hashes.
    static quint64 Mix(quint64 n)
    {
        n = (n ^ (n >> 30)) * 0xBF58476D1CE4E5B9ULL;
        n = (n ^ (n >> 27)) * 0x94D049BB133111EBULL;
        return n ^ (n >> 31);
    }

private:
    quint64 m_nState;
};
