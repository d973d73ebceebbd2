// Conversions between the cells of an item list row, the rights check boxes of the protected
// items window, the item mask and the Windows 9x driver item record. The list is the only store
// of items, so every conversion reads or writes cells. The plain names serve the 13-column NT
// layout; the names ending in 9x serve the 14-column Windows 9x layout with its Recursive
// check box and column.
#pragma once

#include <cstdint>
#include <string>

#include "halvgate/config/driver_item_record.h"

namespace ui {
class Dialog;
class ListView;
}  // namespace ui

namespace halvgate {

class CItemConverter {
  public:
    virtual ~CItemConverter() = default;

    // The window is the protected items window: its list 1021, check boxes and action radios.
    // Returns 1, the status code of a freshly added or modified item.
    int MaskFromCheckBoxes(ui::Dialog& window, std::uint32_t& mask);
    void MaskToCheckBoxes(ui::Dialog& window, std::uint32_t mask);
    // Writes columns 1 to 12; a status code other than 0 or 1 leaves the status cell alone.
    void MaskToRow(ui::ListView& list, std::uint32_t mask, unsigned status, int row);
    // Return the status code: 1 when the status cell reads "Active", else 0.
    int MaskFromRow(ui::Dialog& window, int row, std::uint32_t& mask);
    int MaskFromListRow(ui::ListView& list, int row, std::uint32_t& mask);

    int MaskFromCheckBoxes9x(ui::Dialog& window, std::uint32_t& mask);
    void MaskToCheckBoxes9x(ui::Dialog& window, std::uint32_t mask);
    // Writes columns 1 to 13.
    void MaskToRow9x(ui::ListView& list, std::uint32_t mask, unsigned status, int row);
    int MaskFromRow9x(ui::Dialog& window, int row, std::uint32_t& mask);

    // Windows 9x driver records; row i is record number i + 1.
    void RowToDriverRecord(ui::ListView& list, int row, DriverItemRecord& record);
    // The row text of a record: drive letter and colon (when it has a drive), then the path.
    std::string DriverRecordText(const DriverItemRecord& record);
    // Writes columns 0 to 13 of an existing row.
    void DriverRecordToRow(const DriverItemRecord& record, ui::ListView& list, int row);
};

}  // namespace halvgate
