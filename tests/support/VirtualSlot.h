#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace orv::test
{

// Where a virtual operation sits in its class's primary virtual table, read from a pointer
// to it. Under the Itanium C++ ABI such a pointer holds (table offset + 1) for a virtual
// function and an adjustment that is non-zero when the function lives in the table of a
// secondary base; a host calling through the primary table never reaches that one.
struct VirtualSlot
{
    std::ptrdiff_t index = -1; // -1: not a virtual function
    std::ptrdiff_t adjustment = 0;
};

template <typename MemberFunction> VirtualSlot SlotOf(MemberFunction function)
{
    struct Raw
    {
        std::ptrdiff_t pointer;
        std::ptrdiff_t adjustment;
    } raw{};
    static_assert(sizeof(MemberFunction) == sizeof(Raw), "expects the Itanium C++ ABI");
    std::memcpy(&raw, &function, sizeof raw);
    VirtualSlot slot;
    slot.adjustment = raw.adjustment;
    if ((raw.pointer & 1) != 0)
        slot.index = (raw.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
    return slot;
}

// One line of a slot table: an operation, or the destructor pair, which takes two slots and
// cannot be named by a pointer.
struct SlotEntry
{
    std::string name;
    VirtualSlot slot;
    bool destructors = false;
};

#define ORV_SLOT(Class, Operation)                                                                 \
    ::orv::test::SlotEntry                                                                         \
    {                                                                                              \
#Operation, ::orv::test::SlotOf(&Class::Operation)                                         \
    }
#define ORV_SLOT_AS(Class, Operation, Type)                                                        \
    ::orv::test::SlotEntry                                                                         \
    {                                                                                              \
#Operation, ::orv::test::SlotOf(static_cast <Type>(&Class::Operation))                     \
    }
inline SlotEntry Destructors()
{
    return SlotEntry{"destructors", {}, true};
}

// Checks that the operations sit one after another from firstSlot on, in the order given,
// all in the primary table.
inline void ExpectSlotOrder(const char* className, const std::vector<SlotEntry>& table,
                            std::ptrdiff_t firstSlot)
{
    std::ptrdiff_t expected = firstSlot;
    for (const SlotEntry& entry : table)
    {
        if (entry.destructors)
        {
            expected += 2;
            continue;
        }
        EXPECT_EQ(entry.slot.index, expected) << className << "::" << entry.name;
        EXPECT_EQ(entry.slot.adjustment, 0)
            << className << "::" << entry.name << " is not in the primary table";
        ++expected;
    }
}

} // namespace orv::test
