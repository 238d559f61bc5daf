// Buffered data as DirectInput hands it out: the buffer's capacity and overflow,
// peeking, what each state of the device answers, and how records are numbered
// and stamped.
#include <functional>
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

    HRESULT Read(std::vector<DIDEVICEOBJECTDATA>& records, DWORD count, DWORD flags = 0,
                 IDirectInputDevice8A* device = nullptr) {
        records.assign(count == INFINITE ? 0 : count, DIDEVICEOBJECTDATA{});
        DWORD inOut = count;
        device = device ? device : m_pDevice;
        const HRESULT result = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA),
                                                     count == INFINITE ? nullptr : records.data(), &inOut, flags);
        records.resize(count == INFINITE || FAILED(result) ? 0 : inOut);  // a failed read leaves inOut alone
        return result;
    }
};

struct sBufferCase {
    const char* m_pWhat;
    DWORD m_nBufferSize;
    int m_nQueued;
    DWORD m_nRequested;  // INFINITE: a flush into no buffer
    DWORD m_nFlags;
    HRESULT m_nResult;
    DWORD m_nRead;
    size_t m_nLeft;
    HRESULT m_nNextResult;  // of the read after it
};

TEST_F(DeviceDataTest, ReadsFollowTheBufferRules) {
    const sBufferCase cases[] = {
        {"one of three", 8, 3, 1, 0, DI_OK, 1, 2, DI_OK},
        {"more asked than buffered", 8, 3, 10, 0, DI_OK, 3, 0, DI_OK},
        {"peeking keeps the records", 8, 3, 2, DIGDD_PEEK, DI_OK, 2, 3, DI_OK},
        {"empty buffer", 8, 0, 1, 0, DI_OK, 0, 0, DI_OK},
        {"size N holds N - 1, the newest are dropped", 3, 4, 5, 0, DI_BUFFEROVERFLOW, 2, 0, DI_OK},
        {"size 1 holds none", 1, 1, 1, 0, DI_BUFFEROVERFLOW, 0, 0, DI_OK},
        {"peeking keeps the overflow", 2, 2, 1, DIGDD_PEEK, DI_BUFFEROVERFLOW, 1, 1, DI_BUFFEROVERFLOW},
        {"a read of none reports and clears it", 2, 2, 0, 0, DI_BUFFEROVERFLOW, 0, 1, DI_OK},
        {"a flush reports and clears it", 3, 4, INFINITE, 0, DI_BUFFEROVERFLOW, 0, 0, DI_OK},
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
        EXPECT_EQ(Read(records, 0), c.m_nNextResult);
        StartAgain();
    }
}

struct sStateCase {
    const char* m_pWhat;
    DWORD m_nBufferSize;
    std::function<void(IDirectInputDevice8A*)> m_fnSetUp;
    HRESULT m_nRead;  // GetDeviceData's result
    HRESULT m_nPoll;
    DWORD m_nRecordsAfterAcquire;  // of 3 queued, read once the device is acquired again
};

TEST_F(DeviceDataTest, EachStateAnswersAsDirectInputDoes) {
    const auto unacquire = [](IDirectInputDevice8A* device) { device->Unacquire(); };
    const auto lose = [](IDirectInputDevice8A*) { qmsim::LoseInput("kbd"); };
    const sStateCase cases[] = {
        {"acquired (one record read)", 8, [](IDirectInputDevice8A*) {}, DI_OK, DI_NOEFFECT, 2},
        {"unbuffered", 0, [](IDirectInputDevice8A*) {}, DIERR_NOTBUFFERED, DI_NOEFFECT, 0},
        {"unbuffered and unacquired", 0, unacquire, DIERR_NOTBUFFERED, DIERR_NOTACQUIRED, 0},
        {"unacquired keeps its records, drops new input", 8, unacquire, DIERR_NOTACQUIRED, DIERR_NOTACQUIRED, 2},
        {"input lost", 8, lose, DIERR_INPUTLOST, DIERR_INPUTLOST, 0},
        {"input lost, then unacquired", 8,
         [&](IDirectInputDevice8A* device) { lose(device), unacquire(device); }, DIERR_NOTACQUIRED,
         DIERR_NOTACQUIRED, 0},
        {"input lost, Acquire failed while unplugged", 8,
         [](IDirectInputDevice8A* device) {
             qmsim::DetachDevice("kbd");
             EXPECT_EQ(device->Acquire(), DIERR_UNPLUGGED);
             qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
         },
         DIERR_NOTACQUIRED, DIERR_NOTACQUIRED, 0},
    };
    for (const sStateCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        IDirectInputDevice8A* device = OpenBufferedDevice("kbd", c.m_nBufferSize);
        QueueNumbered(2);
        c.m_fnSetUp(device);
        qmsim::QueueRecord("kbd", 0x30, 0x80);  // dropped unless acquired

        DIDEVICEOBJECTDATA record{};
        DWORD inOut = 1;
        const HRESULT read = device->GetDeviceData(sizeof record, &record, &inOut, DIGDD_PEEK);
        EXPECT_EQ(read, c.m_nRead);
        if (FAILED(read)) {
            EXPECT_EQ(inOut, 1u) << "a failed read leaves the count alone";
        }
        EXPECT_EQ(device->Poll(), c.m_nPoll);
        EXPECT_EQ(device->GetDeviceData(sizeof record, &record, &inOut, 0), c.m_nRead) << "on every read";

        device->Acquire();
        std::vector<DIDEVICEOBJECTDATA> records;
        Read(records, 4);
        EXPECT_EQ(records.size(), c.m_nRecordsAfterAcquire);
        StartAgain();
    }
}

