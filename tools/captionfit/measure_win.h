// How much room a control's caption takes, measured with the control's own
// font the way the control draws it, against the room the control gives it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace captionfit {

struct Measure {
    std::wstring caption;  // as the control holds it ("&" included)
    SIZE text{};           // what the caption takes, in pixels
    SIZE room{};           // what the control leaves for it
    SIZE client{};         // the control's client area
    bool fits = false;
};

// Buttons, check boxes, frames, labels, text boxes and drop-down boxes;
// nothing for a control that shows no text of its own (a slider, a
// picture, a list of the user's entries).
//   push button   one line inside its edges (the theme's content area
//                 where the button is themed)
//   check box     one line beside its box; a box without text needs room
//                 for the box
//   frame         one line along its top edge, between its corners
//   label         wrapped over its width, as a label wraps: every line
//                 within the width and all of them within the height
//   text field    one line of its font within its height; the text
//                 itself scrolls sideways
//   drop-down list  its widest entry (the caption given) within the field
//                 that shows the chosen one
std::optional<Measure> MeasureCaption(HWND control);

}  // namespace captionfit
