#include "halvgate/config/config_file.h"

#include <cstdint>

#include "common/config_paths.h"
#include "common/file_util.h"
#include "halvgate/config/item_converter.h"
#include "halvgate/config/item_record.h"
#include "platform/win32_api.h"
#include "ui/list_view.h"

namespace halvgate {
namespace {

using halvern::ConfigHeader;

constexpr win::UINT kHeaderSize = ConfigHeader::kSize;
constexpr win::UINT kRecordSize = ItemRecord::kSize;
constexpr win::UINT kReadFailed = static_cast<win::UINT>(win::HFILE_ERROR);
constexpr int kFolderPicture = 0;
constexpr int kDocumentPicture = 5;

const char* Chars(const std::uint8_t* bytes) {
    return reinterpret_cast<const char*>(bytes);
}

// Writes `size` bytes and flushes; true only when all of them were written and flushed.
bool WriteAll(win::HFILE file, const std::uint8_t* bytes, win::UINT size) {
    return win::_lwrite(file, Chars(bytes), size) == size;
}

bool Flush(win::HFILE file) {
    return win::FlushFileBuffers(win::FileHandle(file)) != win::FALSE;
}

// Appends everything from offset 102 of `source` to `out`. A missing source has nothing to
// carry over; a source of 102 bytes or less neither.
bool CarryOverRecords(const char* source, win::HFILE out) {
    const win::HFILE in = win::_lopen(source, win::OF_READ);
    if (in == win::HFILE_ERROR) {
        return win::GetFileAttributesA(source) == win::INVALID_FILE_ATTRIBUTES;
    }
    bool ok = true;
    if (win::_llseek(in, static_cast<win::LONG>(kHeaderSize), win::FILE_BEGIN) ==
        win::HFILE_ERROR) {
        ok = false;
    }
    std::uint8_t block[halvern::CFileUtil::kCopyBlockSize];
    while (ok) {
        const win::UINT read = win::_lread(in, block, sizeof block);
        if (read == kReadFailed) {
            ok = false;
        } else if (read == 0) {
            break;
        } else {
            ok = WriteAll(out, block, read);
        }
    }
    win::_lclose(in);
    return ok;
}

// Renames `replacement` over `path`; removes it when anything before failed.
bool Commit(bool ok, const std::string& replacement, const char* path) {
    if (ok) {
        ok = win::MoveFileExA(replacement.c_str(), path, win::MOVEFILE_REPLACE_EXISTING) !=
             win::FALSE;
    }
    if (!ok) {
        win::_unlink(replacement.c_str());
    }
    return ok;
}

}  // namespace

bool CConfigFile::BuildConfigPaths(std::string& itemFile, std::string& moduleFile) {
    return halvern::CConfigPaths().BuildConfigPaths(itemFile, moduleFile);
}

std::uint32_t CConfigFile::HeaderChecksum(const ConfigHeader& header) {
    return header.ComputeChecksum();
}

void CConfigFile::SetDefaultHeader(ConfigHeader& header) {
    header.SetDefaults();
}

bool CConfigFile::ReadHeader(const char* path, ConfigHeader& header) {
    const win::HFILE file = win::_lopen(path, win::OF_READ);
    if (file == win::HFILE_ERROR) {
        return false;
    }
    const win::UINT read = win::_lread(file, header.bytes.data(), kHeaderSize);
    win::_lclose(file);
    return read == kHeaderSize && header.ChecksumMatches();
}

bool CConfigFile::WriteHeader(const char* path, ConfigHeader& header) {
    win::HFILE file = win::_lopen(path, win::OF_READWRITE);
    if (file == win::HFILE_ERROR) {
        file = win::_lcreat(path, 0);
        if (file == win::HFILE_ERROR) {
            return false;
        }
    }
    header.StoreChecksum();
    bool ok = WriteAll(file, header.bytes.data(), kHeaderSize);
    ok = Flush(file) && ok;
    win::_lclose(file);
    return ok;
}

bool CConfigFile::ReadItems(const char* path, ui::ListView& list) {
    const win::HFILE file = win::_lopen(path, win::OF_READWRITE);
    if (file == win::HFILE_ERROR) {
        return false;
    }
    const win::LONG size = win::_llseek(file, 0, win::FILE_END);
    if (size == win::HFILE_ERROR || size <= static_cast<win::LONG>(kHeaderSize) ||
        win::_llseek(file, static_cast<win::LONG>(kHeaderSize), win::FILE_BEGIN) ==
            win::HFILE_ERROR) {
        win::_lclose(file);
        return false;
    }
    const win::LONG count =
        (size - static_cast<win::LONG>(kHeaderSize)) / static_cast<win::LONG>(kRecordSize);
    bool ok = true;
    CItemConverter converter;
    for (int i = 0; i < count; ++i) {
        ItemRecord record;
        if (win::_lread(file, record.bytes.data(), kRecordSize) != kRecordSize) {
            ok = false;
            break;
        }
        const std::string itemPath = record.Path();
        const win::DWORD attributes = win::GetFileAttributesA(itemPath.c_str());
        const bool folder = attributes != win::INVALID_FILE_ATTRIBUTES &&
                            (attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
        const int row = list.InsertItem(i, itemPath, folder ? kFolderPicture : kDocumentPicture);
        if (row < 0) {
            ok = false;
            break;
        }
        converter.MaskToRow(list, record.Mask(), record.Status(), row);
    }
    win::_lclose(file);
    return ok;
}

bool CConfigFile::WriteItems(const char* path, ui::ListView& list) {
    const win::HFILE file = win::_lopen(path, win::OF_READWRITE);
    if (file == win::HFILE_ERROR) {
        return false;
    }
    bool ok = win::_llseek(file, static_cast<win::LONG>(kHeaderSize), win::FILE_BEGIN) !=
              win::HFILE_ERROR;
    CItemConverter converter;
    for (int row = 0; ok && row < list.GetItemCount(); ++row) {
        ItemRecord record;
        std::uint32_t mask = 0;
        const int status = converter.MaskFromListRow(list, row, mask);
        record.SetPath(list.GetItemText(row, 0));
        record.SetStatus(static_cast<std::uint16_t>(status));
        record.SetMask(mask);
        ok = WriteAll(file, record.bytes.data(), kRecordSize);
    }
    ok = Flush(file) && ok;
    win::_lclose(file);
    return ok;
}

bool CConfigFile::ReplaceItemFile(const char* path, ConfigHeader& header, ui::ListView& list) {
    const std::string replacement = halvern::CFileUtil::ReplacementPath(path);
    const win::HFILE created = win::_lcreat(replacement.c_str(), 0);
    if (created == win::HFILE_ERROR) {
        return false;
    }
    win::_lclose(created);
    const bool ok =
        WriteHeader(replacement.c_str(), header) && WriteItems(replacement.c_str(), list);
    return Commit(ok, replacement, path);
}

bool CConfigFile::ReplaceHeader(const char* path, ConfigHeader& header) {
    const std::string replacement = halvern::CFileUtil::ReplacementPath(path);
    const win::HFILE file = win::_lcreat(replacement.c_str(), 0);
    if (file == win::HFILE_ERROR) {
        return false;
    }
    header.StoreChecksum();
    bool ok = WriteAll(file, header.bytes.data(), kHeaderSize) && CarryOverRecords(path, file);
    ok = Flush(file) && ok;
    win::_lclose(file);
    return Commit(ok, replacement, path);
}

}  // namespace halvgate
