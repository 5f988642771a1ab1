#pragma once

class AAX_CString;

// Common base through which a parameter accepts a replacement display of its own value type.
class AAX_IDisplayDelegateBase
{
public:
    virtual ~AAX_IDisplayDelegateBase() = default;
};

// Turns a real value of type T into text and text back into a value. Immutable after
// construction, so usable from any thread ([thread-safe], tags in AAX_ThreadTags.h). Text outputs
// belong to the caller.
template <typename T> class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
    ~AAX_IDisplayDelegate() override = default;

    // [thread-safe] A new heap copy of the same concrete class; the caller owns it and deletes
    // it.
    virtual AAX_IDisplayDelegate* Clone() const = 0;
    // [thread-safe] Writes the text for value into valueString (the caller's); true on success.
    virtual bool ValueToString(T value, AAX_CString* valueString) const = 0;
    // [thread-safe] The same with a limit, in characters, on the length of the text.
    virtual bool ValueToString(T value, int maxNumChars, AAX_CString* valueString) const = 0;
    // [thread-safe] Reads a value from text (borrowed) into *value; false (and a defined value)
    // when the text is not understood.
    virtual bool StringToValue(const AAX_CString& valueString, T* value) const = 0;
};
