// The XML library's own exception: its text is looked up by message group and
// id in the language pack (RwMessages.h), and it remembers where it was raised.
#pragma once

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

#include <cstdint>
#include <initializer_list>
#include <string>

// A failure of the XML library with a message of the language pack.
class ERwException : public Exception {
public:
    // The text of group and id, raised by methodName of unitName.
    static ERwException CreateRwException(int32_t group, const std::string& methodName,
                                          const std::string& unitName, int32_t id);
    // The same, with the looked-up text used as a Format pattern for args.
    static ERwException CreateRwExceptionFmt(int32_t group, const std::string& methodName,
                                             const std::string& unitName, int32_t id,
                                             std::initializer_list<TVarRec> args);

    // The message group of the language pack.
    int32_t Group;
    // The message id within the group.
    int32_t Id;
    // The unit that raised it.
    std::string UnitName;
    // The method that raised it.
    std::string MethodName;

private:
    ERwException(std::string message, int32_t group, int32_t id, std::string unitName,
                 std::string methodName);
};
