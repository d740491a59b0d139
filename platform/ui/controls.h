// The control kinds the program's windows are drawn with. Each takes its
// place and its designed properties; handlers are wired by member:
//   cmdLocate.onClick = [this] { cmdLocate_Click(); };
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

using Handler = std::function<void()>;

// A control's font. Every control has the font the windows were designed
// with, 8.25 pt MS Sans Serif, unless it names another.
struct Font {
    static constexpr const char16_t* kDesignedFace = u"MS Sans Serif";
    static constexpr double kDesignedPoints = 8.25;

    vb::String face;    // empty: the designed face
    double points = 0;  // 0: the designed size
    bool bold = false;
    bool underline = false;
};

class CommandButton : public Control {
public:
    struct Props {
        vb::String caption;
        bool isDefault = false;  // Enter presses it
        bool isCancel = false;   // Esc presses it
    };
    CommandButton(Form& form, const Place& place, Props props);

    const vb::String& caption() const { return now_.caption; }
    void setCaption(vb::StringView text);
    bool isDefault() const { return now_.isDefault; }
    bool isCancel() const { return now_.isCancel; }

    // A press, by the user or the program.
    void Click();

    Handler onClick;
    void ResetToDesign() override;

private:
    Props design_, now_;
};

// States 0 (unticked), 1 (ticked) and 2 (greyed). Assigning a new state runs
// the Click handler inside the assignment, exactly like a user's click.
class CheckBox : public Control {
public:
    struct Props {
        vb::String caption;
        int16_t value = 0;
    };
    CheckBox(Form& form, const Place& place, Props props);

    const vb::String& caption() const { return now_.caption; }
    int16_t value() const { return now_.value; }
    // Raises error 380 for a state outside 0..2; an equal state runs nothing.
    void setValue(int value);
    // The user's click: a ticked box is unticked, any other is ticked.
    void UserClick();

    Handler onClick;
    void ResetToDesign() override;

private:
    Props design_, now_;
};

class Label : public Control {
public:
    struct Props {
        vb::String caption;
        bool link = false;  // underlined, with a pointing-hand cursor
        Font font{};
        Colour foreColour = kSystemColour;
    };
    Label(Form& form, const Place& place, Props props);

    const vb::String& caption() const { return now_.caption; }
    void setCaption(vb::StringView text);
    bool isLink() const { return now_.link; }
    const Font& font() const { return now_.font; }
    Colour foreColour() const { return now_.foreColour; }

    void Click();

    Handler onClick;
    void ResetToDesign() override;

private:
    Props design_, now_;
};

class TextBox : public Control {
public:
    struct Props {
        vb::String text;
    };
    TextBox(Form& form, const Place& place, Props props = {});

    const vb::String& text() const { return now_.text; }
    // By the program; the window shows the new text.
    void setText(vb::StringView text);
    // What the user typed, reported by the backend; the window has it already.
    void UserTyped(vb::StringView text);

    Handler onChange;
    void ResetToDesign() override;

private:
    Props design_, now_;
};

// An editable drop-down box: a text field as a text box has, and a list of
// entries the user may choose from instead of typing. With listOnly, a
// drop-down list: the user chooses an entry and types nothing.
class ComboBox : public Control {
public:
    struct Props {
        vb::String text;
        std::vector<vb::String> list;
        bool listOnly = false;
    };
    ComboBox(Form& form, const Place& place, Props props);
    ComboBox(Form& form, const Place& place);

    const vb::String& text() const { return now_.text; }
    // By the program; the window shows the new text.
    void setText(vb::StringView text);
    // What the user typed, reported by the backend; the window has it already.
    void UserTyped(vb::StringView text);

    bool listOnly() const { return now_.listOnly; }
    const std::vector<vb::String>& list() const { return now_.list; }
    // The entry chosen last, or -1; typing chooses none.
    int listIndex() const { return listIndex_; }
    // By the program: the field shows entry `index` (-1: none chosen, an
    // empty field), then the Click handler runs if the choice changed.
    // Raises error 380 for an index outside -1..count-1.
    void setListIndex(int index);
    // The entry of that name, or -1.
    int IndexOf(vb::StringView item) const;
    // The user chose entry `index` of the list: the field shows it, then the
    // Click handler runs. An index outside the list is ignored.
    void UserChose(int index);

