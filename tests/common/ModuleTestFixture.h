// A fresh simulated platform and framework state for each module test, and a
// check after it that every reference and interface the test made was given
// back and that no call broke the framework's contract.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/ContractViolations.h"
#include "framework/QmFrameworkControl.h"
#include "host/QmEnvironmentServer.h"
#include "host/QmString.h"
#include "qmsim/Simulation.h"
#include "server/QmDi8InputServer.h"

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qmsim::Reset();
        qmhost::ResetDeviceIds();
        qmhost::TakeDebugOutput();
        qmhost::ClearRegistryLog();
        qmhost::ClearContractViolations();
    }

    void TearDown() override
    {
        if (m_pServer) {
            m_pServer->FreeDevices();
            m_pServer.reset();
        }
        QmGetEnvironmentServer()->RemoveVariable(CQmString("Display/HWND"));
        EXPECT_EQ(qmhost::OutstandingDeviceRefs(), 0) << "device references not given back";
        EXPECT_EQ(qmhost::OutstandingEventRefs(), 0) << "event references not given back";
        EXPECT_EQ(qmsim::LiveDeviceInterfaces(), 0) << "DirectInput device interfaces not released";
        EXPECT_EQ(qmsim::LiveDirectInputs(), 0) << "DirectInput interfaces not released";
        ExpectNoContractViolations();
    }

    // The input server, made on first use; inject start-up failures before asking.
    CQmDi8InputServer& Server()
    {
        if (!m_pServer)
            m_pServer = std::make_unique<CQmDi8InputServer>();
        return *m_pServer;
    }

    // Destroys the server now (without FreeDevices), e.g. to watch its shutdown.
    void DestroyServer() { m_pServer.reset(); }

    // A game window that "Display/HWND" names, as the framework sets it up.
    // Every real window has a procedure: without one of the test's, the game's
    // answers 0 to everything.
    HWND DefineGameWindow(WNDPROC procedure = nullptr, bool unicode = false)
    {
        const HWND window = qmsim::CreateTestWindow(procedure ? procedure : AnswerZero, unicode);
        QmGetEnvironmentServer()->SetVariable(
            CQmString("Display/HWND"), static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)));
        return window;
    }

    // Ids of the devices in the server's list, in list order.
    static std::vector<long> ListedDevices(CQmInputServer& server)
    {
        std::vector<long> devices;
        long position = -1;
        long deviceId = -1;
        for (bool more = server.GetFirstDevice(position, deviceId); more;
             more = server.GetNextDevice(position, deviceId))
            devices.push_back(deviceId);
        return devices;
    }

    // The platform's call-log lines of one call, e.g. "GetDeviceData".
    static std::vector<std::string> PlatformCalls(const std::string& call)
    {
        std::vector<std::string> lines;
        for (const std::string& line : qmsim::CallLog()) {
            if (line.rfind(call + " ", 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }

private:
    static LRESULT CALLBACK AnswerZero(HWND, UINT, WPARAM, LPARAM) { return 0; }

    std::unique_ptr<CQmDi8InputServer> m_pServer;
};
