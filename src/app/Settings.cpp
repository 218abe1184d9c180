#include "app/Settings.h"

#include "platform/Services.h"

namespace app
{
namespace
{

constexpr char Section[] = "Settings";

// Shifts every byte by delta; bytes that would leave 0..255 are dropped.
std::string shift(const std::string &text, int delta)
{
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const int code = static_cast<unsigned char>(ch) + delta;
        if (code >= 0 && code <= 255)
            out.push_back(static_cast<char>(static_cast<unsigned char>(code)));
    }
    return out;
}

} // namespace

std::string encodeText(const std::string &text)
{
    return shift(text, 85);
}

std::string decodeText(const std::string &text)
{
    return shift(text, -85);
}

std::string readSetting(const std::string &name)
{
    const auto stored = platform::services().store->read(Section, encodeText(name));
    return stored ? decodeText(*stored) : std::string();
}

bool writeSetting(const std::string &name, const std::string &value)
{
    return platform::services().store->write(Section, encodeText(name), encodeText(value));
}

} // namespace app
