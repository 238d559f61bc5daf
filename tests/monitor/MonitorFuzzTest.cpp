// Feeds the monitor random scripts, some made of nearly valid commands (so they
// reach deep into the module) and some of random bytes. Whatever the script,
// the monitor must end with 0, 2 or 3: never crash, hang or report a sanitizer
// error.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// Nearly valid scripts: the generator keeps track of the attached devices so
// that most lines are well-formed, and spoils a few on purpose.
class CScriptGenerator {
public:
    explicit CScriptGenerator(unsigned seed) : m_oRandom(seed) {}

    std::string PlausibleScript(int lines)
    {
        m_oAttached = {"kbd", "mouse1", "pad"};
        m_fClock = 0.0;
        std::string script = "attach kbd keyboard\nattach mouse1 mouse\nattach pad gamepad\n";
        for (int i = 0; i < lines; ++i)
            script += PlausibleLine() + "\n";
        return script;
    }

    std::string RandomBytes(int size)
    {
        std::string bytes;
        for (int i = 0; i < size; ++i)
            bytes += Chance(10) ? '\n' : static_cast<char>(Below(256));
        return bytes;
    }

private:
    bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }
    unsigned Below(unsigned limit)
    {
        return std::uniform_int_distribution<unsigned>(0, limit - 1)(m_oRandom);
    }

    template <std::size_t N>
    std::string Pick(const char* const (&choices)[N])
    {
        return choices[Below(N)];
    }

    std::string Word()
    {
        static const char* const words[] = {"0", "1", "-1", "2", "3", "4", "5", "0x80", "0x1E",
                                            "0xFFFFFFFF", "-2147483648", "120", "-120", "31",
                                            "0x00320064", "0x41", "97", "12", "13", "14"};
        if (Chance(20))
            return std::to_string(static_cast<std::uint32_t>(m_oRandom()));
        return Pick(words);
    }

    // Mostly an attached device; now and then one that is not.
    std::string Name()
    {
        if (m_oAttached.empty() || Chance(2))
            return "ghost";
        return m_oAttached[Below(static_cast<unsigned>(m_oAttached.size()))];
    }

    std::string Attach()
    {
        static const char* const types[] = {"keyboard", "mouse", "joystick", "gamepad", "0x16"};
        const std::string name = "dev" + std::to_string(m_nNextName++);
        m_oAttached.push_back(name);
        return name + " " + Pick(types);
    }

    std::string Detach()
    {
        const std::string name = Name();
        std::erase(m_oAttached, name);
        return name;
    }

    std::string Time()
    {
        m_fClock += Below(200) / 1000.0;
        return Chance(3) ? "0.5" : std::to_string(m_fClock);
    }

    std::string NewDevice()
    {
        static const char* const named[] = {"CQmDi8Keyboard", "CQmDi8Mouse", "CQmDi8Joystick"};
        static const char* const unnamed[] = {"CQmWindowsKeyboard", "CQmWindowsMouse",
                                              "CQmNothing"};
        if (Chance(3))
            return "CQmDi8InputServer";
        return Chance(60) ? Pick(named) + " " + Name() : Pick(unnamed);
    }

    std::string Arguments(const std::string& command)
    {
        static const char* const messages[] = {"WM_KEYDOWN", "WM_KEYUP", "WM_CHAR", "WM_SETFOCUS",
                                               "WM_KILLFOCUS", "WM_MOUSEMOVE", "WM_LBUTTONDOWN",
                                               "WM_LBUTTONDBLCLK", "WM_MOUSEWHEEL", "0x020B"};
        static const char* const calls[] = {"GetModuleHandleA", "DirectInput8Create", "EnumDevices",
                                            "CreateDevice", "GetCapabilities", "SetDataFormat",
                                            "GetDeviceData", "Acquire"};
        static const char* const deviceCalls[] = {"CreateDevice", "GetCapabilities",
                                                  "SetDataFormat", "GetDeviceData", "Poll"};
        static const char* const offsets[] = {"x", "y", "z", "button0", "button1", "button2",
                                              "button5", "9"};
        static const char* const settings[] = {"keyboard-delay", "keyboard-speed",
                                               "double-click-ms", "swap-buttons"};
        static const char* const bindings[] = {"game", "zero", "none"};
        if (command == "setting") return Pick(settings) + " " + Word();
        if (command == "attach") return Attach();
        if (command == "detach") return Detach();
        if (command == "lose") return Name();
        if (command == "window") return Pick(bindings);
        if (command == "fail")
            return Chance(50) ? Pick(calls) + " " + Word() : Pick(deviceCalls) + " " + Word() + " " + Name();
        if (command == "time" || command == "advance") return Time();
        if (command == "new") return NewDevice();
        if (command == "msg") return Pick(messages) + " " + Word() + " " + Word();
        if (command == "key") return Name() + " " + Word() + (Chance(50) ? " down " : " up ") + Word();
        if (command == "rec") return Name() + " " + Pick(offsets) + " " + Word() + " " + Word();
        if (command == "reset" || command == "delete" || command == "mouse" || command == "keyboard")
            return std::to_string(1 + Below(3));
        return "";
    }

    std::string PlausibleLine()
    {
        static const char* const commands[] = {
            "setting", "attach", "detach", "window", "fail", "time", "advance", "enumerate",
            "enumerate", "new", "new", "new", "poll", "poll", "poll", "delete", "free", "msg",
            "msg", "msg", "key", "key", "key", "rec", "rec", "rec", "lose", "devices", "focus",
            "refs", "game-messages"};
        static const char* const rare[] = {"start", "reset", "mouse", "keyboard", "extra"};
        const std::string command = Chance(2) ? Pick(rare) : Pick(commands);
        std::string line = command + " " + Arguments(command);
        if (Chance(1))
            line += " extra";
        if (Chance(1))
            line = line.substr(0, Below(static_cast<unsigned>(line.size()) + 1));
        return line;
    }

    std::mt19937 m_oRandom;
    std::vector<std::string> m_oAttached;
    int m_nNextName = 0;
    double m_fClock = 0.0;
};

