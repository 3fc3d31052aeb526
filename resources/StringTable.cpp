#include "resources/StringTable.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace Resources
{
namespace
{

struct SEntry
{
    unsigned id;
    const wchar_t* text;
};

constexpr SEntry kEntries[] = {
#define TERRION_STRING(name, id, text) {id, text},
#include "resources/strings/AllStrings.inc"
#undef TERRION_STRING
};

constexpr auto SortedEntries()
{
    std::array<SEntry, std::size(kEntries)> sorted{};
    std::copy(std::begin(kEntries), std::end(kEntries), sorted.begin());
    std::sort(sorted.begin(), sorted.end(), [](const SEntry& a, const SEntry& b) { return a.id < b.id; });
    return sorted;
}

constexpr auto kSorted = SortedEntries();

constexpr bool IdsAreUnique()
{
    for (std::size_t i = 1; i < kSorted.size(); ++i)
        if (kSorted[i - 1].id == kSorted[i].id)
            return false;
    return true;
}
static_assert(IdsAreUnique(), "two built-in texts share one string id");

std::mutex& SourceLock()
{
    static std::mutex lock;
    return lock;
}

std::shared_ptr<const CTextSource>& SourceSlot()
{
    static std::shared_ptr<const CTextSource> source;
    return source;
}

} // namespace

const wchar_t* CStringTable::BuiltIn(unsigned id)
{
    const auto it = std::lower_bound(kSorted.begin(), kSorted.end(), id,
                                     [](const SEntry& entry, unsigned value) { return entry.id < value; });
    return it != kSorted.end() && it->id == id ? it->text : nullptr;
}

std::wstring CStringTable::Text(unsigned id)
{
    if (const auto source = Installed())
    {
        std::wstring text;
        if (source->Find(id, text))
            return text;
    }
    const wchar_t* text = BuiltIn(id);
    return text ? std::wstring(text) : std::wstring();
}

bool CStringTable::Has(unsigned id)
{
    if (const auto source = Installed())
    {
        std::wstring text;
        if (source->Find(id, text))
            return true;
    }
    return BuiltIn(id) != nullptr;
}

void CStringTable::Install(std::shared_ptr<const CTextSource> source)
{
    std::lock_guard guard(SourceLock());
    SourceSlot() = std::move(source);
}

std::shared_ptr<const CTextSource> CStringTable::Installed()
{
    std::lock_guard guard(SourceLock());
    return SourceSlot();
}

} // namespace Resources
