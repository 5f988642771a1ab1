#include "AAX_CVSTGUIButtonState.h"

#include "AAX_IViewContainer.h"

namespace
{

struct BitPair
{
    uint32 toolkit;
    uint32 host;
};

// Toolkit state bit and host modifier bit of the same key or button.
constexpr BitPair kBitPairs[] = {
    {VSTGUI::kShift, AAX_eModifiers_Shift},
    {VSTGUI::kApple, AAX_eModifiers_Control},
    {VSTGUI::kAlt, AAX_eModifiers_Option},
    {VSTGUI::kControl, AAX_eModifiers_Command},
    {VSTGUI::kRButton, AAX_eModifiers_SecondaryButton},
};

} // namespace

AAX_CVSTGUIButtonState::AAX_CVSTGUIButtonState(const VSTGUI::CButtonState& state,
                                               AAX_IViewContainer* container)
    : hostModifiers(0), buttonState(static_cast<uint32>(static_cast<int32_t>(state)))
{
    for (const BitPair& pair : kBitPairs)
        if (buttonState & pair.toolkit) hostModifiers |= pair.host;
    if (container)
    {
        // Whatever the host leaves in the value counts, whatever it returns.
        uint32 reported = 0;
        container->GetModifiers(&reported);
        hostModifiers |= reported;
    }
    for (const BitPair& pair : kBitPairs)
        if (hostModifiers & pair.host) buttonState |= pair.toolkit;
}
