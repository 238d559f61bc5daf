// A bare DirectInput device wrapper on a simulated device of its own,
// configured as the buffered device classes configure theirs: what reading
// records costs without a device class on top.
#pragma once

#include <stdexcept>
#include <string>

#include "qmsim/Simulation.h"
#include "server/QmDi8Device.h"

class CRecordReader {
public:
    // Needs the module's input server (its DirectInput) and "Display/HWND".
    CRecordReader(const std::string& name, BYTE deviceType, const DIDATAFORMAT* format, DWORD bufferSize)
        : m_oName(name)
    {
        if (!m_oDevice.Open(qmsim::AttachDevice(name, deviceType)) || !m_oDevice.SetDataFormat(format))
            throw std::runtime_error("cannot open " + name);
        m_oDevice.SetProperty(DIPROP_BUFFERSIZE, bufferSize);
        m_oDevice.Acquire();
    }
    ~CRecordReader() { m_oDevice.Close(); }

    CRecordReader(const CRecordReader&) = delete;
    CRecordReader& operator=(const CRecordReader&) = delete;

    const std::string& Name() const { return m_oName; }

    // Reads until the buffer is empty; the number of records read.
    int ReadAll()
    {
        int count = 0;
        while (m_oDevice.ReadNext())
            ++count;
        return count;
    }

private:
    std::string m_oName;
    CQmDi8Device m_oDevice;
};
