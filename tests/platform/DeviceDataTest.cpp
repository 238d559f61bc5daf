// Buffered data in the states and numbering that only the simulation can
// stage; the rules the real platform shows too are the shared cases'.
#include <functional>
#include <vector>

#include "PlatformTest.h"

namespace {

using DeviceDataTest = PlatformTest;

struct sLostCase {
    const char* m_pWhat;
    std::function<void(IDirectInputDevice8A*)> m_fnSetUp;
    HRESULT m_nRead;  // GetDeviceData's and Poll's result
};

// Simulation only: Wine's devices cannot be unplugged or lost while a program runs.
TEST_F(DeviceDataTest, LostInputAnswersUntilTheNextAcquisition) {
    const auto lose = [](IDirectInputDevice8A*) { qmsim::LoseInput("kbd"); };
    const sLostCase cases[] = {
        {"input lost", lose, DIERR_INPUTLOST},
        {"input lost, then unacquired",
         [&](IDirectInputDevice8A* device) { lose(device), device->Unacquire(); }, DIERR_NOTACQUIRED},
        {"input lost, Acquire failed while unplugged",
         [](IDirectInputDevice8A* device) {
             qmsim::DetachDevice("kbd");
             EXPECT_EQ(device->Acquire(), DIERR_UNPLUGGED);
             qmsim::AttachDevice("kbd", DI8DEVTYPE_KEYBOARD);
         },
         DIERR_NOTACQUIRED},
    };
    for (const sLostCase& c : cases) {
        SCOPED_TRACE(c.m_pWhat);
        IDirectInputDevice8A* device = OpenBufferedDevice("kbd", 8);
        qmsim::QueueRecord("kbd", DIK_A, 0x80);
        c.m_fnSetUp(device);
        qmsim::QueueRecord("kbd", DIK_B, 0x80);  // dropped

        DIDEVICEOBJECTDATA record{};
        DWORD inOut = 1;
        EXPECT_EQ(device->GetDeviceData(sizeof record, &record, &inOut, DIGDD_PEEK), c.m_nRead);
        EXPECT_EQ(inOut, 1u) << "a failed read leaves the count alone";
        EXPECT_EQ(device->Poll(), c.m_nRead);
        EXPECT_EQ(device->GetDeviceData(sizeof record, &record, &inOut, 0), c.m_nRead) << "on every read";

        EXPECT_EQ(device->Acquire(), DI_OK);
        inOut = INFINITE;
        EXPECT_EQ(device->GetDeviceData(sizeof record, nullptr, &inOut, DIGDD_PEEK), DI_OK);
        EXPECT_EQ(inOut, 0u) << "the lost input's records are gone";
        StartAgain();
    }
}

// Simulation only: a given sequence number, to reach the counter's wrap-around.
TEST_F(DeviceDataTest, NumberingGoesOnAfterAGivenNumber) {
    IDirectInputDevice8A* device = OpenBufferedDevice("kbd", 8);
    EXPECT_TRUE(qmsim::QueueRecord("kbd", DIK_A, 0, 0xFFFFFFFF, 5));
    EXPECT_TRUE(qmsim::QueueRecord("kbd", DIK_B, 0x80));
    DIDEVICEOBJECTDATA records[2]{};
    DWORD inOut = 2;
    ASSERT_EQ(device->GetDeviceData(sizeof records[0], records, &inOut, 0), DI_OK);
    ASSERT_EQ(inOut, 2u);
    EXPECT_EQ(records[0].dwSequence, 0xFFFFFFFFu);
    EXPECT_EQ(records[0].dwTimeStamp, 5u);
    EXPECT_EQ(records[1].dwSequence, 0u);
}

}  // namespace
