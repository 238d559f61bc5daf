// A fresh simulated platform for every test, and shortcuts to an open device.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "qmsim/Simulation.h"
#include "tests/platform/shared/DirectInputSession.h"

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override { qmsim::Reset(); }
    void TearDown() override { StartAgain(); }

    // Releases what the test opened, checks nothing else is alive, and resets.
    void StartAgain() {
        m_pSession.reset();
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
        EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
        qmsim::Reset();
    }

    platformcase::DirectInputSession& Session() {
        if (!m_pSession) m_pSession = std::make_unique<platformcase::DirectInputSession>();
        return *m_pSession;
    }
    IDirectInput8A* DirectInput() { return Session().DirectInput(); }

    // Attaches `name` and opens it; the fixture releases it at the end.
    IDirectInputDevice8A* OpenDevice(const std::string& name, BYTE type = DI8DEVTYPE_KEYBOARD) {
        return Session().Open(qmsim::AttachDevice(name, type));
    }

    // Opened, keyboard format, a buffer of `bufferSize` records, acquired.
    IDirectInputDevice8A* OpenBufferedDevice(const std::string& name, DWORD bufferSize) {
        return Session().OpenBuffered(qmsim::AttachDevice(name, DI8DEVTYPE_KEYBOARD), c_dfDIKeyboard, bufferSize);
    }

    std::unique_ptr<platformcase::DirectInputSession> m_pSession;
};
