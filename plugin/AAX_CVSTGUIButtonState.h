#pragma once

#include "AAX.h"
#include "CButtonState.h"

class AAX_IViewContainer;

// The mouse-button state of one toolkit event seen both ways: as the host's modifier mask
// (the event's modifier keys and right button joined by those the host reports) and as the
// toolkit state with the host's modifiers added back.
class AAX_CVSTGUIButtonState
{
public:
    // container: borrowed, may be null (then only the event's own bits count).
    AAX_CVSTGUIButtonState(const VSTGUI::CButtonState& state, AAX_IViewContainer* container);

    uint32 hostModifiers;
    uint32 buttonState;
};
