# cmake -DOUTPUT=file.cpp -DENTRIES="Name=path|Name=path" -P EmbedFiles.cmake
# Writes a source file holding each file's bytes and a lookup by name.
string(REPLACE "|" ";" ENTRIES "${ENTRIES}")
set(arrays "")
set(rows "")
set(index 0)
foreach(entry IN LISTS ENTRIES)
    string(FIND "${entry}" "=" eq)
    string(SUBSTRING "${entry}" 0 ${eq} name)
    math(EXPR start "${eq} + 1")
    string(SUBSTRING "${entry}" ${start} -1 path)
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" hexLength)
    math(EXPR size "${hexLength} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
    string(APPEND arrays "alignas(16) const unsigned char file${index}[${size}] = {\n${bytes}\n};\n")
    string(APPEND rows "    {\"${name}\", {file${index}, ${size}}},\n")
    math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from the files in assets/; do not edit.
#include \"assets/embedded.h\"

#include <array>

namespace {
${arrays}
struct Entry {
    std::string_view name;
    std::span<const unsigned char> bytes;
};
const Entry entries[] = {
${rows}};
}  // namespace

std::span<const unsigned char> FindEmbeddedFile(std::string_view name) {
    for (const Entry& entry : entries)
        if (entry.name == name) return entry.bytes;
    return {};
}
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
