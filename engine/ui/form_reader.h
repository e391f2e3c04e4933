// Reader of the text form format: `object`/`inherited`/`inline` blocks, dotted
// property names, integers ($hex), floats, identifiers, quoted strings with
// #nn codes joined by '+', lists ( ), sets [ ], binary { } and collections < >.
// Bounded (nesting depth, value sizes) because form files are outside input.
#pragma once
#include <string>
#include <string_view>

#include "engine/script/engine_error.h"
#include "engine/ui/form_object.h"

namespace zk::ui {

// A form file that cannot be read; the message names file, line and column.
class FormReadError : public EngineError {
  public:
    FormReadError(const std::string& file, int line, int column, const std::string& what);
    int Line() const { return line_; }
    int Column() const { return column_; }

  private:
    int line_;
    int column_;
};

struct FormReadLimits {
    int maxDepth = 48;                            // objects, lists and collections nested
    std::size_t maxValueBytes = 16 * 1024 * 1024; // one string or binary value
    std::size_t maxInputBytes = 64 * 1024 * 1024;
};

// Reads one root object; `fileName` only names the file in error messages.
FormObject ReadFormText(std::string_view text, std::string_view fileName = "",
                        const FormReadLimits& limits = {});

} // namespace zk::ui
