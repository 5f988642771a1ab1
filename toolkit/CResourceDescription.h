#pragma once

#include <cstdint>
#include <string>

namespace VSTGUI
{

// Names a resource of the plug-in bundle: by file name, or by number (resolved to the
// file name "bmpNNNNN.png", NNNNN the number with five digits).
class CResourceDescription
{
public:
    enum
    {
        kIntegerType = 0,
        kStringType = 1,
        kUnknownType = 2
    };

    CResourceDescription() = default;
    CResourceDescription(int32_t id);
    CResourceDescription(const char* name);

    int32_t getType() const { return type; }
    int32_t getID() const { return id; }
    const std::string& getName() const { return name; }
    // The file name inside the resource folder, empty when there is none.
    std::string getFileName() const;

private:
    int32_t type = kUnknownType;
    int32_t id = 0;
    std::string name;
};

} // namespace VSTGUI
