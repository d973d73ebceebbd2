#include "ui/resources.h"

#include <map>

namespace ui {
namespace {

// The program's resource section, filled at start.
struct Resources {
    std::map<int, Bitmap> bitmaps;
    std::map<int, Bitmap> icons;
    std::map<int, std::string> strings;
};

Resources& Table() {
    static Resources resources;
    return resources;
}

template <class Map>
const typename Map::mapped_type* Find(const Map& map, int id) {
    const auto found = map.find(id);
    return found == map.end() ? nullptr : &found->second;
}

}  // namespace

void RegisterBitmap(int id, const Bitmap& bitmap) {
    Table().bitmaps[id] = bitmap;
}

void RegisterIcon(int id, const Bitmap& icon) {
    Table().icons[id] = icon;
}

void RegisterString(int id, const std::string& text) {
    Table().strings[id] = text;
}

const Bitmap* LoadBitmap(int id) {
    return Find(Table().bitmaps, id);
}

const Bitmap* LoadIcon(int id) {
    return Find(Table().icons, id);
}

std::string LoadString(int id) {
    const std::string* text = Find(Table().strings, id);
    return text == nullptr ? std::string() : *text;
}

}  // namespace ui
