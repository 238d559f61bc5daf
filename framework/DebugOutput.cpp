// Debug output is captured rather than printed, so tests can read it and the
// module's diagnostics never reach the console.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "framework/QmFrameworkControl.h"
#include "host/Debug.h"
#include "host/QmCriticalSection.h"

namespace {

struct sDebugCapture {
    CQmCriticalSection oLock;
    std::string oText;
};

sDebugCapture& TheCapture() {
    static sDebugCapture* capture = new sDebugCapture;
    return *capture;
}

std::string FormatText(const char* format, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

void QM_CDECL Debug_Printf(const char* format, ...) {
    if (format == nullptr) {
        return;
    }
    std::va_list args;
    va_start(args, format);
    const std::string text = FormatText(format, args);
    va_end(args);

    sDebugCapture& capture = TheCapture();
    CQmCriticalSectionLock guard(capture.oLock);
    capture.oText += text;
}

namespace qmhost {

std::string TakeDebugOutput() {
    sDebugCapture& capture = TheCapture();
    CQmCriticalSectionLock guard(capture.oLock);
    std::string text;
    text.swap(capture.oText);
    return text;
}

}  // namespace qmhost
