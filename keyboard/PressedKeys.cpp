// The list of held keys, in the order their presses arrived. A key pressed twice
// without a release has two entries; a release removes the first.
#include <algorithm>

#include "keyboard/QmDi8Keyboard.h"

void CQmDi8Keyboard::KeyPressed(eKeyType key, double time)
{
    m_oPressedKeys.push_back(sPressedKey{time, time, key});
}

void CQmDi8Keyboard::KeyReleased(eKeyType key)
{
    const auto first = std::find_if(m_oPressedKeys.begin(), m_oPressedKeys.end(),
                                    [key](const sPressedKey& held) { return held.m_eKey == key; });
    if (first != m_oPressedKeys.end())
        m_oPressedKeys.erase(first);
}

void CQmDi8Keyboard::ReleaseAllPressedKeys()
{
    m_oPressedKeys.clear();
}
