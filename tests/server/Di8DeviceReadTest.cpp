// Reading buffered records one at a time, with the one-record push-back. What a
// device makes of an overflowed buffer, lost input and failed reads is in the
// golden scripts directinput_keyboard and directinput_failures.
#include <functional>
#include <vector>

#include "common/ModuleTestFixture.h"
#include "server/QmDi8Device.h"

namespace {

const char* const kDevice = "keys";

std::vector<DWORD> g_oTraced;

void TraceRecord(eCallbackType type, const DIDEVICEOBJECTDATA* data)
{
    EXPECT_EQ(type, CALLBACK_TYPE_NONE);
    g_oTraced.push_back(data->dwSequence);
}

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
        m_oDevice.SetProperty(DIPROP_BUFFERSIZE, 8);
        m_oDevice.Acquire();
        g_oTraced.clear();
        m_oDevice.SetTraceHook(TraceRecord);
    }

    void TearDown() override
    {
        m_oDevice.Close();
        ModuleTest::TearDown();
    }

    static void Queue(DWORD sequence) { ASSERT_TRUE(qmsim::QueueRecord(kDevice, 0x1E, 0x80, sequence)); }
    static size_t Reads() { return PlatformCalls("GetDeviceData").size(); }
    DWORD ReadSequence()
    {
        const DIDEVICEOBJECTDATA* record = m_oDevice.ReadNext();
        return record ? record->dwSequence : 0;
    }

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
    EXPECT_EQ(ReadSequence(), 1u);
    EXPECT_EQ(Reads(), readsBefore);
    EXPECT_EQ(ReadSequence(), 2u);
    EXPECT_EQ(Reads(), readsBefore + 1);
    // The trace hook sees each record read from DirectInput once.
    EXPECT_EQ(g_oTraced, (std::vector<DWORD>{1, 2}));
}

TEST_F(Di8DeviceReadTest, PushBackAfterAReadOfNothingGivesNothingAgainWithoutReading)
{
    const std::function<void()> readsOfNothing[] = {
        [] {},  // the buffer is empty
        [] { qmsim::LoseInput(kDevice); },
        [] { qmsim::InjectResult(qmsim::Call::GetDeviceData, DIERR_NOTACQUIRED, kDevice); },
    };
    DWORD sequence = 1;
    for (const auto& arrange : readsOfNothing) {
        Queue(sequence);
        ASSERT_EQ(ReadSequence(), sequence);
        arrange();
        EXPECT_EQ(m_oDevice.ReadNext(), nullptr) << "record " << sequence;
        Queue(++sequence);  // arrives after the read: not the pushed-back one
        const size_t readsBefore = Reads();

        m_oDevice.PushBack();
        EXPECT_EQ(m_oDevice.ReadNext(), nullptr) << "record " << sequence;
        EXPECT_EQ(Reads(), readsBefore);
        EXPECT_EQ(ReadSequence(), sequence++);
    }
}

}  // namespace
