#pragma once

#include "CBaseObject.h"

namespace VSTGUI
{

// The data of a drag: a list of items, each a typed block of bytes. Walk it with first()
// and next(); both return null past the end.
class CDragContainer : public CBaseObject
{
public:
    enum CDragType
    {
        kFile = 0,
        kText,
        kUnicodeText,
        kUnknown = -1,
        kError = -2
    };

    virtual void* first(int32_t& size, int32_t& type) = 0;
    virtual void* next(int32_t& size, int32_t& type) = 0;
    virtual int32_t getType(int32_t idx) const = 0;
    virtual int32_t getCount() const = 0;
};

// What later toolkit versions call the drag's data package.
typedef CDragContainer IDataPackage;

} // namespace VSTGUI
