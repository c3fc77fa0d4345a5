// The notifier against a real section, created here as the assistant creates it.
#include <gtest/gtest.h>

#include "notify/process.h"
#include "settings/state.h"
#include "tests/common/section.h"

namespace {

// This notifier looks by itself once a minute: a record that arrives in time was woken by its post.
TEST(Notifier, WritesEachPostAsAThirtyTwoByteRecordAndLeavesOtherValues) {
    SharedSection section;
    thread_fun(60000);
    // Requests posted back to back, and the record they leave (nullptr: none).
    const std::pair<std::vector<int>, const char*> cases[] = {{{1}, "HELLOO"},    {{2}, "UPDATE"},
                                                              {{1}, "HELLOO"},    {{1, 2}, "UPDATE"},
                                                              {{2, 1}, "HELLOO"}, {{3}, nullptr}};
    for (const auto& [posts, record] : cases) {
        section.clear();
        for (int post : posts) postNotice(post);
        if (!record) Sleep(100);  // time to look, though there is nothing to wait for
        EXPECT_TRUE(waitNoticeDelivered(5000));
        Record expected = record ? recordOf(record) : SharedSection::kUntouched;
        expected.resize(1024, SharedSection::kSentinel);  // the rest untouched
        EXPECT_EQ(section.bytes(1024), expected) << (record ? record : "none");
        EXPECT_EQ(noticeFlag.load(), record ? 0 : 3) << "a value that is no request stays";
    }
}

}  // namespace
