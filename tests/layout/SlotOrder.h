// The virtual slot order the host's base classes publish, and where a name's
// slot lies in a class's table under this compiler's C++ ABI.
#pragma once

#include <string>
#include <vector>

namespace qmlayout {

// The host base classes whose virtual operations come after CQmObject's.
enum class eBaseFamily { InputServer, Joystick, Keyboard, Mouse };

// The slot names of a class of this family, in order: CQmObject's, then the
// family's base classes', then, when `addsGuidCreate`, the DirectInput devices'
// own Create(const GUID&) ("Create(GUID)"). The destructor is "~".
std::vector<std::string> SlotNames(eBaseFamily family, bool addsGuidCreate);

// Index of `name` in the virtual table: the Microsoft ABI gives the destructor
// one slot, the Itanium ABI two (complete, then deleting). -1 if absent.
int SlotIndex(const std::vector<std::string>& names, const std::string& name);

}  // namespace qmlayout
