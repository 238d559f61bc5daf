#include "tools/monitor/ScriptWriter.h"

#include <cstdio>
#include <cstdlib>

#include "tools/monitor/MessageNames.h"

namespace qmmonitor {
namespace {

// Enough fraction digits for every double down to 1e-40 to read back exactly
// (17 significant digits after the leading zeros).
constexpr int kMostFractionDigits = 57;

// The device-type bytes the script names (DI8DEVTYPE_*).
struct sNamedNumber {
    std::uint32_t nNumber;
    const char* pName;
};

constexpr sNamedNumber kDeviceTypes[] = {
    {0x12, "mouse"}, {0x13, "keyboard"}, {0x14, "joystick"}, {0x15, "gamepad"},
};

// c_dfDIMouse2's offsets, as the `rec` command names them.
constexpr sNamedNumber kMouseOffsets[] = {
    {0, "x"},        {4, "y"},        {8, "z"},        {12, "button0"}, {13, "button1"},
    {14, "button2"}, {15, "button3"}, {16, "button4"}, {17, "button5"}, {18, "button6"},
    {19, "button7"},
};

// The mouse's axes carry signed moves.
constexpr std::uint32_t kLastMouseAxis = 8;

// A keyboard record's data: the key went down, or up.
constexpr std::uint32_t kKeyDown = 0x80;
constexpr std::uint32_t kKeyUp = 0x00;

template <std::size_t N>
const char* FindName(const sNamedNumber (&table)[N], std::uint32_t number)
{
    for (const sNamedNumber& entry : table) {
        if (entry.nNumber == number)
            return entry.pName;
    }
    return nullptr;
}

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

std::string Signed(std::uint32_t value)
{
    return std::to_string(static_cast<std::int32_t>(value));
}

}  // namespace

std::string FormatExactSeconds(double seconds)
{
    std::string text;
    for (int digits = 0; digits <= kMostFractionDigits; ++digits) {
        // Measured first: a far-off time has hundreds of whole digits.
        text.resize(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.*f", digits, seconds)));
        std::snprintf(text.data(), text.size() + 1, "%.*f", digits, seconds);
        if (std::strtod(text.c_str(), nullptr) == seconds)
            break;
    }
    return text;
}

void CScriptWriter::Comment(const std::string& text)
{
    Command(text.empty() ? "#" : "# " + text);
}

void CScriptWriter::Command(const std::string& line)
{
    m_oOut << line << '\n';
    m_oOut.flush();
}

void CScriptWriter::Time(double seconds)
{
    if (m_bTimeWritten && seconds == m_fLastTime)
        return;
    m_bTimeWritten = true;
    m_fLastTime = seconds;
    Command("time " + FormatExactSeconds(seconds));
}

void CScriptWriter::Setting(const char* name, std::int64_t value)
{
    Command(std::string("setting ") + name + " " + std::to_string(value));
}

void CScriptWriter::Attach(const std::string& name, std::uint32_t deviceType,
                           const std::string& note)
{
    const char* typeName = FindName(kDeviceTypes, deviceType);
    std::string line = "attach " + name + " " + (typeName ? typeName : Hex(deviceType));
    if (!note.empty()) {
        // The note is the platform's text: a line break in it would end the comment.
        line.append("  # ");
        for (char c : note)
            line.push_back(static_cast<unsigned char>(c) < 0x20 ? ' ' : c);
    }
    Command(line);
}

void CScriptWriter::Message(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam)
{
    const char* name = FindMessageName(message);
    Command("msg " + (name ? std::string(name) : Hex(message)) + " " + Hex(wParam) + " "
            + Hex(lParam));
}

void CScriptWriter::Record(const std::string& name, eRecordFormat format,
                           const sRecordedData& record)
{
    // Appended word by word: GCC 12 misreads chains of + on strings here (-Wrestrict).
    std::string line;
    const bool keyRecord =
        format == eRecordFormat::Keyboard && (record.nData == kKeyDown || record.nData == kKeyUp);
    if (keyRecord) {
        line.append("key ").append(name).append(" ").append(Hex(record.nOffset)).append(" ");
        line.append(record.nData == kKeyDown ? "down" : "up");
    } else {
        const char* offsetName =
            format == eRecordFormat::Mouse ? FindName(kMouseOffsets, record.nOffset) : nullptr;
        const bool axis = offsetName && record.nOffset <= kLastMouseAxis;
        line.append("rec ").append(name).append(" ");
        line.append(offsetName ? offsetName : Hex(record.nOffset)).append(" ");
        line.append(axis ? Signed(record.nData) : Hex(record.nData));
    }
    line.append(" ").append(std::to_string(record.nSequence));
    line.append(" ").append(std::to_string(record.nTimeStamp));
    Command(line);
}

void CScriptWriter::ReadResult(const std::string& name, std::uint32_t result,
                               const char* resultName)
{
    Command("fail GetDeviceData " + Hex(result) + " " + name
            + (resultName ? std::string("  # ") + resultName : std::string()));
}

}  // namespace qmmonitor
