#include "resources/wx/WxText.h"

#include "resources/StringTable.h"

namespace Resources
{
wxString WxText(unsigned id)
{
    return wxString(CStringTable::Text(id));
}
} // namespace Resources
