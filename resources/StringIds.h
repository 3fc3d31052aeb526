#pragma once
// Named string ids. Every text a user sees is fetched by one of these from
// CStringTable; ids are never computed from one another.

namespace Resources::Ids
{

#define TERRION_STRING(name, id, text) inline constexpr unsigned name = id;
#include "resources/strings/AllStrings.inc"
#undef TERRION_STRING

} // namespace Resources::Ids
