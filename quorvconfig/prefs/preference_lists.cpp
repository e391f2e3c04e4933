#include "quorvconfig/prefs/preference_lists.h"
#include "quorvconfig/prefs/preferences.h"

namespace zk::qcfg {

int List_Index_For(std::span<const int> values, int number) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] >= number) return static_cast<int>(i);
    return -1;
}

int Tag_Placement_Mode(const TAG_Values& tag) {
    if (tag.check_tag == 0) return 0;
    return 1 | (tag.check_rep & 6);
}

} // namespace zk::qcfg
