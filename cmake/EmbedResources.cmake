# Writes the source that embeds resources in a module (run by
# lorvane_embed_resources at build time): each file becomes a byte array, and
# a registration object adds them to the module's resources while it is loaded.
# -DENTRIES="TYPE|NAME|FILE^..." -DOUT=file.cpp
set(type_RCDATA 10)
set(type_GROUP_ICON 14)
set(type_BITMAP 2)
set(arrays "")
set(rows "")
set(index 0)
string(REPLACE "^" ";" entries "${ENTRIES}")
foreach(entry IN LISTS entries)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 type)
  list(GET parts 1 name)
  list(GET parts 2 file)
  if(NOT DEFINED type_${type})
    message(FATAL_ERROR "unknown resource type ${type}")
  endif()
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char resource${index}[] = {\n    ${bytes}0};\n")
  file(SIZE ${file} size)
  string(APPEND rows "    {${type_${type}}, \"${name}\", resource${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUT}.tmp "// Resources embedded by the build; generated, not edited by hand.
#include \"platform/win/Resources.h\"

namespace {

${arrays}
const platform::EmbeddedResource resources[] = {
${rows}};

const platform::ResourceRegistration registration(&registration, resources,
                                                  sizeof resources / sizeof resources[0]);

} // namespace
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
