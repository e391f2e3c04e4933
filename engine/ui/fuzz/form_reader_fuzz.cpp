// Any bytes: the form reader returns a tree or throws FormReadError; a tree
// read back from its written form is the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/ui/form_reader.h"
#include "engine/ui/form_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    zk::ui::FormReadLimits limits;
    limits.maxValueBytes = 1 << 20;
    try {
        zk::ui::FormObject root = zk::ui::ReadFormText(text, "fuzz.dfm", limits);
        zk::ui::FormObject again = zk::ui::ReadFormText(zk::ui::WriteFormText(root), "written.dfm");
        if (!(again == root)) std::abort();
    } catch (const zk::ui::FormReadError&) {
    }
    return 0;
}
