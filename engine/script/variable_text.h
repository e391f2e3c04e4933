// Text forms of script variables that need no store: pure references, the
// "$NEWLINE$" line-break encoding, doubled-backslash collapsing of paths and
// the boolean words.
#pragma once
#include <string>
#include <string_view>

namespace zk::script {

// True when the text is exactly one reference: it starts with "$" and its
// next "$" is its last character ("$TARGETDIR$", "$$").
bool IsPureReference(std::string_view text);
// The name inside a pure reference, or empty when the text is not one.
std::string PureReferenceName(std::string_view text);
// The name a "name or reference" parameter designates: the name inside a pure
// reference, otherwise the text itself.
std::string NameOrReference(std::string_view text);

// Every "$NEWLINE$" (any letter case) becomes CR LF.
std::string DecodeLineBreaks(std::string_view text);
// Every CR LF becomes "$NEWLINE$".
std::string EncodeLineBreaks(std::string_view text);

// Every "\\" becomes "\" (left to right); a text that began with "\\" keeps
// one more "\" in front so that a network path prefix survives.
std::string CollapsePathBackslashes(std::string_view text);

// The boolean words: "TRUE" in any letter case, or exactly "-1".
bool IsTrueText(std::string_view text);

} // namespace zk::script
