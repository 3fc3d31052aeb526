// A small language library for the tests: a few texts of the main window in
// German; every other text falls back to the built-in one.

#include "app/shell/LanguageTable.h"

namespace
{

const STerrionLanguageEntry kEntries[] = {
    {33000, L"&Datei"},
    {33015, L"Gerät"},
    {33020, L"&Bearbeiten"},
    {33025, L"&Hilfe"},
    {33002, L"Projekt"},
    {2084, L"Ein Projekt öffnen\nProjekt öffnen"},
    {2087, L"Das Projekt speichern\nProjekt speichern"},
    {59521, L"Messreihen"},
    {59522, L"Übersicht"},
    {59395, L"VARNEL TerrionLink (Deutsch)"},
};

const STerrionLanguageTable kTable = {kTerrionLanguageAbi, sizeof kEntries / sizeof kEntries[0], kEntries};

} // namespace

extern "C" __attribute__((visibility("default"))) const STerrionLanguageTable* TerrionLinkLanguageTable()
{
    return &kTable;
}
