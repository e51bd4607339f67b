// libFuzzer target: the profile module's reader. Whatever it parses, its clean text must parse
// again to the same text, and lookups must not fail.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/Profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const CProfileFile profile(text);
    const std::string clean = profile.text();
    if (CProfileFile(clean).text() != clean) __builtin_trap();
    for (const std::string& section : profile.sectionNames())
        for (const std::string& key : profile.keys(section))
            if (!profile.value(section, key)) __builtin_trap();
    CProfileFile copy(clean);
    copy.setValue("FileOptions", "TargetDir", "x");
    copy.removeKey("FileOptions", "TargetDir");
    return 0;
}
