#include "grid/GridSizeIndex.h"

void CGridSizeIndex::Resize(int n, int size)
{
    if (n < 0)
        n = 0;
    m_sizes.resize(static_cast<std::size_t>(n), size);
    Rebuild();
}

void CGridSizeIndex::Rebuild()
{
    const std::size_t n = m_sizes.size();
    m_tree.assign(n + 1, 0);
    m_total = 0;
    for (std::size_t i = 1; i <= n; ++i)
    {
        m_tree[i] += m_sizes[i - 1];
        m_total += m_sizes[i - 1];
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= n)
            m_tree[parent] += m_tree[i];
    }
}

void CGridSizeIndex::Set(int i, int size)
{
    const auto index = static_cast<std::size_t>(i);
    const long long delta = static_cast<long long>(size) - m_sizes[index];
    if (delta == 0)
        return;
    m_sizes[index] = size;
    m_total += delta;
    for (std::size_t k = index + 1; k < m_tree.size(); k += k & (~k + 1))
        m_tree[k] += delta;
}

long long CGridSizeIndex::Prefix(int i) const
{
    long long sum = 0;
    for (auto k = static_cast<std::size_t>(i); k > 0; k -= k & (~k + 1))
        sum += m_tree[k];
    return sum;
}

int CGridSizeIndex::LowerBound(long long target) const
{
    if (target <= 0)
        return 0;
    const std::size_t n = m_sizes.size();
    std::size_t step = 1;
    while (step * 2 <= n)
        step *= 2;
    std::size_t pos = 0;
    long long remaining = target;
    for (; step > 0; step /= 2)
    {
        if (pos + step <= n && m_tree[pos + step] < remaining)
        {
            pos += step;
            remaining -= m_tree[pos];
        }
    }
    return static_cast<int>(pos + 1);
}
