#pragma once

typedef struct _XDisplay Display;
typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI
{

// Puts finished pictures (Cairo image surfaces, premultiplied ARGB) into windows of one visual.
// Where the visual is plain 24-bit RGB the bytes go to the server as they are; other visuals
// get each pixel converted. Over an opaque window the premultiplied colour is what shows.
class X11PictureCopy
{
public:
    // `visual` (an Xlib Visual*) and `depth` are the windows'; both borrowed.
    X11PictureCopy(Display* display, void* visual, int depth);

    // Copies the whole picture to the window's top-left corner.
    void put(unsigned long window, cairo_surface_t* picture) const;

private:
    Display* display;
    void* visual;
    int depth;
    bool direct;
};

} // namespace VSTGUI
