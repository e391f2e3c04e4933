// The component classes a dialog file may use and the published properties of
// each, with their types (for the text form of property_text.h).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/ui/property_text.h"

namespace zk::ui {

enum class ComponentKind {
    Form,
    Label,
    Edit,
    Memo,
    Button,
    CheckBox,
    RadioButton,
    ListBox,
    ComboBox,
    GroupBox,
    Panel,
    BitBtn,
    SpeedButton,
    MaskEdit,
    Image,
    Shape,
    Bevel,
    StaticText,
    Gauge,
    PageControl,
    TabSheet,
    RichEdit,
    TrackBar,
    ProgressBar,
    UpDown,
    Animate,
    CheckListBox,
    TreeView,
    HtmlViewer,
    FileListBox,
    DirectoryListBox,
    DriveComboBox,
    FilterComboBox,
    ShellTree,
    ShellList,
    ShellCombo,
    FlashFrame,
    FormShape,
    BmpButton,
    VistaGlass
};

struct PropertyInfo {
    std::string name;
    PropertyType type = PropertyType::Raw;
    std::string choices; // enumeration or set identifiers, comma separated
};

struct ComponentClass {
    std::string className;
    ComponentKind kind;
    bool visual = true;     // false: not drawn at run time
    bool container = false; // may parent nested controls
    std::vector<PropertyInfo> properties;

    // The property of that name (ignoring case), or nullptr.
    const PropertyInfo* Find(std::string_view name) const;
};

// The 39 classes in their registration order.
const std::vector<ComponentClass>& DialogComponentClasses();
// The class of that name (ignoring case), or nullptr when a dialog may not use it.
const ComponentClass* FindComponentClass(std::string_view className);
// The host form's own published properties (the root object of a dialog file).
const ComponentClass& HostFormClass();

} // namespace zk::ui
