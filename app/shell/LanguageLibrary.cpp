#include "app/shell/LanguageLibrary.h"

#include "app/shell/LanguageTable.h"
#include "streams/FileVersionInfo.h"
#include "streams/TextCodec.h"

#include <dlfcn.h>

#include <string_view>
#include <unordered_map>

namespace
{

class CLibraryTexts : public Resources::CTextSource
{
public:
    explicit CLibraryTexts(const STerrionLanguageTable& table)
    {
        for (unsigned i = 0; i < table.count; ++i)
            if (table.entries[i].text)
                m_texts.emplace(table.entries[i].id, table.entries[i].text);
    }

    bool Find(unsigned id, std::wstring& text) const override
    {
        const auto it = m_texts.find(id);
        if (it == m_texts.end())
            return false;
        text = it->second;
        return true;
    }

private:
    std::unordered_map<unsigned, std::wstring> m_texts;
};

} // namespace

bool CLanguageLibrary::VersionMatches(const CFileVersionInfo& library, const CFileVersionInfo& program)
{
    return library.GetProductVersionPart(3) == program.GetProductVersionPart(3) &&
           library.GetProductVersionPart(2) == program.GetProductVersionPart(2);
}

bool CLanguageLibrary::IsLibraryName(const std::wstring& path)
{
    constexpr std::wstring_view prefix = L"TerrionLink_";
    constexpr std::wstring_view suffix = L".so";
    const auto slash = path.rfind(L'/');
    const std::wstring_view name =
        slash == std::wstring::npos ? std::wstring_view(path) : std::wstring_view(path).substr(slash + 1);
    return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix);
}

std::shared_ptr<const Resources::CTextSource> CLanguageLibrary::Load(const std::wstring& path,
                                                                     const CFileVersionInfo& program)
{
    CFileVersionInfo library;
    if (!library.Create(path) || !VersionMatches(library, program))
        return nullptr;
    // Never closed: the texts were copied, but a library's static state may
    // still be referenced by the loader; unloading buys nothing here.
    void* handle = ::dlopen(StreamIO::CTextCodec::ToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    const auto entry = reinterpret_cast<FTerrionLanguageTable>(::dlsym(handle, kTerrionLanguageSymbol));
    const STerrionLanguageTable* table = entry ? entry() : nullptr;
    if (!table || table->abi != kTerrionLanguageAbi || (table->count > 0 && !table->entries))
        return nullptr;
    return std::make_shared<CLibraryTexts>(*table);
}
