// The registered window messages of the framework and its Outlook forms.
#include "framework/support/RegisteredMessages.h"

#include "platform/win/Window.h"

#include <map>
#include <mutex>

namespace {

#define ADX_MESSAGE_NAME_TEXT(name) #name,

std::mutex& NumbersLock() {
    static std::mutex lock;
    return lock;
}
std::map<std::string, UINT>& Numbers() {
    static std::map<std::string, UINT> numbers;
    return numbers;
}

} // namespace

const std::vector<std::string>& adxGlobalMessageNames() {
    static const std::vector<std::string> names = {ADX_GLOBAL_MESSAGES(ADX_MESSAGE_NAME_TEXT)};
    return names;
}

const std::vector<std::string>& adxOutlookMessageNames() {
    static const std::vector<std::string> names = {ADX_OUTLOOK_MESSAGES(ADX_MESSAGE_NAME_TEXT)};
    return names;
}

#undef ADX_MESSAGE_NAME_TEXT

void adxRegisterMessages(const std::vector<std::string>& names) {
    std::lock_guard<std::mutex> guard(NumbersLock());
    for (const std::string& name : names)
        Numbers()[name] = RegisterWindowMessage(name.c_str());
}

UINT adxRegisteredMessage(const std::string& name) {
    std::lock_guard<std::mutex> guard(NumbersLock());
    auto found = Numbers().find(name);
    return found == Numbers().end() ? 0 : found->second;
}
