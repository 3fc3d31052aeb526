#pragma once
// What a language library "TerrionLink_XX.so" exports: one C function that
// returns its table of texts by string id. The library also carries a version
// record (terrion_add_version_record); the program loads it only when the
// major and minor parts of its product version equal the program's.

extern "C"
{

    struct STerrionLanguageEntry
    {
        unsigned id;
        const wchar_t* text;
    };

    struct STerrionLanguageTable
    {
        /// kTerrionLanguageAbi of the library's build.
        unsigned abi;
        unsigned count;
        const STerrionLanguageEntry* entries;
    };

    /// Layout version of STerrionLanguageTable; a library of another layout is refused.
    inline constexpr unsigned kTerrionLanguageAbi = 1;

    /// The symbol every language library exports.
    inline constexpr const char* kTerrionLanguageSymbol = "TerrionLinkLanguageTable";

    /// The entry point's type; the table lives as long as the library is loaded.
    using FTerrionLanguageTable = const STerrionLanguageTable* (*)();

    // A language library defines it as:
    //   extern "C" __attribute__((visibility("default")))
    //   const STerrionLanguageTable* TerrionLinkLanguageTable();
}
