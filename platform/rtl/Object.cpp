// Class names and the default assignment of persistent objects.
#include "platform/rtl/Object.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

std::string ClassNameOf(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    // Drop the namespaces of the class itself, not those inside template arguments.
    size_t templateStart = name.find('<');
    size_t scope = name.rfind("::", templateStart);
    if (scope != std::string::npos)
        name.erase(0, scope + 2);
    return name;
}

void TPersistent::Assign(TPersistent* source) {
    if (!source)
        AssignError(nullptr);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) {
    dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* source) {
    throw EConvertError(RtlConsts::SAssignError,
                        {source ? source->ClassName() : std::string("nil"), ClassName()});
}
