#include "host/QmMouse.h"

#include "framework/TypeQueries.h"

namespace {

constexpr float kDefaultDoubleClickTime = 0.5f;

}  // namespace

CQmMouse::CQmMouse() : m_nXPos(0), m_nYPos(0), m_fDoubleClickTime(kDefaultDoubleClickTime), m_bLeftHanded(false) {}
CQmMouse::~CQmMouse() = default;
QM_DEFINE_TYPE_QUERIES(CQmMouse)

bool CQmMouse::IsLeftHanded() const { return m_bLeftHanded; }
bool CQmMouse::IsRightHanded() const { return !m_bLeftHanded; }
int CQmMouse::GetXPos() const { return m_nXPos; }
void CQmMouse::SetXPos(int x) { m_nXPos = x; }
int CQmMouse::GetYPos() const { return m_nYPos; }
void CQmMouse::SetYPos(int y) { m_nYPos = y; }
float CQmMouse::GetDoubleClickTime() const { return m_fDoubleClickTime; }
void CQmMouse::SetDoubleClickTime(float seconds) { m_fDoubleClickTime = seconds; }
void CQmMouse::SetLeftHanded(bool leftHanded) { m_bLeftHanded = leftHanded; }

// The position wraps around at 32 bits instead of overflowing, as the
// framework's integer arithmetic does on its own platform.
void CQmMouse::UpdateMousePosition(int dx, int dy) {
    m_nXPos = static_cast<int>(static_cast<unsigned>(m_nXPos) + static_cast<unsigned>(dx));
    m_nYPos = static_cast<int>(static_cast<unsigned>(m_nYPos) + static_cast<unsigned>(dy));
}
