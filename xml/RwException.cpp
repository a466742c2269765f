// ERwException: library failures with texts from the language pack.
#include "xml/RwException.h"

#include "xml/RwMessages.h"

#include <utility>

ERwException::ERwException(std::string message, int32_t group, int32_t id, std::string unitName,
                           std::string methodName)
    : Exception(std::move(message)), Group(group), Id(id), UnitName(std::move(unitName)),
      MethodName(std::move(methodName)) {}

ERwException ERwException::CreateRwException(int32_t group, const std::string& methodName,
                                             const std::string& unitName, int32_t id) {
    return ERwException(ResStringById(group, id), group, id, unitName, methodName);
}

ERwException ERwException::CreateRwExceptionFmt(int32_t group, const std::string& methodName,
                                                const std::string& unitName, int32_t id,
                                                std::initializer_list<TVarRec> args) {
    return ERwException(Format(ResStringById(group, id), args), group, id, unitName, methodName);
}
