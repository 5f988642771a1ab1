#pragma once

// Common base through which a parameter accepts a replacement taper of its own value type.
class AAX_ITaperDelegateBase
{
public:
    virtual ~AAX_ITaperDelegateBase() = default;
};

// Maps between a parameter's real value of type T and the normalized value in 0..1 that the
// host and automation work with. Immutable after construction, so usable from any thread.
template <typename T> class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
    ~AAX_ITaperDelegate() override = default;

    // [thread-safe] A new heap copy of the same concrete class; the caller owns it and deletes
    // it.
    virtual AAX_ITaperDelegate* Clone() const = 0;
    // [thread-safe] The largest real value.
    virtual T GetMaximumValue() const = 0;
    // [thread-safe] The smallest real value.
    virtual T GetMinimumValue() const = 0;
    // [thread-safe] The given value forced into the legal range.
    virtual T ConstrainRealValue(T value) const = 0;
    // [thread-safe] The real value of a normalized value, constrained to the range.
    virtual T NormalizedToReal(double normalizedValue) const = 0;
    // [thread-safe] The normalized value in 0..1 of a real value.
    virtual double RealToNormalized(T realValue) const = 0;
};
