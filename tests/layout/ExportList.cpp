#include "tests/layout/ExportList.h"

#include <cctype>
#include <cstdio>

namespace qmlayout {
namespace {

std::string MemberOfOverload(const std::string& member, const std::string& decorated)
{
    if (member == "Create" && decorated.find("_GUID") != std::string::npos)
        return "Create(GUID)";
    return member;
}

// ?Member@Class@@..., ??0Class@@ (constructor), ??1Class@@ (destructor),
// ??_7Class@@6B@ (virtual table).
bool ParseMicrosoft(const std::string& name, sExport& out)
{
    struct sSpecial {
        const char* pPrefix;
        const std::string& sMember;
    };
    const sSpecial specials[] = {{"??0", kConstructor}, {"??1", kDestructor}, {"??_7", kVirtualTable}};
    for (const sSpecial& special : specials) {
        const std::string prefix = special.pPrefix;
        if (name.compare(0, prefix.size(), prefix) == 0) {
            const auto end = name.find("@@", prefix.size());
            if (end == std::string::npos)
                return false;
            out.sClass = name.substr(prefix.size(), end - prefix.size());
            out.sMember = special.sMember;
            return true;
        }
    }
    if (name.size() < 2 || name[0] != '?' || name[1] == '?')
        return false;
    const auto at = name.find('@');
    const auto end = name.find("@@", at);
    if (at == std::string::npos || end == std::string::npos)
        return false;
    out.sClass = name.substr(at + 1, end - at - 1);
    out.sMember = MemberOfOverload(name.substr(1, at - 1), name);
    return true;
}

// <length><identifier> at `position`; false when there is none.
bool ReadSourceName(const std::string& name, std::size_t& position, std::string& identifier)
{
    std::size_t length = 0;
    const std::size_t start = position;
    while (position < name.size() && std::isdigit(static_cast<unsigned char>(name[position])))
        length = length * 10 + static_cast<std::size_t>(name[position++] - '0');
    if (position == start || position + length > name.size())
        return false;
    identifier = name.substr(position, length);
    position += length;
    return true;
}

// _ZTV<class> (virtual table), _ZN[K]<class><member>E..., with C1 (complete
// constructor), D1 (complete destructor) and D0 (deleting destructor).
bool ParseItanium(const std::string& name, sExport& out)
{
    std::size_t position = 0;
    if (name.compare(0, 4, "_ZTV") == 0) {
        position = 4;
        out.sMember = kVirtualTable;
        return ReadSourceName(name, position, out.sClass);
    }
    if (name.compare(0, 3, "_ZN") != 0)
        return false;
    position = name.compare(0, 4, "_ZNK") == 0 ? 4 : 3;
    if (!ReadSourceName(name, position, out.sClass))
        return false;
    const std::string rest = name.substr(position, 2);
    if (rest == "C1") {
        out.sMember = kConstructor;
    } else if (rest == "D1") {
        out.sMember = kDestructor;
    } else if (rest == "D0") {
        out.sMember = kDeletingDestructor;
    } else {
        std::string member;
        if (!ReadSourceName(name, position, member))
            return false;
        out.sMember = MemberOfOverload(member, name);
    }
    return true;
}

}  // namespace

std::vector<sExport> ReadExportList(const char* path)
{
    std::vector<sExport> exports;
    std::FILE* file = std::fopen(path, "r");
    if (!file)
        return exports;
    char line[512];
    while (std::fgets(line, sizeof line, file)) {
        std::string text(line);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
            text.pop_back();
        if (text.empty() || text[0] == '#')
            continue;
        // "bound:KEY NAME": the name is the last word.
        const auto space = text.rfind(' ');
        if (space != std::string::npos)
            text = text.substr(space + 1);
        sExport entry;
        entry.sDecorated = text;
        if (ParseMicrosoft(text, entry) || ParseItanium(text, entry))
            exports.push_back(entry);
    }
    std::fclose(file);
    return exports;
}

}  // namespace qmlayout
