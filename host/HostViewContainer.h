#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "AAX_IACFViewContainer.h"
#include "AAX_UIDs.h"
#include "HostVersionedUnknown.h"

namespace orv::host
{

// The host's view container for an editor window: the native view the editor embeds its
// frame in, the modifier keys the host reports, and the host's answers when the editor
// offers it a parameter's mouse events. Every answer is configurable (to play hosts that
// take the events, or decline them) and every offered event is recorded. Set the answers
// before the editor runs; the calls are safe from any thread.
class HostViewContainer
    : public HostVersionedUnknown<AAX_IACFViewContainer, AAX_IACFViewContainer_V2,
                                  IID_IAAXViewContainerV1, IID_IAAXViewContainerV2>
{
public:
    enum class MouseKind
    {
        Down,
        Drag,
        Up,
    };
    struct MouseEvent
    {
        MouseKind kind;
        std::string identifier;
        uint32 modifiers;
    };

    // Declining an event: any non-zero result leaves it to the editor.
    static constexpr AAX_Result kDecline = kResultUnimplemented;

    // nativeView: the view handed to the editor (borrowed; must outlive the window).
    // type: an AAX_EViewContainer_Type value (1 is the platform view).
    explicit HostViewContainer(void* nativeView, int32 type = AAX_eViewContainer_Type_NSView,
                               bool offerVersion2 = true);

    void SetModifiers(uint32 modifiers);
    // The answers to HandleParameterMouseDown / Drag / Up (0: the host takes the event).
    void SetMouseAnswer(MouseKind kind, AAX_Result answer);

    std::vector<MouseEvent> MouseEvents() const;
    size_t MouseEventCount(MouseKind kind, const std::string& identifier = std::string()) const;
    // The last size the editor asked for (0 x 0 before any).
    AAX_Point RequestedSize() const;

    int32 GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers(uint32* outModifiers) override;
    AAX_Result SetViewSize(AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers) override
    {
        return Offer(MouseKind::Down, parameterID, modifiers);
    }
    AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers) override
    {
        return Offer(MouseKind::Drag, parameterID, modifiers);
    }
    AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers) override
    {
        return Offer(MouseKind::Up, parameterID, modifiers);
    }
    // The host takes no event for several parameters at once: the editor never offers one.
    AAX_Result HandleMultipleParametersMouseDown(const AAX_CParamID*, uint32, uint32) override
    {
        return kDecline;
    }
    AAX_Result HandleMultipleParametersMouseDrag(const AAX_CParamID*, uint32, uint32) override
    {
        return kDecline;
    }
    AAX_Result HandleMultipleParametersMouseUp(const AAX_CParamID*, uint32, uint32) override
    {
        return kDecline;
    }

private:
    AAX_Result Offer(MouseKind kind, AAX_CParamID parameterID, uint32 modifiers);

    void* const mNativeView;
    const int32 mType;
    mutable std::mutex mMutex;
    uint32 mModifiers = 0;
    AAX_Result mAnswers[3] = {kDecline, kDecline, kDecline};
    std::vector<MouseEvent> mEvents;
    AAX_Point mRequestedSize{0.0f, 0.0f};
};

} // namespace orv::host
