// A fresh simulated platform for every test, and shortcuts to an open device.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "qmsim/Simulation.h"
#include "tests/platform/shared/DirectInputSession.h"

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override { qmsim::Reset(); }
    void TearDown() override { StartAgain(); }

    // Releases what the test opened, checks nothing else is alive, and resets.
    void StartAgain() {
        if (m_pDevice) m_pDevice->Release();
        if (m_pDirectInput) m_pDirectInput->Release();
        m_pDevice = nullptr;
        m_pDirectInput = nullptr;
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0);
        EXPECT_EQ(qmsim::LiveDirectInputs(), 0);
        qmsim::Reset();
    }

    IDirectInput8A* DirectInput() {
        if (!m_pDirectInput) {
            void* created = nullptr;
            EXPECT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &created, nullptr),
                      DI_OK);
            m_pDirectInput = static_cast<IDirectInput8A*>(created);
        }
        return m_pDirectInput;
    }

    // Attaches `name` and opens it; the fixture releases it at the end.
    IDirectInputDevice8A* OpenDevice(const std::string& name, BYTE type = DI8DEVTYPE_KEYBOARD) {
        const GUID instance = qmsim::AttachDevice(name, type);
        EXPECT_EQ(DirectInput()->CreateDevice(instance, &m_pDevice, nullptr), DI_OK);
        return m_pDevice;
    }

    // Opened, keyboard format, a buffer of `bufferSize` records, acquired.
    IDirectInputDevice8A* OpenBufferedDevice(const std::string& name, DWORD bufferSize) {
        IDirectInputDevice8A* device = OpenDevice(name);
        EXPECT_EQ(platformcase::MakeReady(device, c_dfDIKeyboard, bufferSize), DI_OK);
        return device;
    }

    IDirectInput8A* m_pDirectInput = nullptr;
    IDirectInputDevice8A* m_pDevice = nullptr;
};
