// The .reg parser over any bytes. Whatever it accepts must write back to text that parses to
// the same tree, and writing that tree again must give the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sim/reg_file.h"

namespace {

void Check(std::string_view bytes) {
    for (const char* root : {"HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT"}) {
        winsim::RegKey tree;
        winsim::RegParseError error;
        if (!winsim::RegFile::Parse(bytes, root, tree, error)) {
            continue;
        }
        const std::string text = winsim::RegFile::Write(tree, root);
        winsim::RegKey again;
        if (!winsim::RegFile::Parse(text, root, again, error) || !(again == tree) ||
            winsim::RegFile::Write(again, root) != text) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string body(reinterpret_cast<const char*>(data), size);
    Check(body);
    // With a header in front, random bytes reach the parser of keys and values at once.
    Check("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n" + body);
    Check("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\B]\r\n" + body);
    return 0;
}
