// The program's resources: bitmaps, icons and strings by resource id, registered by the
// program at start (as a linked resource section would hold them) and loaded by id.
#pragma once

#include <string>

#include "ui/bitmap.h"

namespace ui {

void RegisterBitmap(int id, const Bitmap& bitmap);
void RegisterIcon(int id, const Bitmap& icon);
void RegisterString(int id, const std::string& text);
// A null pointer / empty text when the id has no resource.
const Bitmap* LoadBitmap(int id);
const Bitmap* LoadIcon(int id);
std::string LoadString(int id);

}  // namespace ui
