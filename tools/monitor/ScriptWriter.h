// Monitor script lines written by a program rather than a person: a live
// session's recording. Each line reads back, through the script commands, to
// exactly the value written (times included), so that a replay sees the same
// numbers the live module saw. Plain numbers, no platform header: the Windows
// live mode writes them and the simulated monitor reads them.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace qmmonitor {

// The shortest plain decimal that reads back as exactly `seconds` (>= 0).
std::string FormatExactSeconds(double seconds);

// One buffered DirectInput record as DirectInput returned it.
// Which device's data format a record follows: it decides how the record is written.
enum class eRecordFormat { Keyboard, Mouse, Other };

struct sRecordedData {
    std::uint32_t nOffset;
    std::uint32_t nData;
    std::uint32_t nSequence;
    std::uint32_t nTimeStamp;
};

class CScriptWriter {
public:
    // Every line is flushed at once, so a session that is killed still leaves
    // a script that runs up to its last line.
    explicit CScriptWriter(std::ostream& out) : m_oOut(out) {}

    void Comment(const std::string& text);
    void Command(const std::string& line);
    // "time T" when T differs from the last time written.
    void Time(double seconds);

    void Setting(const char* name, std::int64_t value);
    void Attach(const std::string& name, std::uint32_t deviceType, const std::string& note);
    void Message(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam);
    // `key` for a keyboard's down or up record, `rec` for any other (a mouse's
    // offsets by name, its axes as signed moves).
    void Record(const std::string& name, eRecordFormat format, const sRecordedData& record);
    // The next GetDeviceData on the device returns `result`.
    void ReadResult(const std::string& name, std::uint32_t result, const char* resultName);

private:
    std::ostream& m_oOut;
    bool m_bTimeWritten = false;
    double m_fLastTime = 0.0;
};

}  // namespace qmmonitor
