// Reading and writing the NT item file DO2000IF.CFG: the 102-byte header, then one 402-byte
// item record per row of the item list, in list order.
#pragma once

#include <string>

#include "common/config_header.h"

namespace ui {
class ListView;
}  // namespace ui

namespace halvgate {

class CConfigFile {
  public:
    virtual ~CConfigFile() = default;

    bool BuildConfigPaths(std::string& itemFile, std::string& moduleFile);
    std::uint32_t HeaderChecksum(const halvern::ConfigHeader& header);
    void SetDefaultHeader(halvern::ConfigHeader& header);

    // True when 102 bytes were read and their checksum matched.
    bool ReadHeader(const char* path, halvern::ConfigHeader& header);
    // Stores the checksum into `header`, then writes it over the first 102 bytes of the file
    // (created when missing); records behind it stay as they are.
    bool WriteHeader(const char* path, halvern::ConfigHeader& header);
    // Inserts one row per whole record (the caller empties the list). False for a missing
    // file, one of 102 bytes or less, or a short read (rows read so far stay).
    bool ReadItems(const char* path, ui::ListView& list);
    // Writes one record per row from offset 102 of an existing file.
    bool WriteItems(const char* path, ui::ListView& list);

    // Replaces the whole item file with the header and the list's rows: the new file is written
    // beside the old one and renamed over it, so that on any failure the old file stays intact.
    bool ReplaceItemFile(const char* path, halvern::ConfigHeader& header, ui::ListView& list);
    // Replaces the header only, carrying every byte behind it over from the old file, in the
    // same write-beside-and-rename way.
    bool ReplaceHeader(const char* path, halvern::ConfigHeader& header);
};

}  // namespace halvgate
