// How the NT driver matches an accessed path against a protected item's path. Both are compared
// without regard to case, component by component (a component is the text between
// backslashes; `/` counts as a backslash; trailing backslashes do not count). In the item's
// path `*` stands for any run of characters within one component, `?` for exactly one, and a
// component `*.*` for every name. An item covers the path when its components match the
// path's first components: so the folder item C:\DATA covers C:\DATA itself and everything
// inside it, C:\DATA\* covers everything inside C:\DATA but not the folder, C:\ covers the
// whole drive, and C:\DATA\*.TXT covers the .TXT files of C:\DATA (and what lies in folders of
// that name).
#pragma once

#include <string_view>

namespace simnt {

bool ItemCoversPath(std::string_view itemPath, std::string_view accessedPath);

}  // namespace simnt
