// Reads arbitrary bytes as a preference file; then checks that what the
// editor writes for the values it read is read back to the same values.
#include "quorvconfig/prefs/preference_file.h"
#include "quorvconfig/velmora_util/velmora_util.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
int Quiet(zk::velm::Velm_Window, int, const char*) {
    return 1;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk::qcfg;
    zk::velm::User_Error_Fct = Quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);

    Preferences first;
    Preference_Read_Text(first, text);

    // One pass settles the forms that writing normalises (folders gain a "\",
    // a switched-off script is written empty); after it, a write and a read
    // must give back the same values.
    std::tm date{};
    Preferences second;
    Preference_Read_Text(second, Preference_Format_File(first, date));
    Preferences third;
    Preference_Read_Text(third, Preference_Format_File(second, date));
    if (!(second == third)) std::abort();
    return 0;
}
