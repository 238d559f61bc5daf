// A fuzz input read as a stream of ops on one device: records with their
// sequence numbers, polls, clock steps, input loss, injected failures,
// refused events and new device objects.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "framework/QmFrameworkControl.h"
#include "fuzz/DeviceModel.h"
#include "fuzz/FuzzDevice.h"
#include "qmsim/Simulation.h"

// The op stream's sequence numbers: mostly counting up, but also repeating,
// jumping anywhere, stepping back and running up to the 32-bit wrap.
inline DWORD NextSequence(FuzzedDataProvider& input, DWORD& sequence)
{
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
    case 0: break;
    case 1: sequence += 1; break;
    case 2: sequence = input.ConsumeIntegral<DWORD>(); break;
    case 3: sequence = 0xFFFFFFF0u + input.ConsumeIntegralInRange<DWORD>(0, 0x1F); break;
    case 4: sequence -= input.ConsumeIntegralInRange<DWORD>(1, 4); break;
    default: sequence = 0x7FFFFFF0u + input.ConsumeIntegralInRange<DWORD>(0, 0x1F); break;
    }
    return sequence;
}

// Injected results of the device's calls, as the fuzz input picks them.
inline void InjectDeviceFailure(FuzzedDataProvider& input, const std::string& name)
{
    static constexpr qmsim::Call kCalls[] = {qmsim::Call::GetDeviceData, qmsim::Call::Poll,
                                             qmsim::Call::Acquire,       qmsim::Call::CreateDevice,
                                             qmsim::Call::GetCapabilities, qmsim::Call::SetDataFormat,
                                             qmsim::Call::SetProperty};
    static constexpr HRESULT kResults[] = {DIERR_INPUTLOST, DIERR_NOTACQUIRED, DIERR_GENERIC,
                                           DI_BUFFEROVERFLOW, DIERR_OTHERAPPHASPRIO, DIERR_UNPLUGGED};
    const qmsim::Call call = input.PickValueInArray(kCalls);
    qmsim::InjectResult(call, input.PickValueInArray(kResults), name);
}

// Moves the clock on: mostly by less than a second, now and then by hours.
inline void StepClock(FuzzedDataProvider& input)
{
    if (input.ConsumeBool())
        qmhost::AdvanceTime(input.ConsumeIntegralInRange<int>(0, 1000) / 1024.0);
    else
        qmhost::AdvanceTime(input.ConsumeIntegral<std::uint16_t>());
}

// The ops every device's input is made of; a device adds its own after them.
enum eCommonOp {
    OP_POLL,
    OP_CLOCK,
    OP_LOSE_INPUT,
    OP_RECREATE,
    OP_INJECT,
    OP_FAIL_EVENTS,
    OP_RAW,  // a record of any offset and data
    COMMON_OP_COUNT
};

constexpr int kMostOpsPerInput = 600;

// Runs one input on a fresh device of the model's class: a stream of ops,
// each picked by a byte, the common ones here and the device's own (numbered
// from 0) by `runOwnOp(op, input, model, sequence)`. A last poll checks what
// is still buffered.
template <class Model, class RunOwnOp>
int RunDeviceInput(const std::uint8_t* data, std::size_t size, const char* name, BYTE deviceType, int ownOps,
                   RunOwnOp&& runOwnOp)
{
    FuzzedDataProvider input(data, size);
    CFuzzDevice<typename Model::DeviceClass> device(name, deviceType);
    Model model(device);
    DWORD sequence = 0;
    for (int i = 0; i < kMostOpsPerInput && input.remaining_bytes() > 0; ++i) {
        const int op = input.ConsumeIntegralInRange<int>(0, COMMON_OP_COUNT + ownOps - 1);
        switch (op) {
        case OP_POLL: model.Poll(); break;
        case OP_CLOCK: StepClock(input); break;
        case OP_LOSE_INPUT: model.LoseInput(); break;
        case OP_RECREATE: model.Recreate(); break;
        case OP_INJECT: InjectDeviceFailure(input, model.Name()); break;
        case OP_FAIL_EVENTS: model.Failures().Set(input.ConsumeIntegralInRange<int>(0, 3)); break;
        case OP_RAW: {
            const DWORD offset = input.ConsumeIntegral<DWORD>();
            const DWORD recordData = input.ConsumeIntegral<DWORD>();
            model.Queue({offset, recordData, NextSequence(input, sequence)});
            break;
        }
        default: runOwnOp(op - COMMON_OP_COUNT, input, model, sequence); break;
        }
    }
    model.Poll();
    model.Failures().Set(0);
    return 0;
}
