// Buffered keyboard data as DirectInput hands it out: the buffer's capacity
// and overflow, peeking and flushing, what each state of the device answers,
// and which calls keep the buffered records.
#include <vector>

#include "tests/platform/shared/DirectInputSession.h"
#include "tests/platform/shared/PlatformCheck.h"

namespace platformcase {
namespace {

// Keys whose presses make the numbered records: key i goes down, then up.
constexpr BYTE kKeys[] = {DIK_Q, DIK_W, DIK_E, DIK_R, DIK_T, DIK_Y};

// `count` records, alternately the down and the up of kKeys in turn.
std::vector<KeyStroke> Strokes(int count) {
    std::vector<KeyStroke> strokes;
    for (int i = 0; i < count; ++i) strokes.push_back({kKeys[i / 2], i % 2 == 0});
    return strokes;
}

// A buffered keyboard of `bufferSize` records, acquired, after `typed` strokes.
IDirectInputDevice8A* TypedKeyboard(PlatformDriver& driver, DirectInputSession& session, DWORD bufferSize, int typed) {
    IDirectInputDevice8A* keyboard = session.OpenBuffered(driver.Keyboard(), c_dfDIKeyboard, bufferSize);
    if (keyboard) driver.Type(Strokes(typed));
    return keyboard;
}

// Record i is stroke i: its key, its state, one number after the other.
void CheckStrokes(const std::vector<DIDEVICEOBJECTDATA>& records) {
    for (size_t i = 0; i < records.size(); ++i) {
        PC_SCOPE("record " + std::to_string(i));
        PC_CHECK_EQ(records[i].dwOfs, DWORD{kKeys[i / 2]});
        PC_CHECK_EQ(records[i].dwData & 0x80, i % 2 == 0 ? 0x80u : 0u);
        PC_CHECK_EQ(records[i].dwSequence - records[0].dwSequence, DWORD(i));
    }
}

struct BufferCase {
    const char* what;
    DWORD bufferSize;
    int typed;
    DWORD requested;  // INFINITE: a flush into no buffer
    DWORD flags;
    HRESULT result;
    DWORD read;
    DWORD left;
    HRESULT nextResult;  // of the read after it
};

// Measured rules: a buffer of N records holds N - 1, the newest are dropped,
// and the overflow is reported once, by the next read that takes records out.
PLATFORM_CASE(ReadsFollowTheBufferRules) {
    const BufferCase cases[] = {
        {"one of three", 8, 3, 1, 0, DI_OK, 1, 2, DI_OK},
        {"more asked than buffered", 8, 3, 10, 0, DI_OK, 3, 0, DI_OK},
        {"peeking keeps the records", 8, 3, 2, DIGDD_PEEK, DI_OK, 2, 3, DI_OK},
        {"empty buffer", 8, 0, 1, 0, DI_OK, 0, 0, DI_OK},
        {"size N holds N - 1, the newest are dropped", 3, 4, 5, 0, DI_BUFFEROVERFLOW, 2, 0, DI_OK},
        {"size 1 holds none", 1, 2, 1, 0, DI_BUFFEROVERFLOW, 0, 0, DI_OK},
        {"peeking keeps the overflow", 2, 2, 1, DIGDD_PEEK, DI_BUFFEROVERFLOW, 1, 1, DI_BUFFEROVERFLOW},
        {"a read of none reports and clears it", 2, 2, 0, 0, DI_BUFFEROVERFLOW, 0, 1, DI_OK},
        {"a flush reports and clears it", 3, 4, INFINITE, 0, DI_BUFFEROVERFLOW, 0, 0, DI_OK},
    };
    for (const BufferCase& c : cases) {
        PC_SCOPE(c.what);
        DirectInputSession session;
        IDirectInputDevice8A* keyboard = TypedKeyboard(driver, session, c.bufferSize, c.typed);
        PC_REQUIRE(keyboard);

        std::vector<DIDEVICEOBJECTDATA> records;
        if (c.requested == INFINITE) {
            DWORD inOut = INFINITE;
            PC_CHECK_EQ(keyboard->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &inOut, c.flags), c.result);
        } else {
            PC_CHECK_EQ(Read(keyboard, records, c.requested, c.flags), c.result);
        }
        PC_CHECK_EQ(DWORD(records.size()), c.read);
        CheckStrokes(records);  // oldest first
        PC_CHECK_EQ(CountBuffered(keyboard), c.left);
        PC_CHECK_EQ(Read(keyboard, records, 0), c.nextResult);
    }
}

struct StateCase {
    const char* what;
    DWORD bufferSize;
    bool unacquire;
    HRESULT read;  // GetDeviceData's result
    HRESULT poll;
    DWORD recordsAfterAcquire;  // of 2 typed before and 1 after, read once acquired again
};

// Measured: the order of the failures (no buffer before not acquired), a
// failed read leaves the count alone, Poll succeeds with DI_OK on an acquired
// keyboard, and the records buffered before an
// Unacquire are still there after the next Acquire; documented: input while
// unacquired is dropped.
PLATFORM_CASE(EachStateAnswersAsDirectInputDoes) {
    const StateCase cases[] = {
        {"acquired", 8, false, DI_OK, DI_OK, 3},
        {"unbuffered", 0, false, HRESULT(DIERR_NOTBUFFERED), DI_OK, 0},
        {"unbuffered and unacquired", 0, true, HRESULT(DIERR_NOTBUFFERED), DIERR_NOTACQUIRED, 0},
        {"unacquired keeps its records, drops new input", 8, true, DIERR_NOTACQUIRED, DIERR_NOTACQUIRED, 2},
    };
    for (const StateCase& c : cases) {
        PC_SCOPE(c.what);
        DirectInputSession session;
        IDirectInputDevice8A* keyboard = TypedKeyboard(driver, session, c.bufferSize, 2);
        PC_REQUIRE(keyboard);
        if (c.unacquire) PC_CHECK_EQ(keyboard->Unacquire(), DI_OK);
        driver.Type({{DIK_U, true}});

        DIDEVICEOBJECTDATA record{};
        DWORD inOut = 1;
        const HRESULT read = keyboard->GetDeviceData(sizeof record, &record, &inOut, DIGDD_PEEK);
        PC_CHECK_EQ(read, c.read);
        PC_CHECK_EQ(inOut, 1u);
        PC_CHECK_EQ(keyboard->Poll(), c.poll);

        keyboard->Acquire();
        PC_CHECK_EQ(CountBuffered(keyboard), c.recordsAfterAcquire);
        keyboard->Unacquire();
        driver.Type({{DIK_U, false}});  // no key left held
    }
}

struct UnacquiredCallCase {
    const char* what;
    DWORD bufferSize;
    int typed;
    HRESULT (*call)(IDirectInputDevice8A*);
    DWORD kept;
};

// Measured (Wine 8): a new data format keeps the buffered records; as Wine 8
// does, a new buffer size empties the buffer and forgets its overflow.
PLATFORM_CASE(CallsWhileUnacquiredKeepOrEmptyTheBuffer) {
    const UnacquiredCallCase cases[] = {
        {"a new data format", 8, 2, [](IDirectInputDevice8A* d) { return d->SetDataFormat(&c_dfDIKeyboard); }, 2},
        {"a new buffer size", 3, 4, [](IDirectInputDevice8A* d) { return SetDwordProperty(d, DIPROP_BUFFERSIZE, 3); },
         0},
    };
    for (const UnacquiredCallCase& c : cases) {
        PC_SCOPE(c.what);
        DirectInputSession session;
        IDirectInputDevice8A* keyboard = TypedKeyboard(driver, session, c.bufferSize, c.typed);
        PC_REQUIRE(keyboard);
        PC_CHECK_EQ(keyboard->Unacquire(), DI_OK);
        PC_CHECK_EQ(c.call(keyboard), DI_OK);
        PC_CHECK_EQ(keyboard->Acquire(), DI_OK);
        std::vector<DIDEVICEOBJECTDATA> records;
        PC_CHECK_EQ(Read(keyboard, records, 8), DI_OK);
        PC_CHECK_EQ(DWORD(records.size()), c.kept);
        CheckStrokes(records);
    }
}

struct ExpectedRecord {
    const DIDEVICEOBJECTDATA& record;
    DWORD offset;
    DWORD dataMask;  // a key's state is its high bit
    DWORD data;
    DWORD sequenceStep;  // after the first record's
};

// Every record as expected, stamped between the one before it and `after`.
void CheckRecords(const std::vector<ExpectedRecord>& expected, DWORD before, DWORD after) {
    DWORD lastStamp = before;
    for (const ExpectedRecord& e : expected) {
        PC_SCOPE("record of offset " + std::to_string(e.offset) + ", step " + std::to_string(e.sequenceStep));
        PC_CHECK_EQ(e.record.dwOfs, e.offset);
        PC_CHECK_EQ(e.record.dwData & e.dataMask, e.data);
        PC_CHECK_EQ(e.record.dwSequence - expected[0].record.dwSequence, e.sequenceStep);
        PC_CHECK(e.record.dwTimeStamp - lastStamp <= after - lastStamp);
        lastStamp = e.record.dwTimeStamp;
    }
}

// Records stamped with the tick count at their input, numbered by one counter
// for every device of a DirectInput object: the X and Y records of one move
// share a number, and an axis that did not move gives no record.
PLATFORM_CASE(RecordsAreNumberedAndStampedAcrossDevices) {
    const HWND game = driver.CreateWindowWithProc(QuietProc);  // the real mouse moves over a window
    {
        DirectInputSession session;
        IDirectInputDevice8A* keyboard = session.OpenBuffered(driver.Keyboard(), c_dfDIKeyboard, 8);
        IDirectInputDevice8A* mouse = session.OpenBuffered(driver.Mouse(), c_dfDIMouse2, 8);
        PC_REQUIRE(keyboard && mouse);

        const DWORD before = GetTickCount();
        driver.Type({{DIK_A, true}});
        driver.MoveMouse(3, -2);
        driver.MoveMouse(0, 5);
        driver.Type({{DIK_A, false}});
        const DWORD after = GetTickCount();

        std::vector<DIDEVICEOBJECTDATA> keys, moves;
        PC_CHECK_EQ(Read(keyboard, keys, 8), DI_OK);
        PC_CHECK_EQ(Read(mouse, moves, 8), DI_OK);
        PC_REQUIRE_EQ(keys.size(), size_t{2});
        PC_REQUIRE_EQ(moves.size(), size_t{3});
        CheckRecords({{keys[0], DIK_A, 0x80, 0x80, 0},
                      {moves[0], DIMOFS_X, ~0u, 3, 1},
                      {moves[1], DIMOFS_Y, ~0u, DWORD(-2), 1},
                      {moves[2], DIMOFS_Y, ~0u, 5, 2},
                      {keys[1], DIK_A, 0x80, 0, 3}},
                     before, after);
    }
    driver.DestroyWindowNow(game);
}

}  // namespace
}  // namespace platformcase
