#pragma once

#include "CRect.h"
#include "X11PictureCopy.h"

#include <string>

typedef struct _XDisplay Display;

namespace VSTGUI
{

// A text field being edited in place: a child window over the control, showing the text
// with a caret. Keys reach the frame's window (the field does not take them), which edits
// the text through the platform view and hands it back with setText. The text it opens with
// is selected, as in a native field: the first key typed replaces it.
class X11TextFieldWindow
{
public:
    // `where` is in the coordinates of `frameWindow`, the field's parent, whose visual
    // `copier` draws for.
    X11TextFieldWindow(Display* display, unsigned long frameWindow, const X11PictureCopy& copier,
                       const CRect& where, const std::string& text);
    ~X11TextFieldWindow();
    X11TextFieldWindow(const X11TextFieldWindow&) = delete;
    X11TextFieldWindow& operator=(const X11TextFieldWindow&) = delete;

    unsigned long getWindow() const { return window; }
    // Shows `text` and publishes it on the window for whoever drives the editor.
    void setText(const std::string& text);
    // The text is still the selected one it opened with.
    bool isSelected() const { return selected; }
    void unselect();
    void draw();

private:
    Display* display;
    X11PictureCopy copier;
    unsigned long window = 0;
    int width = 0;
    int height = 0;
    std::string text;
    bool selected = true;
};

} // namespace VSTGUI
