#pragma once
#include <vector>

/// Sizes of a run of rows or columns with their running sums, so that
/// positions and the row at a position are found in logarithmic time
/// (a Fenwick tree). Scrolling and hit tests stay cheap on grids with tens
/// of thousands of rows.
class CGridSizeIndex
{
public:
    /// n entries; entries past the old count get `size`.
    void Resize(int n, int size);
    int Count() const { return static_cast<int>(m_sizes.size()); }
    int Get(int i) const { return m_sizes[static_cast<std::size_t>(i)]; }
    void Set(int i, int size);
    /// Sum of the entries before `i` (0 <= i <= Count()).
    long long Prefix(int i) const;
    long long Total() const { return m_total; }
    /// The smallest k in 0..Count() with Prefix(k) >= target, or Count() + 1 when none.
    int LowerBound(long long target) const;

private:
    void Rebuild();

    std::vector<int> m_sizes;
    std::vector<long long> m_tree; // 1-based
    long long m_total = 0;
};
