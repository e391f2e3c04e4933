#include "quorvconfig/velmora_util/velmora_util.h"

#include <cstdarg>
#include <cstring>
#include <vector>

namespace zk::velm {

int Error_Fct(Velm_Window window, int type, const char* format, ...) {
    bool trace = type >= Type_Trace && type <= Type_Trace_Last;
    // Nobody would see it: skip the formatting.
    if (User_Error_Fct == nullptr && trace && Flag_Trace == 0) return 1;
    // Measure first so that texts of any length are passed whole.
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);

    if (User_Error_Fct != nullptr) return User_Error_Fct(window, type, text.data());
    // No handler yet: errors and warnings still reach the error output; trace
    // entries only when tracing.
    if (!trace || Flag_Trace != 0)
        std::fprintf(stderr, "%s (type %d): %s\n", Prog_Name.c_str(), type, text.data());
    return type == Type_Question ? 0 : 1;
}

std::string Error_Perror(int errorNumber) {
    const char* text = std::strerror(errorNumber);
    return text != nullptr ? text : "unknown error";
}

} // namespace zk::velm
