#include "engine/ui/component_classes.h"

#include "common/ansi_case.h"

namespace zk::ui {
namespace {

// Property lists are written compactly: "Name:t[=choices];..." with the types
// b boolean, i integer, f float, t text, l lines, e enumeration, s set,
// c colour, r reference, x binary, w raw.
const char* kFont = "Font.Charset:w;Font.Color:c;Font.Height:i;Font.Size:i;Font.Name:t;"
                    "Font.Style:s=fsBold,fsItalic,fsUnderline,fsStrikeOut;Font.Pitch:e=fpDefault,"
                    "fpVariable,fpFixed;"
                    "ParentFont:b;";
const char* kControl =
    "Left:i;Top:i;Width:i;Height:i;Tag:i;Hint:t;Enabled:b;Visible:b;ShowHint:b;ParentShowHint:b;"
    "Color:c;ParentColor:b;Anchors:s=akLeft,akTop,akRight,akBottom;"
    "Align:e=alNone,alTop,alBottom,alLeft,alRight,alClient,alCustom;Cursor:w;HelpContext:i;"
    "HelpType:w;HelpKeyword:t;TabOrder:i;TabStop:b;Transparent:b;AutoSize:b;BiDiMode:w;"
    "ParentBiDiMode:b;DragCursor:w;DragKind:w;DragMode:w;PopupMenu:r;Ctl3D:b;ParentCtl3D:b;"
    "DoubleBuffered:b;ParentBackground:b;Constraints.MaxHeight:i;Constraints.MaxWidth:i;"
    "Constraints.MinHeight:i;Constraints.MinWidth:i;ImeMode:w;ImeName:t;";
const char* kAlign = "Alignment:e=taLeftJustify,taRightJustify,taCenter;";
const char* kBevels =
    "BevelInner:e=bvNone,bvLowered,bvRaised,bvSpace;BevelOuter:e=bvNone,bvLowered,bvRaised,bvSpace;"
    "BevelWidth:i;BevelKind:e=bkNone,bkTile,bkSoft,bkFlat;BevelEdges:s=beLeft,beTop,beRight,"
    "beBottom;";
const char* kBorder = "BorderStyle:e=bsNone,bsSingle;";
const char* kEdit =
    "Text:t;MaxLength:i;PasswordChar:w;ReadOnly:b;AutoSelect:b;HideSelection:b;OEMConvert:b;"
    "CharCase:e=ecNormal,ecUpperCase,ecLowerCase;";
const char* kMemo =
    "Lines.Strings:l;ScrollBars:e=ssNone,ssHorizontal,ssVertical,ssBoth;ReadOnly:b;WordWrap:b;"
    "MaxLength:i;WantReturns:b;WantTabs:b;HideSelection:b;OEMConvert:b;";
const char* kButton = "Caption:t;Default:b;Cancel:b;ModalResult:i;WordWrap:b;";
const char* kGlyph = "Glyph.Data:x;NumGlyphs:i;Margin:i;Spacing:i;Layout:e=blGlyphLeft,"
                     "blGlyphRight,blGlyphTop,blGlyphBottom;";
const char* kList =
    "Items.Strings:l;ItemIndex:i;Sorted:b;ItemHeight:i;MultiSelect:b;ExtendedSelect:b;Columns:i;"
    "IntegralHeight:b;";
const char* kRange = "Min:i;Max:i;Position:i;";
const char* kPicture =
    "Picture.Data:x;PictureFile:t;Stretch:b;Center:b;Proportional:b;IncrementalDisplay:b;";
const char* kFolder = "Directory:t;";

struct ClassText {
    const char* name;
    ComponentKind kind;
    bool visual;
    bool container;
    const char* props; // beyond the control and font properties
    bool font;
};

const ClassText kClasses[] = {
    {"TLabel", ComponentKind::Label, true, false,
     "Caption:t;Layout:e=tlTop,tlCenter,tlBottom;WordWrap:b;ShowAccelChar:b;FocusControl:r;", true},
    {"TEdit", ComponentKind::Edit, true, false, "", true},
    {"TMemo", ComponentKind::Memo, true, false, "", true},
    {"TButton", ComponentKind::Button, true, false, "", true},
    {"TRzCheckBox", ComponentKind::CheckBox, true, false,
     "Caption:t;Checked:b;State:e=cbUnchecked,cbChecked,cbGrayed;AllowGrayed:b;WordWrap:b;", true},
    {"TRzRadioButton", ComponentKind::RadioButton, true, false, "Caption:t;Checked:b;WordWrap:b;",
     true},
    {"TListBox", ComponentKind::ListBox, true, false, "", true},
    {"TComboBox", ComponentKind::ComboBox, true, false,
     "Text:t;DropDownCount:i;MaxLength:i;"
     "Style:e=csDropDown,csSimple,csDropDownList,csOwnerDrawFixed,csOwnerDrawVariable;",
     true},
    {"TGroupBox", ComponentKind::GroupBox, true, true, "Caption:t;", true},
    {"TPanel", ComponentKind::Panel, true, true,
     "Caption:t;BorderWidth:i;FullRepaint:b;Locked:b;"
     "VerticalAlignment:e=taAlignTop,taAlignBottom,taVerticalCenter;",
     true},
    {"TBitBtn", ComponentKind::BitBtn, true, false,
     "Kind:e=bkCustom,bkOK,bkCancel,bkHelp,bkYes,bkNo,bkClose,bkAbort,bkRetry,bkIgnore,bkAll;",
     true},
    {"TSpeedButton", ComponentKind::SpeedButton, true, false,
     "Caption:t;Flat:b;GroupIndex:i;Down:b;AllowAllUp:b;", true},
    {"TMaskEdit", ComponentKind::MaskEdit, true, false, "EditMask:t;", true},
    {"TImage", ComponentKind::Image, true, false, "", false},
    {"TShape", ComponentKind::Shape, true, false,
     "Shape:e=stRectangle,stSquare,stRoundRect,stRoundSquare,stEllipse,stCircle;"
     "Brush.Color:c;Brush.Style:w;Pen.Color:c;Pen.Width:i;Pen.Style:w;Pen.Mode:w;",
     false},
    {"TBevel", ComponentKind::Bevel, true, false,
     "Shape:e=bsBox,bsFrame,bsTopLine,bsBottomLine,bsLeftLine,bsRightLine,bsSpacer;"
     "Style:e=bsLowered,bsRaised;",
     false},
    {"TStaticText", ComponentKind::StaticText, true, false,
     "Caption:t;BorderStyle:e=sbsNone,sbsSingle,sbsSunken;ShowAccelChar:b;FocusControl:r;", true},
    {"TGauge", ComponentKind::Gauge, true, false,
     "MinValue:i;MaxValue:i;Progress:i;ForeColor:c;BackColor:c;ShowText:b;"
     "Kind:e=gkText,gkHorizontalBar,gkVerticalBar,gkPie,gkNeedle;BorderStyle:e=bsNone,bsSingle;",
     true},
    {"TPageControl", ComponentKind::PageControl, true, true,
     "ActivePage:r;MultiLine:b;TabIndex:i;TabHeight:i;TabWidth:i;"
     "TabPosition:e=tpTop,tpBottom,tpLeft,tpRight;Style:e=tsTabs,tsButtons,tsFlatButtons;HotTrack:"
     "b;Images:r;",
     true},
    {"TTabSheet", ComponentKind::TabSheet, true, true,
     "Caption:t;TabVisible:b;PageIndex:i;ImageIndex:i;Highlighted:b;", true},
    {"TRichEdit", ComponentKind::RichEdit, true, false, "PlainText:b;", true},
    {"TTrackBar", ComponentKind::TrackBar, true, false,
     "Frequency:i;PageSize:i;LineSize:i;SelStart:i;SelEnd:i;SliderVisible:b;ThumbLength:i;"
     "Orientation:e=trHorizontal,trVertical;TickMarks:e=tmBottomRight,tmTopLeft,tmBoth;TickStyle:e="
     "tsNone,tsAuto,tsManual;",
     true},
    {"TProgressBar", ComponentKind::ProgressBar, true, false,
     "Step:i;Smooth:b;Orientation:e=pbHorizontal,pbVertical;"
     "Style:e=pbstNormal,pbstMarquee;MarqueeInterval:i;BarColor:c;BackgroundColor:c;",
     false},
    {"TUpDown", ComponentKind::UpDown, true, false,
     "Associate:r;Orientation:e=udHorizontal,udVertical;Wrap:b;Increment:i;"
     "Thousands:b;ArrowKeys:b;AlignButton:e=udLeft,udRight;",
     false},
    {"TAnimate", ComponentKind::Animate, true, false,
     "Active:b;FileName:t;Center:b;Repetitions:i;StartFrame:i;StopFrame:i;Timers:b;"
     "CommonAVI:e=aviNone,aviFindFolder,aviFindFile,aviFindComputer,aviCopyFiles,aviCopyFile,"
     "aviRecycleFile,aviEmptyRecycle,aviDeleteFile;",
     false},
    {"TCheckListBox", ComponentKind::CheckListBox, true, false, "AllowGrayed:b;Flat:b;", true},
    {"TTreeView", ComponentKind::TreeView, true, false,
     "ReadOnly:b;ShowButtons:b;ShowLines:b;ShowRoot:b;HideSelection:b;RowSelect:b;"
     "AutoExpand:b;Indent:i;Images:r;StateImages:r;HotTrack:b;ToolTips:b;",
     true},
    {"THTMLViewer", ComponentKind::HtmlViewer, true, false,
     "DefFontName:t;DefFontSize:i;DefFontColor:c;DefBackground:c;"
     "DefHotSpotColor:c;MarginWidth:i;MarginHeight:i;ScrollBars:e=ssNone,ssHorizontal,ssVertical,"
     "ssBoth;NoSelect:b;"
     "BorderStyle:e=htFocused,htNone,htSingle;",
     false},
    {"TFileListBox", ComponentKind::FileListBox, true, false,
     "Mask:t;ShowGlyphs:b;FileEdit:r;"
     "FileType:s=ftReadOnly,ftHidden,ftSystem,ftVolumeID,ftDirectory,ftArchive,ftNormal;",
     true},
    {"TDirectoryListBox", ComponentKind::DirectoryListBox, true, false, "DirLabel:r;FileList:r;",
     true},
    {"TDriveComboBox", ComponentKind::DriveComboBox, true, false,
     "Drive:w;DirList:r;TextCase:e=tcLowerCase,tcUpperCase;", true},
    {"TFilterComboBox", ComponentKind::FilterComboBox, true, false, "Filter:t;FileList:r;", true},
    {"TPTShellTree", ComponentKind::ShellTree, true, false,
     "Path:t;HideSelection:b;ShowLines:b;ShowButtons:b;ShellList:r;ShellCombo:r;", true},
    {"TPTShellList", ComponentKind::ShellList, true, false,
     "Path:t;HideSelection:b;ShellTree:r;ShellCombo:r;"
     "ViewStyle:e=vsIcon,vsSmallIcon,vsList,vsReport;",
     true},
    {"TPTShellCombo", ComponentKind::ShellCombo, true, false, "Path:t;ShellTree:r;ShellList:r;",
     true},
    {"TFlashFrame", ComponentKind::FlashFrame, true, false,
     "Caption:t;AutoRegisterFlash:b;AutoScale:b;Loop:b;", true},
    {"TRzFormShape", ComponentKind::FormShape, true, false, "", false},
    {"TRzBmpButton", ComponentKind::BmpButton, true, false,
     "Bitmaps.Up.Data:x;Bitmaps.Down.Data:x;Bitmaps.Disabled.Data:x;"
     "Bitmaps.Hot.Data:x;Bitmaps.TransparentColor:c;Flat:b;",
     true},
    {"TVistaGlass", ComponentKind::VistaGlass, false, false,
     "Left:i;Top:i;Tag:i;GlassEnabled:b;GlassLeft:i;GlassTop:i;"
     "GlassRight:i;GlassBottom:i;SheetofGlass:b;",
     false},
};

void AddProperties(std::vector<PropertyInfo>& out, std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(';', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view item = text.substr(at, end - at);
        at = end + 1;
        std::size_t colon = item.find(':');
        if (colon == std::string_view::npos || colon + 1 >= item.size()) continue;
        PropertyInfo property;
        property.name = std::string(item.substr(0, colon));
        switch (item[colon + 1]) {
        case 'b':
            property.type = PropertyType::Boolean;
            break;
        case 'i':
            property.type = PropertyType::Integer;
            break;
        case 'f':
            property.type = PropertyType::Float;
            break;
        case 't':
            property.type = PropertyType::Text;
            break;
        case 'l':
            property.type = PropertyType::Lines;
            break;
        case 'e':
            property.type = PropertyType::Enumeration;
            break;
        case 's':
            property.type = PropertyType::Set;
            break;
        case 'c':
            property.type = PropertyType::Colour;
            break;
        case 'r':
            property.type = PropertyType::Reference;
            break;
        case 'x':
            property.type = PropertyType::Binary;
            break;
        default:
            property.type = PropertyType::Raw;
        }
        if (item.size() > colon + 3 && item[colon + 2] == '=')
            property.choices = std::string(item.substr(colon + 3));
        // A later definition of the same name replaces the earlier one.
        bool replaced = false;
        for (auto& existing : out)
            if (AnsiSameText(existing.name, property.name)) {
                existing = property;
                replaced = true;
            }
        if (!replaced) out.push_back(std::move(property));
    }
}

std::vector<ComponentClass> BuildClasses() {
    std::vector<ComponentClass> classes;
    for (const auto& c : kClasses) {
        ComponentClass cls{c.name, c.kind, c.visual, c.container, {}};
        if (c.visual) AddProperties(cls.properties, kControl);
        if (c.font) AddProperties(cls.properties, kFont);
        switch (c.kind) {
        case ComponentKind::Label:
        case ComponentKind::StaticText:
        case ComponentKind::CheckBox:
        case ComponentKind::RadioButton:
        case ComponentKind::Panel:
        case ComponentKind::Memo:
        case ComponentKind::RichEdit:
            AddProperties(cls.properties, kAlign);
            break;
        default:
            break;
        }
        switch (c.kind) {
        case ComponentKind::Edit:
        case ComponentKind::MaskEdit:
            AddProperties(cls.properties, kEdit);
            AddProperties(cls.properties, kBorder);
            break;
        case ComponentKind::Memo:
        case ComponentKind::RichEdit:
            AddProperties(cls.properties, kMemo);
            AddProperties(cls.properties, kBorder);
            break;
        case ComponentKind::Button:
        case ComponentKind::BmpButton:
            AddProperties(cls.properties, kButton);
            break;
        case ComponentKind::BitBtn:
            AddProperties(cls.properties, kButton);
            AddProperties(cls.properties, kGlyph);
            break;
        case ComponentKind::SpeedButton:
            AddProperties(cls.properties, kGlyph);
            break;
        case ComponentKind::ListBox:
        case ComponentKind::CheckListBox:
        case ComponentKind::FileListBox:
        case ComponentKind::DirectoryListBox:
            AddProperties(cls.properties, kList);
            AddProperties(cls.properties, kBorder);
            break;
        case ComponentKind::ComboBox:
        case ComponentKind::DriveComboBox:
        case ComponentKind::FilterComboBox:
        case ComponentKind::ShellCombo:
            AddProperties(cls.properties, kList);
            break;
        case ComponentKind::Panel:
        case ComponentKind::FlashFrame:
            AddProperties(cls.properties, kBevels);
            AddProperties(cls.properties, kBorder);
            break;
        case ComponentKind::Image:
        case ComponentKind::FormShape:
            AddProperties(cls.properties, kPicture);
            break;
        case ComponentKind::ProgressBar:
        case ComponentKind::TrackBar:
        case ComponentKind::UpDown:
            AddProperties(cls.properties, kRange);
            break;
        case ComponentKind::TreeView:
        case ComponentKind::ShellTree:
        case ComponentKind::ShellList:
            AddProperties(cls.properties, kBorder);
            break;
        default:
            break;
        }
        if (c.kind == ComponentKind::FileListBox || c.kind == ComponentKind::DirectoryListBox ||
            c.kind == ComponentKind::DriveComboBox)
            AddProperties(cls.properties, kFolder);
        AddProperties(cls.properties, c.props);
        classes.push_back(std::move(cls));
    }
    return classes;
}

} // namespace

const PropertyInfo* ComponentClass::Find(std::string_view name) const {
    for (const auto& p : properties)
        if (AnsiSameText(p.name, name)) return &p;
    return nullptr;
}

const std::vector<ComponentClass>& DialogComponentClasses() {
    static const std::vector<ComponentClass> classes = BuildClasses();
    return classes;
}

const ComponentClass* FindComponentClass(std::string_view className) {
    for (const auto& c : DialogComponentClasses())
        if (AnsiSameText(c.className, className)) return &c;
    return nullptr;
}

const ComponentClass& HostFormClass() {
    static const ComponentClass form = [] {
        ComponentClass cls{"TPoolTemplate", ComponentKind::Form, true, true, {}};
        AddProperties(cls.properties, kControl);
        AddProperties(cls.properties, kFont);
        AddProperties(
            cls.properties,
            "Caption:t;ClientWidth:i;ClientHeight:i;OldCreateOrder:b;PixelsPerInch:i;TextHeight:i;"
            "Scaled:b;KeyPreview:b;AutoScroll:b;HorzScrollBar.Visible:b;VertScrollBar.Visible:b;"
            "Icon.Data:x;GlassFrame.Enabled:b;DesignSize:w;"
            "Position:e=poDesigned,poDefault,poDefaultPosOnly,poDefaultSizeOnly,poScreenCenter,"
            "poDesktopCenter,poMainFormCenter,poOwnerFormCenter;"
            "BorderStyle:e=bsNone,bsSingle,bsSizeable,bsDialog,bsToolWindow,bsSizeToolWin;"
            "BorderIcons:s=biSystemMenu,biMinimize,biMaximize,biHelp;"
            "FormStyle:e=fsNormal,fsMDIChild,fsMDIForm,fsStayOnTop;"
            "WindowState:e=wsNormal,wsMinimized,wsMaximized;");
        return cls;
    }();
    return form;
}

} // namespace zk::ui
