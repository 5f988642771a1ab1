#pragma once

#include "AAX_LinuxNativeView.h"
#include "CBaseObject.h"
#include "PlatformView.h"

namespace VSTGUI
{

// A frame's platform view for a host without a display: it draws offscreen and passes each
// finished frame, each menu and text field to the host through the host's C function table,
// and takes the host's input events through a C table of its own. Only plain data crosses.
class FrameTableView : private IPlatformViewObserver
{
public:
    // `table` is the host's (borrowed, must outlive this view); every function must be set.
    // `owner` (the frame that holds this view) is kept alive through each event it is sent.
    FrameTableView(const AAX_LinuxFrameTable& table, CBaseObject& owner);
    ~FrameTableView() override;
    FrameTableView(const FrameTableView&) = delete;
    FrameTableView& operator=(const FrameTableView&) = delete;

    // The table's functions are all set.
    static bool isUsable(const AAX_LinuxFrameTable* table);

    PlatformView& getView() { return view; }
    // Tells the host the frame embedded itself (once the frame is attached to the view).
    void announce();

private:
    static int32_t receive(void* context, const AAX_LinuxViewEvent* event);
    bool apply(const AAX_LinuxViewEvent& event);

    void platformViewRendered(const ImageSurface& image) override;
    void platformViewMenuChanged(const PlatformMenuRequest* menu) override;
    void platformViewTextEditChanged(const std::string* text) override;

    const AAX_LinuxFrameTable& table;
    CBaseObject& owner;
    const AAX_LinuxViewInput input;
    PlatformView view;
    bool announced = false;
};

} // namespace VSTGUI
