// The golden export list of one C++ ABI (tests/exports/ABI.exports), read as
// (class, member) pairs: the layout host finds each member's address by the
// decorated name the list gives it.
#pragma once

#include <string>
#include <vector>

namespace qmlayout {

// Members that are not named functions: the complete-object constructor and
// destructor, the deleting destructor, the virtual table.
inline const std::string kConstructor = "#constructor";
inline const std::string kDestructor = "#destructor";
inline const std::string kDeletingDestructor = "#deleting-destructor";
inline const std::string kVirtualTable = "#virtual-table";

struct sExport {
    std::string sClass;
    // The member's plain name; the DirectInput devices' Create(const GUID&) is
    // "Create(GUID)" to tell it from the inherited Create().
    std::string sMember;
    std::string sDecorated;
};

// Empty when the file cannot be read.
std::vector<sExport> ReadExportList(const char* path);

}  // namespace qmlayout
