#include "host/QmKeyboard.h"

#include "framework/TypeQueries.h"

namespace {

// Typical desktop settings until a device reads the platform's own.
constexpr float kDefaultRepeatDelay = 0.5f;
constexpr float kDefaultRepeatSpeed = 0.1f;

}  // namespace

CQmKeyboard::CQmKeyboard() : m_fKeyRepeatDelay(kDefaultRepeatDelay), m_fKeyRepeatSpeed(kDefaultRepeatSpeed) {}
CQmKeyboard::~CQmKeyboard() = default;
QM_DEFINE_TYPE_QUERIES(CQmKeyboard)

float CQmKeyboard::GetKeyRepeatDelay() const { return m_fKeyRepeatDelay; }
void CQmKeyboard::SetKeyRepeatDelay(float seconds) { m_fKeyRepeatDelay = seconds; }
float CQmKeyboard::GetKeyRepeatSpeed() const { return m_fKeyRepeatSpeed; }
void CQmKeyboard::SetKeyRepeatSpeed(float seconds) { m_fKeyRepeatSpeed = seconds; }
