// The notifier against a real section, created here as the assistant creates it.
#include <gtest/gtest.h>

#include "notify/process.h"
#include "settings/state.h"
#include "tests/common/section.h"

namespace {

// This process's notifier looks by itself only once a minute: every record that arrives in time was
// woken by its post.
TEST(Notifier, WritesEachPostAsAThirtyTwoByteRecordAndLeavesOtherValues) {
    SharedSection section;
    ASSERT_TRUE(section.valid());
    thread_fun(60000);
    const struct {
        std::vector<int> posts;  // back to back
        const char* record;      // nullptr: none
    } cases[] = {{{1}, "HELLOO"},    {{2}, "UPDATE"},    {{1}, "HELLOO"},
                 {{1, 2}, "UPDATE"}, {{2, 1}, "HELLOO"}, {{3}, nullptr}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.record ? row.record : "none");
        section.clear();
        for (int post : row.posts) postNotice(post);
        if (!row.record) Sleep(100);  // time to look, though there is nothing to wait for
        EXPECT_TRUE(waitNoticeDelivered(5000));
        const Record all = section.bytes(1024);
        EXPECT_EQ(Record(all.begin(), all.begin() + 32),
                  row.record ? recordOf(row.record) : SharedSection::kUntouched);
        EXPECT_EQ(Record(all.begin() + 32, all.end()), Record(992, SharedSection::kSentinel));
        EXPECT_EQ(noticeFlag.load(), row.record ? 0 : 3) << "a value that is no request stays";
    }
}

// A request left without waking the notifier is still written at its next look.
TEST(NotifierPeriod, LooksAgainOncePerPeriod) {
    SharedSection section;
    thread_fun(20);
    noticeFlag = 2;
    EXPECT_EQ(section.record(), recordOf("UPDATE"));
}

TEST(NotifierWithoutSection, EndsAndTheDeliveryWaitDoesNotBlock) {
    thread_fun();
    postNotice(1);
    EXPECT_FALSE(waitNoticeDelivered(INFINITE)) << "returns once the notifier has ended";
    EXPECT_EQ(noticeFlag.load(), 1) << "nobody takes the request";
}

}  // namespace
