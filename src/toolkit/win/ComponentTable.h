#pragma once
// A window declared as data: one row per component, in creation order, each
// naming its parent. TForm builds the window from such a table.

#include <span>

namespace tk {

class TObject;
class TForm;

// An event handler: a method of the form, taking the control that raised it.
using TNotifyHandler = void (TForm::*)(TObject* sender);

// Turns a method of a derived form into a handler the table can hold.
template <typename F>
constexpr TNotifyHandler Handler(void (F::*method)(TObject*))
{
    return static_cast<TNotifyHandler>(method);
}

enum class ComponentKind { Panel, PageControl, TabSheet, Button, Label, Memo, Edit, GroupBox, Image, CheckBox, ProgressBar };

enum class Align { None, Top, Bottom, Left, Client };

// System colours by name, plus the fixed white.
enum class Color { Default, BtnFace, Window, White };

enum Option : unsigned {
    NoOptions = 0,
    Hidden = 1u << 0,        // created invisible
    Disabled = 1u << 1,      // created disabled (a label then draws embossed)
    Checked = 1u << 2,       // check box
    ReadOnly = 1u << 3,      // edits
    Borderless = 1u << 4,    // edits: no border, no bevel
    RaisedBevel = 1u << 5,   // panel
    IconPicture = 1u << 6,   // image: the picture is an icon, drawn transparently
    ActivePage = 1u << 7,    // page: the page shown at start (a page control never shows tabs)
};

struct FontSpec {
    const char* name;
    int height; // negative: character height in pixels
    bool bold;
};

struct ComponentDef {
    ComponentKind kind;
    const char* name;
    const char* parent; // nullptr: the form itself
    int left, top, width, height;
    Align align = Align::None;
    int tabOrder = -1; // -1: not a tab stop
    const char* text = "";
    const FontSpec* font = nullptr; // nullptr: the form's font
    unsigned options = NoOptions;
    Color color = Color::Default;
    const char* picture = nullptr; // resource name of a bitmap, or of an icon with IconPicture
    int maximum = 100;             // progress bar
    TNotifyHandler onClick = nullptr;
};

// The window identifier of a form's component: this plus its row.
inline constexpr int FirstComponentId = 1000;

struct FormDef {
    const char* className; // window class, named after the form class
    const char* caption;
    int clientWidth, clientHeight;
    FontSpec font;
    const char* icon; // icon group resource
    TNotifyHandler onCreate;
    std::span<const ComponentDef> components;
};

} // namespace tk
