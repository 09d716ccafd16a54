#include <gtest/gtest.h>

#include "model/Project.h"

namespace kestrel {
namespace {

TEST(ProjectTest, StartsWithoutSectionAndEmptyContent) {
    Project prj;
    EXPECT_EQ(prj.CurTimeIndex, -1);
    EXPECT_EQ(CurrentSectionContent(prj), 0);
}

}  // namespace
}  // namespace kestrel
