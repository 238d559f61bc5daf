#include "host/QmJoystick.h"

#include "framework/TypeQueries.h"

CQmJoystick::CQmJoystick() = default;
CQmJoystick::~CQmJoystick() = default;
QM_DEFINE_TYPE_QUERIES(CQmJoystick)
