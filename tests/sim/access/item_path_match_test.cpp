#include "sim/drivers/nt/item_path_match.h"

#include <gtest/gtest.h>

#include <ostream>

namespace simnt {
namespace {

struct MatchCase {
    const char* item;
    const char* path;
    bool covered;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << c.item << " vs " << c.path;
}

class ItemPathMatch : public testing::TestWithParam<MatchCase> {};

TEST_P(ItemPathMatch, CoversOrNot) {
    EXPECT_EQ(ItemCoversPath(GetParam().item, GetParam().path), GetParam().covered)
        << GetParam().item << " vs " << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemPathMatch,
    testing::Values(
        // Case does not count; a folder item covers itself and its contents.
        MatchCase{"C:\\DATA\\A.TXT", "c:\\data\\a.txt", true},
        MatchCase{"c:\\data", "C:\\DATA\\SUB\\B.TXT", true},
        MatchCase{"C:\\DATA", "C:\\DATA", true}, MatchCase{"C:\\DATA\\", "C:\\DATA", true},
        MatchCase{"C:\\DATA", "C:\\DATABASE\\X", false}, MatchCase{"C:\\DATA", "D:\\DATA", false},
        MatchCase{"C:\\", "C:\\ANY\\FILE", true}, MatchCase{"C:\\DATA\\A.TXT", "C:\\DATA", false},
        // `*` and `?` stay within one component.
        MatchCase{"C:\\DATA\\*", "C:\\DATA\\A.TXT", true},
        MatchCase{"C:\\DATA\\*", "C:\\DATA\\SUB\\B.TXT", true},
        MatchCase{"C:\\DATA\\*", "C:\\DATA", false},
        MatchCase{"C:\\DATA\\*.TXT", "C:\\DATA\\a.txt", true},
        MatchCase{"C:\\DATA\\*.TXT", "C:\\DATA\\A.DOC", false},
        MatchCase{"C:\\DATA\\*.TXT", "C:\\DATA\\A.TXT.BAK", false},
        MatchCase{"C:\\D*A\\*.TXT", "C:\\DOGMA\\X.TXT", true},
        MatchCase{"C:\\*\\A.TXT", "C:\\DATA\\A.TXT", true},
        MatchCase{"C:\\*\\A.TXT", "C:\\A.TXT", false},
        MatchCase{"C:\\DATA\\?.TXT", "C:\\DATA\\A.TXT", true},
        MatchCase{"C:\\DATA\\?.TXT", "C:\\DATA\\AB.TXT", false},
        MatchCase{"C:\\DATA\\*.*", "C:\\DATA\\README", true},
        MatchCase{"C:\\DATA\\A*B*C", "C:\\DATA\\AXXBYBC", true},
        MatchCase{"C:\\DATA\\A*B*C", "C:\\DATA\\AXXBYBCD", false},
        // Forward slashes are separators; an empty item covers nothing.
        MatchCase{"C:/DATA/*", "C:\\DATA\\A.TXT", true}, MatchCase{"", "C:\\DATA", false},
        MatchCase{"\\\\SERVER\\SHARE", "\\\\server\\share\\f", true}));

}  // namespace
}  // namespace simnt
