#include "CResourceDescription.h"

#include <cstdio>

namespace VSTGUI
{

CResourceDescription::CResourceDescription(int32_t id) : type(kIntegerType), id(id)
{
}

CResourceDescription::CResourceDescription(const char* name)
    : type(name ? kStringType : kUnknownType), name(name ? name : "")
{
}

std::string CResourceDescription::getFileName() const
{
    if (type == kStringType) return name;
    if (type != kIntegerType || id < 0) return std::string();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "bmp%05d.png", static_cast<int>(id));
    return buffer;
}

} // namespace VSTGUI
