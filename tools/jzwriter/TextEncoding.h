#pragma once
// Conversion of the description's UTF-8 texts to the Windows-1250 bytes of a timetable file.

#include <string>
#include <string_view>

namespace jz {

// The Windows-1250 bytes of `utf8`. A CompileError naming `where` when the text is not valid
// UTF-8 or holds a character that the code page lacks.
std::string toCp1250(std::string_view utf8, std::string_view where);

}  // namespace jz
