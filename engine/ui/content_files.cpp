#include "engine/ui/content_files.h"

#include <vector>

namespace zk::ui {

bool LoadsContentFile(ContentControl control, long long tag) {
    switch (control) {
    case ContentControl::Memo:
    case ContentControl::RichEdit:
        return tag == 1 || tag == 2;
    case ContentControl::HtmlViewer:
    case ContentControl::FlashFrame:
        return tag == 1;
    }
    return false;
}

ContentFile FindContentFile(ContentControl control, long long tag, std::string_view language,
                                  const std::function<bool(const std::string&)>& exists) {
    ContentFile out;
    if (!LoadsContentFile(control, tag)) return out;
    const std::string lang(language);
    std::vector<std::string> names;
    std::string base = tag == 2 ? "license" : "readme";
    switch (control) {
    case ContentControl::Memo:
        names = {base + "." + lang + ".txt", base + ".txt"};
        out.hintText = "Add a " + base + "." + lang + ".txt or " + base +
                       ".txt file to your project as a support file/creative to display it here.";
        break;
    case ContentControl::RichEdit:
        names = {base + "." + lang + ".rtf", base + ".rtf", base + "." + lang + ".txt",
                 base + ".txt"};
        out.hintText = "Add a " + base + "." + lang + ".rtf or " + base + ".rtf, or " + base + "." +
                       lang + ".txt or " + base +
                       ".txt file to your project as a support file/creative to display it here.";
        break;
    case ContentControl::HtmlViewer:
        names = {"index." + lang + ".htm", "index.htm"};
        out.hintText = "Add an index.htm file to your project to display it here, along with any "
                       "other additional support/linked files.";
        break;
    case ContentControl::FlashFrame:
        names = {"movie." + lang + ".swf", "movie.swf"};
        out.hintText = "Add a movie.swf file to your project to display it here.";
        break;
    }
    for (const auto& name : names) {
        if (exists(name)) {
            out.found = true;
            out.fileName = name;
            out.hintText.clear();
            return out;
        }
    }
    return out;
}

} // namespace zk::ui
