// Internal to the form host: the real window behind each component kind.
#pragma once
#include "engine/ui/win/form_host.h"

namespace zk::ui {

struct ControlWindows {
    // Creates the form window and every child window from the stored properties.
    static void CreateAll(TPoolTemplate& host, Component& form);
    // Applies a stored property to the live window (or to the form for non-visual ones).
    static void Apply(Component& c, const std::string& name);
    // The live value where the user or the program changes it; nullopt: use the stored one.
    static std::optional<std::string> ReadLive(const Component& c, const std::string& name);
    static std::optional<std::string> DefaultValue(const Component& c, const PropertyInfo& property);
    // Copies the live state into the stored properties (before the windows go).
    static void Snapshot(Component& c);
    static bool ParentColourByDefault(ComponentKind kind);
    static COLORREF DefaultColour(ComponentKind kind);
    static HWND& HandleOf(Component& c) { return c.hwnd_; }
    static std::vector<std::pair<std::string, std::string>>& Props(Component& c) {
        return c.props_;
    }
};

// Own window classes.
extern const char* const kHostClass;    // "TPoolTemplate"
extern const char* const kPanelClass;   // containers: panel, group box, tab sheet, flash frame
extern const char* const kGraphicClass; // bevel, shape, image, form shape
extern const char* const kHtmlClass;    // the HTML view

// Picture of a TImage: from Picture.Data (class-name prefixed or a plain BMP) or PictureFile.
HBITMAP LoadComponentPicture(const Component& c);
// Fills the file and folder views from their properties.
void FillFolderView(Component& c);
LRESULT CALLBACK HtmlViewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

} // namespace zk::ui