TEST_F(DeviceDataTest, RecordsAreNumberedAndStampedAsDirectInputDoes) {
    IDirectInputDevice8A* keyboard = OpenBufferedDevice("kbd", 8);
    m_pDevice = nullptr;  // released here; the fixture keeps the mouse
    const GUID mouseInstance = qmsim::AttachDevice("mouse", DI8DEVTYPE_MOUSE);
    ASSERT_EQ(DirectInput()->CreateDevice(mouseInstance, &m_pDevice, nullptr), DI_OK);
    ASSERT_EQ(m_pDevice->SetDataFormat(&c_dfDIMouse2), DI_OK);
    ASSERT_EQ(SetDwordProperty(m_pDevice, DIPROP_BUFFERSIZE, 8), DI_OK);
    ASSERT_EQ(m_pDevice->Acquire(), DI_OK);

    qmsim::SetTickCount(1000);
    EXPECT_TRUE(qmsim::QueueRecord("kbd", DIK_A, 0x80));
    qmsim::SetTickCount(1016);
    EXPECT_TRUE(qmsim::QueueMouseMove("mouse", 3, -2));
    EXPECT_TRUE(qmsim::QueueRecord("mouse", DIMOFS_BUTTON0, 0x80));
    EXPECT_TRUE(qmsim::QueueMouseMove("mouse", 0, 7));
    EXPECT_TRUE(qmsim::QueueRecord("kbd", DIK_A, 0, 0xFFFFFFFF, 5));  // explicit, to wrap around
    EXPECT_TRUE(qmsim::QueueRecord("kbd", DIK_B, 0x80));
    EXPECT_EQ(GetTickCount(), 1016u);

    struct sExpected {
        DWORD m_nOffset;
        DWORD m_nData;
        DWORD m_nSequenceStep;  // after the keyboard's first record
        DWORD m_nTimeStamp;
    };
    // One counter for both devices; X and Y of one move share a number.
    const sExpected mouse[] = {{DIMOFS_X, 3, 1, 1016}, {DIMOFS_Y, static_cast<DWORD>(-2), 1, 1016},
                               {DIMOFS_BUTTON0, 0x80, 2, 1016}, {DIMOFS_Y, 7, 3, 1016}};
    std::vector<DIDEVICEOBJECTDATA> keys, moves;
    ASSERT_EQ(Read(keys, 8, 0, keyboard), DI_OK);
    ASSERT_EQ(Read(moves, 8), DI_OK);
    ASSERT_EQ(keys.size(), 3u);
    ASSERT_EQ(moves.size(), 4u);
    const DWORD first = keys[0].dwSequence;
    EXPECT_EQ(keys[0].dwTimeStamp, 1000u);
    for (size_t i = 0; i < moves.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(moves[i].dwOfs, mouse[i].m_nOffset);
        EXPECT_EQ(moves[i].dwData, mouse[i].m_nData);
        EXPECT_EQ(moves[i].dwSequence - first, mouse[i].m_nSequenceStep);
        EXPECT_EQ(moves[i].dwTimeStamp, mouse[i].m_nTimeStamp);
    }
    EXPECT_EQ(keys[1].dwSequence, 0xFFFFFFFFu);
    EXPECT_EQ(keys[1].dwTimeStamp, 5u);
    EXPECT_EQ(keys[2].dwSequence, 0u) << "the platform's numbering goes on after an explicit number";
    keyboard->Release();
}

}  // namespace
