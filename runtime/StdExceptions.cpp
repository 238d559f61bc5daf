// The out-of-line members of libc++'s exception classes. libc++ keeps them in
// its library, which does not exist for this target. The message string is a
// private copy per object (libc++ shares one by reference count; copying is
// simpler and equally correct for the few exceptions these tools throw).
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace std {

namespace {

const char* CopyOf(const char* text)
{
    const size_t size = strlen(text) + 1;
    char* copy = static_cast<char*>(malloc(size));
    if (copy == nullptr)
        abort();
    memcpy(copy, text, size);
    return copy;
}

}  // namespace

__libcpp_refstring::__libcpp_refstring(const char* msg) : __imp_(CopyOf(msg)) {}
__libcpp_refstring::__libcpp_refstring(const __libcpp_refstring& other) noexcept : __imp_(CopyOf(other.__imp_)) {}

__libcpp_refstring& __libcpp_refstring::operator=(const __libcpp_refstring& other) noexcept
{
    if (this != &other) {
        free(const_cast<char*>(__imp_));
        __imp_ = CopyOf(other.__imp_);
    }
    return *this;
}

__libcpp_refstring::~__libcpp_refstring()
{
    free(const_cast<char*>(__imp_));
}

exception::~exception() noexcept {}
const char* exception::what() const noexcept { return "std::exception"; }

bad_alloc::bad_alloc() noexcept {}
bad_alloc::~bad_alloc() noexcept {}
const char* bad_alloc::what() const noexcept { return "std::bad_alloc"; }

bad_array_new_length::bad_array_new_length() noexcept {}
bad_array_new_length::~bad_array_new_length() noexcept {}
const char* bad_array_new_length::what() const noexcept { return "bad_array_new_length"; }

logic_error::logic_error(const string& msg) : __imp_(msg.c_str()) {}
logic_error::logic_error(const char* msg) : __imp_(msg) {}
logic_error::logic_error(const logic_error& other) noexcept : exception(other), __imp_(other.__imp_) {}
logic_error& logic_error::operator=(const logic_error& other) noexcept
{
    __imp_ = other.__imp_;
    return *this;
}
logic_error::~logic_error() noexcept {}
const char* logic_error::what() const noexcept { return __imp_.c_str(); }

runtime_error::runtime_error(const string& msg) : __imp_(msg.c_str()) {}
runtime_error::runtime_error(const char* msg) : __imp_(msg) {}
runtime_error::runtime_error(const runtime_error& other) noexcept : exception(other), __imp_(other.__imp_) {}
runtime_error& runtime_error::operator=(const runtime_error& other) noexcept
{
    __imp_ = other.__imp_;
    return *this;
}
runtime_error::~runtime_error() noexcept {}
const char* runtime_error::what() const noexcept { return __imp_.c_str(); }

domain_error::~domain_error() noexcept {}
invalid_argument::~invalid_argument() noexcept {}
length_error::~length_error() noexcept {}
out_of_range::~out_of_range() noexcept {}
range_error::~range_error() noexcept {}
overflow_error::~overflow_error() noexcept {}
underflow_error::~underflow_error() noexcept {}

}  // namespace std