int RunMonitorOn(const std::filesystem::path& script)
{
    const std::string command = std::string("'") + QM_MONITOR_PATH + "' run '" + script.string()
                                + "' >/dev/null 2>'" + script.string() + ".err'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class MonitorFuzz : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_oFolder = std::filesystem::temp_directory_path()
                    / ("qm-monitor-fuzz-" + std::to_string(::getpid()) + "-" + test->name());
        std::filesystem::create_directories(m_oFolder);
    }
    void TearDown() override
    {
        if (!HasFailure())
            std::filesystem::remove_all(m_oFolder);
    }

    // The exit status; a script that ends any other way is kept for a look.
    int Run(const std::string& name, const std::string& text)
    {
        const auto path = m_oFolder / (name + ".script");
        std::ofstream(path, std::ios::binary) << text;
        const int status = RunMonitorOn(path);
        EXPECT_TRUE(status == 0 || status == 2 || status == 3)
            << "exit " << status << " on " << path << " (kept, with its .err)";
        return status;
    }

    static unsigned Seed()
    {
        const char* configured = std::getenv("QM_FUZZ_SEED");
        return configured ? static_cast<unsigned>(std::strtoul(configured, nullptr, 10)) : 20240611u;
    }

    std::filesystem::path m_oFolder;
};

TEST_F(MonitorFuzz, NearlyValidScriptsNeverCrash)
{
    CScriptGenerator generator(Seed());
    int ranToTheEnd = 0;
    constexpr int kScripts = 60;
    for (int i = 0; i < kScripts; ++i) {
        const int status = Run("plausible" + std::to_string(i), generator.PlausibleScript(25));
        ranToTheEnd += status != 2;
    }
    // Most lines are valid, so a fair share of scripts must get past every line;
    // otherwise the generator exercises only the parser.
    EXPECT_GE(ranToTheEnd, kScripts / 5);
}

TEST_F(MonitorFuzz, RandomBytesNeverCrash)
{
    CScriptGenerator generator(Seed() + 1);
    for (int i = 0; i < 30; ++i)
        Run("bytes" + std::to_string(i), generator.RandomBytes(300));
}

}  // namespace
