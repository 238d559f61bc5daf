// Buffered data as DirectInput hands it out: the buffer's capacity and overflow,
// peeking, acquisition and lost input.
#include <vector>

#include "PlatformTest.h"

namespace {

class DeviceDataTest : public PlatformTest {
protected:
    // Queues `count` records numbered from 1: offset 0x10 + i, sequence i + 1.
    static void QueueNumbered(int count) {
        for (int i = 0; i < count; ++i)
            qmsim::QueueRecord("kbd", 0x10 + i, 0x80, static_cast<DWORD>(i + 1), static_cast<DWORD>(1000 + i));
    }

    HRESULT Read(std::vector<DIDEVICEOBJECTDATA>& records, DWORD count, DWORD flags = 0) {
        records.assign(count, DIDEVICEOBJECTDATA{});
        DWORD inOut = count;
        const HRESULT result = m_pDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records.data(), &inOut, flags);
        records.resize(inOut);
        return result;
    }
};

struct sBufferCase {
    const char* m_pWhat;
    DWORD m_nBufferSize;
    int m_nQueued;
    DWORD m_nRequested;
    DWORD m_nFlags;
    HRESULT m_nResult;
    DWORD m_nRead;
    size_t m_nLeft;
};

TEST_F(DeviceDataTest, ReadsFollowTheBufferRules) {
    const sBufferCase cases[] = {
        {"one of three", 8, 3, 1, 0, DI_OK, 1, 2},
        {"more asked than buffered", 8, 3, 10, 0, DI_OK, 3, 0},
        {"peeking keeps the records", 8, 3, 2, DIGDD_PEEK, DI_OK, 2, 3},
        {"empty buffer", 8, 0, 1, 0, DI_OK, 0, 0},
        {"full buffer drops the newest", 2, 3, 5, 0, DI_BUFFEROVERFLOW, 2, 0},
        {"no buffer", 0, 0, 1, 0, DIERR_NOTBUFFERED, 0, 0},
        {"unknown flag", 8, 1, 1, 0x2, DIERR_INVALIDPARAM, 0, 1},
    };
    for (const sBufferCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        OpenBufferedDevice("kbd", c.m_nBufferSize);
        QueueNumbered(c.m_nQueued);

        std::vector<DIDEVICEOBJECTDATA> records;
        EXPECT_EQ(Read(records, c.m_nRequested, c.m_nFlags), c.m_nResult);
        ASSERT_EQ(records.size(), c.m_nRead);
        for (DWORD i = 0; i < c.m_nRead; ++i) {  // oldest first, every field carried
            EXPECT_EQ(records[i].dwOfs, 0x10 + i);
            EXPECT_EQ(records[i].dwData, 0x80u);
            EXPECT_EQ(records[i].dwSequence, i + 1);
            EXPECT_EQ(records[i].dwTimeStamp, 1000 + i);
        }
        EXPECT_EQ(qmsim::GetDeviceState("kbd").bufferedRecords, c.m_nLeft);
        StartAgain();
    }
}

TEST_F(DeviceDataTest, OverflowIsReportedOnceAndPeekingDoesNotClearIt) {
    OpenBufferedDevice("kbd", 1);
    EXPECT_TRUE(qmsim::QueueRecord("kbd", 1, 0x80, 1));
    EXPECT_FALSE(qmsim::QueueRecord("kbd", 2, 0x80, 2));

    std::vector<DIDEVICEOBJECTDATA> records;
    EXPECT_EQ(Read(records, 1, DIGDD_PEEK), DI_BUFFEROVERFLOW);
    EXPECT_EQ(Read(records, 1), DI_BUFFEROVERFLOW);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].dwOfs, 1u);  // the record that arrived first survives
    EXPECT_EQ(Read(records, 1), DI_OK);
}

TEST_F(DeviceDataTest, RecordsAreKeptOnlyWhileAcquired) {
    OpenBufferedDevice("kbd", 8);
    EXPECT_EQ(m_pDevice->Unacquire(), DI_OK);
    EXPECT_FALSE(qmsim::QueueRecord("kbd", 1, 0x80, 1));

    std::vector<DIDEVICEOBJECTDATA> records;
    EXPECT_EQ(Read(records, 1), DIERR_NOTACQUIRED);
    EXPECT_EQ(m_pDevice->Poll(), DIERR_NOTACQUIRED);
    EXPECT_EQ(m_pDevice->Acquire(), DI_OK);
    EXPECT_EQ(Read(records, 1), DI_OK);
    EXPECT_TRUE(records.empty());
}

TEST_F(DeviceDataTest, LostInputIsReportedUntilTheDeviceIsAcquiredAgain) {
    OpenBufferedDevice("kbd", 8);
    QueueNumbered(2);
    qmsim::LoseInput("kbd");

    EXPECT_FALSE(qmsim::GetDeviceState("kbd").acquired);
    std::vector<DIDEVICEOBJECTDATA> records;
    EXPECT_EQ(Read(records, 1), DIERR_INPUTLOST);
    EXPECT_EQ(m_pDevice->Poll(), DIERR_INPUTLOST);
    EXPECT_EQ(Read(records, 1), DIERR_INPUTLOST);

    EXPECT_EQ(m_pDevice->Acquire(), DI_OK);
    EXPECT_EQ(Read(records, 4), DI_OK);
    EXPECT_TRUE(records.empty()) << "the records from before the loss are gone";
}

TEST_F(DeviceDataTest, RecordSizeMustBeOneDirectInputKnows) {
    OpenBufferedDevice("kbd", 8);
    QueueNumbered(2);

    // The older 16-byte records are filled without touching what follows them.
    DIDEVICEOBJECTDATA_DX3 old[3] = {};
    old[2].dwOfs = 0xDEAD;
    DWORD inOut = 2;
    EXPECT_EQ(m_pDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA_DX3),
                                       reinterpret_cast<LPDIDEVICEOBJECTDATA>(old), &inOut, 0),
              DI_OK);
    EXPECT_EQ(inOut, 2u);
    EXPECT_EQ(old[1].dwOfs, 0x11u);
    EXPECT_EQ(old[2].dwOfs, 0xDEADu);

    // The 32-bit size written as a number is wrong where UINT_PTR is wider.
    QueueNumbered(1);
    DIDEVICEOBJECTDATA record{};
    inOut = 1;
    const DWORD wrongSize = sizeof(DIDEVICEOBJECTDATA) == 20 ? 24 : 20;
    EXPECT_EQ(m_pDevice->GetDeviceData(wrongSize, &record, &inOut, 0), DIERR_INVALIDPARAM);
    EXPECT_EQ(inOut, 0u);
    EXPECT_EQ(qmsim::GetDeviceState("kbd").bufferedRecords, 1u);
}

}  // namespace
