// Reading buffered records one at a time, with the one-record push-back.
#include <string>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "server/QmDi8Device.h"

namespace {

const char* const kDevice = "keys";

class Di8DeviceReadTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        const GUID instance = qmsim::AttachDevice(kDevice, DI8DEVTYPE_KEYBOARD);
        DefineGameWindow();
        Server();
        ASSERT_TRUE(m_oDevice.Open(instance));
        ASSERT_TRUE(m_oDevice.SetDataFormat(&c_dfDIKeyboard));
        m_oDevice.SetProperty(DIPROP_BUFFERSIZE, kBufferSize);
        m_oDevice.Acquire();
    }

    void TearDown() override
    {
        m_oDevice.Close();
        ModuleTest::TearDown();
    }

    static void Queue(DWORD sequence) { ASSERT_TRUE(qmsim::QueueRecord(kDevice, 0x1E, 0x80, sequence)); }

    static size_t Reads() { return PlatformCalls("GetDeviceData").size(); }

    static constexpr DWORD kBufferSize = 4;
    CQmDi8Device m_oDevice;
};

TEST_F(Di8DeviceReadTest, PushedBackRecordComesAgainWithoutAskingDirectInput)
{
    Queue(1);
    Queue(2);
    const DIDEVICEOBJECTDATA* first = m_oDevice.ReadNext();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->dwOfs, 0x1Eu);
    EXPECT_EQ(first->dwData, 0x80u);
    EXPECT_EQ(first->dwSequence, 1u);
    const size_t readsBefore = Reads();

    m_oDevice.PushBack();
    const DIDEVICEOBJECTDATA* again = m_oDevice.ReadNext();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->dwSequence, 1u);
    EXPECT_EQ(Reads(), readsBefore);

    const DIDEVICEOBJECTDATA* next = m_oDevice.ReadNext();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->dwSequence, 2u);
    EXPECT_EQ(Reads(), readsBefore + 1);
}

TEST_F(Di8DeviceReadTest, PushBackAfterAnEmptyReadGivesNothingWithoutReading)
{
    EXPECT_EQ(m_oDevice.ReadNext(), nullptr);
    const size_t readsBefore = Reads();
    Queue(3);  // arrives after the empty read: not the pushed-back one

    m_oDevice.PushBack();
    EXPECT_EQ(m_oDevice.ReadNext(), nullptr);
    EXPECT_EQ(Reads(), readsBefore);
    const DIDEVICEOBJECTDATA* next = m_oDevice.ReadNext();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->dwSequence, 3u);
}

TEST_F(Di8DeviceReadTest, LostInputReacquiresAndNeverHandsOutTheEarlierRecord)
{
    Queue(1);
    ASSERT_NE(m_oDevice.ReadNext(), nullptr);
    qmsim::LoseInput(kDevice);

    EXPECT_EQ(m_oDevice.ReadNext(), nullptr);
    EXPECT_TRUE(qmsim::GetDeviceState(kDevice).acquired);
    m_oDevice.PushBack();
    EXPECT_EQ(m_oDevice.ReadNext(), nullptr);

    Queue(2);
    const DIDEVICEOBJECTDATA* next = m_oDevice.ReadNext();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->dwSequence, 2u);
}

TEST_F(Di8DeviceReadTest, OverflowedBufferStillDeliversWhatItHolds)
{
    // A buffer of 4 holds 3 records; the fourth is dropped.
    for (DWORD sequence = 1; sequence <= kBufferSize; ++sequence)
        qmsim::QueueRecord(kDevice, 0x1E, 0x80, sequence);

    std::vector<DWORD> sequences;
    while (const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext())
        sequences.push_back(record->dwSequence);

    EXPECT_EQ(sequences, (std::vector<DWORD>{1, 2, 3}));
    // The first read reported the overflow, a success code other than DI_OK.
    const std::vector<std::string> reads = PlatformCalls("GetDeviceData");
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads.front().find("-> DI_OK"), std::string::npos) << reads.front();
}

TEST_F(Di8DeviceReadTest, FailedReadGivesNothingAndPushBackKeepsItSo)
{
    Queue(1);
    qmsim::InjectResult(qmsim::Call::GetDeviceData, DIERR_NOTACQUIRED, kDevice);

    EXPECT_EQ(m_oDevice.ReadNext(), nullptr);
    m_oDevice.PushBack();
    EXPECT_EQ(m_oDevice.ReadNext(), nullptr);
}

std::vector<DWORD> g_oTraced;

void TraceRecord(eCallbackType type, const DIDEVICEOBJECTDATA* data)
{
    EXPECT_EQ(type, CALLBACK_TYPE_NONE);
    g_oTraced.push_back(data->dwSequence);
}

TEST_F(Di8DeviceReadTest, TraceHookSeesEachRecordReadFromDirectInputOnce)
{
    g_oTraced.clear();
    m_oDevice.SetTraceHook(TraceRecord);
    Queue(5);

    m_oDevice.ReadNext();
    m_oDevice.PushBack();
    m_oDevice.ReadNext();
    m_oDevice.ReadNext();

    EXPECT_EQ(g_oTraced, std::vector<DWORD>{5});
}

}  // namespace
