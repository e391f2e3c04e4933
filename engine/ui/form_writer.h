// Writer of the text form format, the inverse of ReadFormText: reading what it
// writes gives back the same tree. Lines end with CR LF, two blanks per level.
#pragma once
#include <string>

#include "engine/ui/form_object.h"

namespace zk::ui {

std::string WriteFormText(const FormObject& root);
// One value in the form file's own notation, on one line (binary data as hex).
std::string FormValueNotation(const FormValue& value);

} // namespace zk::ui
