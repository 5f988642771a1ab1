#include "CMenuItem.h"

namespace VSTGUI
{

CMenuItem::CMenuItem(UTF8StringPtr title, int32_t flags) : flags(flags)
{
    setTitle(title);
}

void CMenuItem::setTitle(UTF8StringPtr newTitle)
{
    title = newTitle ? newTitle : "";
    if (title == "-") flags |= kSeparator;
}

} // namespace VSTGUI
