#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "notify/process.h"
#include "settings/state.h"
#include "tests/common/section.h"
#include "ui/handles.h"

namespace {

// The assistant's side: creates the section before the notifier starts, and watches its record.
class Notifier : public testing::Test {
protected:
    static void SetUpTestSuite() {
        section_ = new SharedSection();
        ASSERT_TRUE(section_->valid());
        thread_fun();
    }
    static void TearDownTestSuite() { delete section_; }
    void SetUp() override {
        noticeFlag = 0;
        section_->clear();
    }

    // A record counts once the notifier has also cleared the request.
    static DWORD waitForRecord() {
        const DWORD waited = section_->waitForRecord();
        for (int i = 0; i < 100 && noticeFlag.load() != 0; ++i) Sleep(1);
        return waited;
    }
    static std::vector<unsigned char> record() { return section_->record(); }

    static SharedSection* section_;
};
SharedSection* Notifier::section_;

TEST_F(Notifier, WritesEachKeywordAsAThirtyTwoByteRecordAndLeavesTheRestAlone) {
    const struct {
        int request;
        const char* keyword;
    } cases[] = {{1, "HELLOO"}, {2, "UPDATE"}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.keyword);
        section_->clear();
        noticeFlag = row.request;
        waitForRecord();
        EXPECT_EQ(record(), SharedSection::expectedRecord(row.keyword));
        EXPECT_EQ(noticeFlag.load(), 0);
        EXPECT_TRUE(section_->untouchedAfterRecord());
    }
}

TEST_F(Notifier, KeepsOnlyTheLatestRequestOfOnePeriod) {
    // Wait for a write to line up with the notifier's poll, then post twice well inside the next period.
    noticeFlag = 1;
    waitForRecord();
    section_->clear();
    noticeFlag = 1;
    noticeFlag = 2;
    waitForRecord();
    EXPECT_EQ(record(), SharedSection::expectedRecord("UPDATE"));
    Sleep(kNoticePollMs + 200);
    EXPECT_EQ(record(), SharedSection::expectedRecord("UPDATE"))
        << "the replaced request must not follow later";
}

TEST_F(Notifier, WritesTheSameKeywordAgainForEachRequest) {
    for (int round = 0; round < 2; ++round) {
        section_->clear();
        noticeFlag = 1;
        waitForRecord();
        EXPECT_EQ(record(), SharedSection::expectedRecord("HELLOO")) << "round " << round;
    }
}

TEST_F(Notifier, LeavesAnUnknownRequestInPlace) {
    noticeFlag = 3;
    Sleep(2 * kNoticePollMs + 100);
    EXPECT_EQ(noticeFlag.load(), 3);
    EXPECT_EQ(record()[0], SharedSection::kSentinel);
    noticeFlag = 0;
}

TEST_F(Notifier, DeliveryWaitReturnsOnceTheRecordIsInTheSection) {
    noticeFlag = 2;
    EXPECT_TRUE(waitNoticeDelivered());
    EXPECT_EQ(record(), SharedSection::expectedRecord("UPDATE"));
    EXPECT_TRUE(waitNoticeDelivered()) << "nothing pending";
}

// Latency from a post to its record, reported for the record; a post that never arrives fails.
TEST_F(Notifier, MeasuresNoticeLatency) {
    std::vector<DWORD> latencies;
    for (int post = 0; post < 20; ++post) {
        section_->clear();
        Sleep(37 * (post % 13));  // posts fall at different points of the polling period
        noticeFlag = 1;
        const DWORD latency = waitForRecord();
        ASSERT_EQ(record(), SharedSection::expectedRecord("HELLOO")) << "post " << post;
        latencies.push_back(latency);
    }
    std::sort(latencies.begin(), latencies.end());
    const DWORD median = latencies[latencies.size() / 2];
    RecordProperty("latency_median_ms", static_cast<int>(median));
    RecordProperty("latency_max_ms", static_cast<int>(latencies.back()));
    std::printf("notice latency over %zu posts: median %lu ms, max %lu ms\n", latencies.size(), median,
                latencies.back());
}

TEST(NotifierWithoutSection, ThreadEndsAndDeliveryWaitDoesNotBlock) {
    ASSERT_FALSE(UniqueKernelHandle(OpenFileMappingW(FILE_MAP_READ, FALSE, kSectionName)))
        << "another program holds the section";
    UniqueKernelHandle thread(CreateThread(nullptr, 0, noticeThreadProc, nullptr, 0, nullptr));
    ASSERT_TRUE(thread);
    EXPECT_EQ(WaitForSingleObject(thread.get(), 5000), WAIT_OBJECT_0);
    DWORD code = 99;
    EXPECT_TRUE(GetExitCodeThread(thread.get(), &code));
    EXPECT_EQ(code, 0u);

    thread_fun();
    noticeFlag = 1;
    EXPECT_FALSE(waitNoticeDelivered());
    EXPECT_EQ(noticeFlag.load(), 1) << "nobody takes the request";
    noticeFlag = 0;
}

}  // namespace
