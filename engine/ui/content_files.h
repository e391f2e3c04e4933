// Fixed-name content files that some controls load from the support folder
// (readme, licence, index page, movie), with language-specific names first and
// a hint text when none exists.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace zk::ui {

enum class ContentControl { Memo, RichEdit, HtmlViewer, FlashFrame };

struct ContentFile {
    bool found = false;
    std::string fileName; // the first existing file (name without folder)
    std::string hintText; // the text to show when none exists
};

// Whether this control kind with this Tag loads a fixed-name content file.
bool LoadsContentFile(ContentControl control, long long tag);
// The first of the candidate files for which `exists(name)` holds, else the hint
// text. `language` is the value of LANGUAGE, possibly empty.
ContentFile FindContentFile(ContentControl control, long long tag, std::string_view language,
                                  const std::function<bool(const std::string&)>& exists);

} // namespace zk::ui
