// Interface identifiers, object-type GUIDs and property identifiers.
#include "qmsim/dinput.h"

// The tail that DirectInput's own object and device GUIDs share.
#define QMSIM_DI_TAIL {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}

extern "C" {

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IDirectInput8A = {0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};
const IID IID_IDirectInputDevice8A = {0x54D41080, 0xDC15, 0x4833, {0xA4, 0x1B, 0x74, 0x8F, 0x73, 0xA3, 0x81, 0x79}};

const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_Joystick = {0x6F1D2B70, 0xD5A0, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_XAxis = {0xA36D02E0, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_YAxis = {0xA36D02E1, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_ZAxis = {0xA36D02E2, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_RxAxis = {0xA36D02F4, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_RyAxis = {0xA36D02F5, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_RzAxis = {0xA36D02E3, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_Slider = {0xA36D02E4, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_Button = {0xA36D02F0, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_Key = {0x55728220, 0xD33C, 0x11CF, QMSIM_DI_TAIL};
const GUID GUID_POV = {0xA36D02F2, 0xC9F3, 0x11CF, QMSIM_DI_TAIL};

// Distinct objects: properties are told apart by address, never by value. The
// contents only make them easy to recognise in a debugger.
const GUID DIPROP_BUFFERSIZE = {1, 0, 0, {'D', 'I', 'P', 'R', 'O', 'P', 0, 1}};
const GUID DIPROP_AXISMODE = {2, 0, 0, {'D', 'I', 'P', 'R', 'O', 'P', 0, 2}};
const GUID DIPROP_DEADZONE = {5, 0, 0, {'D', 'I', 'P', 'R', 'O', 'P', 0, 5}};
const GUID DIPROP_SATURATION = {6, 0, 0, {'D', 'I', 'P', 'R', 'O', 'P', 0, 6}};

}  // extern "C"

#undef QMSIM_DI_TAIL
