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

    // A new heap copy of the same concrete class; the caller owns it.
    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    // The given value forced into the legal range.
    virtual T ConstrainRealValue(T value) const = 0;
    virtual T NormalizedToReal(double normalizedValue) const = 0;
    virtual double RealToNormalized(T realValue) const = 0;
};