    Handler onChange;
    Handler onClick;
    void ResetToDesign() override;

private:
    Props design_, now_;
    int listIndex_ = -1;
};

// A list of entries of which the user selects one (a click, the arrow
// keys). The program adds, removes, replaces and selects entries.
class ListBox : public Control {
public:
    struct Props {
        std::vector<vb::String> list;
    };
    ListBox(Form& form, const Place& place, Props props = {});

    const std::vector<vb::String>& list() const { return now_.list; }
    int listCount() const { return static_cast<int>(now_.list.size()); }
    // The selected entry, or -1.
    int listIndex() const { return listIndex_; }
    // By the program: selects entry `index` (-1: none), then the Click
    // handler runs if the selection changed. Raises error 380 for an index
    // outside -1..count-1.
    void setListIndex(int index);
    // Adds an entry at `index` (-1: at the end); raises error 5 for an index
    // outside 0..count. The selection stays on its entry.
    void AddItem(vb::StringView text, int index = -1);
    // Raises error 5 for an index outside the list. Removing the selected
    // entry leaves none selected; the selection stays on any other entry.
    void RemoveItem(int index);
    // Replaces the text of entry `index`; raises error 5 outside the list.
    void setItem(int index, vb::StringView text);
    // Every entry gone, none selected.
    void Clear();

    // The user selected entry `index`; an index outside the list is ignored.
    void UserSelected(int index);
    // A key went down while the list had the focus: the key's code (46 is
    // Delete) and the state of Shift (1), Ctrl (2) and Alt (4). A handler
    // that sets the code to 0 has taken the key, and the list does nothing
    // more with it.
    void UserKeyDown(int& keyCode, int shift);

    Handler onClick;  // the selection changed
    std::function<void(int& keyCode, int shift)> onKeyDown;
    void ResetToDesign() override;

private:
    Props design_, now_;
    int listIndex_ = -1;
};

// The key code of Delete, as UserKeyDown gives it.
inline constexpr int kKeyDelete = 46;

class Frame : public Control {
public:
    struct Props {
        vb::String caption;
    };
    Frame(Form& form, const Place& place, Props props);

    const vb::String& caption() const { return now_.caption; }
    void ResetToDesign() override;

private:
    Props design_, now_;
};

// A horizontal slider of whole positions.
class Slider : public Control {
public:
    struct Props {
        int min = 0, max = 10;
        int smallChange = 1;  // arrow keys
        int largeChange = 5;  // page keys and clicks on the track
        int value = 0;
        int tickFrequency = 1;
    };
    Slider(Form& form, const Place& place, const Props& props);

    int min() const { return now_.min; }
    int max() const { return now_.max; }
    int smallChange() const { return now_.smallChange; }
    int largeChange() const { return now_.largeChange; }
    int tickFrequency() const { return now_.tickFrequency; }
    int value() const { return now_.value; }
    // Raises error 380 for a position outside min..max.
    void setValue(int value);
    // The user moved it; the backend reports the new position.
    void UserMoved(int value);

    Handler onChange;
    void ResetToDesign() override;

private:
    Props design_, now_;
};

// A straight line drawn on the form, from (x1, y1) to (x2, y2) in twips.
class Line : public Control {
public:
    struct Props {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Colour colour = 0;
        int widthPixels = 1;
    };
    Line(Form& form, const char16_t* name, const Props& props);

    const Props& props() const { return props_; }

private:
    Props props_;
};

class PictureBox : public Control {
public:
    struct Props {
        int icon = 0;  // icon resource of the program
    };
    PictureBox(Form& form, const Place& place, Props props);

    int icon() const { return props_.icon; }

private:
    Props props_;
};

// Ticks every `interval` milliseconds while enabled and the interval is above 0.
class Timer : public Control {
public:
    struct Props {
        bool enabled = true;
        int interval = 0;
    };
    Timer(Form& form, const char16_t* name, Props props);

    int interval() const { return now_.interval; }
    void setInterval(int milliseconds);
    bool timerEnabled() const { return now_.enabled; }
    void setTimerEnabled(bool on);
    bool Running() const { return now_.enabled && now_.interval > 0; }

    // One tick, from the backend's timer.
    void Tick();

    Handler onTimer;
    void ResetToDesign() override;

private:
    Props design_, now_;
};

}  // namespace ui
