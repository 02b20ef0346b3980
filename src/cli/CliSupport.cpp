#include "CliSupport.h"

#include "Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace cli {

ArgReader::ArgReader(std::vector<std::string> args) : args_(std::move(args)), used_(args_.size(), false) {}

namespace {
bool matches(const std::string& arg, std::string_view name, std::string* inlineValue)
{
    if (arg == name)
        return true;
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=') {
        if (inlineValue)
            *inlineValue = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}
}  // namespace

bool ArgReader::flag(std::string_view name)
{
    bool found = false;
    for (std::size_t i = 0; i < args_.size(); ++i) {
        if (!used_[i] && args_[i] == name) {
            used_[i] = true;
            found = true;
        }
    }
    return found;
}

std::vector<std::pair<std::string, std::string>> ArgReader::ordered(const std::vector<std::string>& names)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t i = 0; i < args_.size(); ++i) {
        if (used_[i])
            continue;
        for (const std::string& name : names) {
            std::string inlineValue;
            if (!matches(args_[i], name, &inlineValue))
                continue;
            used_[i] = true;
            if (args_[i] == name) {
                if (i + 1 >= args_.size()) {
                    error_ = "option " + name + " needs a value";
                    break;
                }
                used_[i + 1] = true;
                out.emplace_back(name, args_[i + 1]);
                ++i;
            } else {
                out.emplace_back(name, inlineValue);
            }
            break;
        }
    }
    return out;
}

std::vector<std::string> ArgReader::values(std::string_view name)
{
    std::vector<std::string> out;
    for (auto& [n, v] : ordered({std::string(name)}))
        out.push_back(v);
    return out;
}

std::optional<std::string> ArgReader::value(std::string_view name)
{
    std::vector<std::string> all = values(name);
    if (all.empty())
        return std::nullopt;
    return all.back();
}

std::vector<std::string> ArgReader::positionals()
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args_.size(); ++i) {
        if (used_[i])
            continue;
        const std::string& a = args_[i];
        if (a.size() > 1 && a[0] == '-' && !parseDouble(a)) {
            if (error_.empty())
                error_ = "unknown option " + a;
            continue;
        }
        out.push_back(a);
    }
    return out;
}

int usageError(std::string_view problem, std::string_view usage)
{
    std::string text = "vexil-cli: ";
    text.append(problem).append("\n").append(usage);
    if (text.back() != '\n')
        text += '\n';
    std::fputs(text.c_str(), stderr);
    return kUsage;
}

std::optional<double> parseDouble(std::string_view text)
{
    std::string s(text);
    if (s.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || *end != '\0')
        return std::nullopt;
    return v;
}

std::optional<long long> parseInt(std::string_view text)
{
    std::string s(text);
    if (s.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str(), &end, 10);
    if (end == s.c_str() || *end != '\0' || errno == ERANGE)
        return std::nullopt;
    return v;
}

std::optional<std::pair<long long, long long>> parseSpan(std::string_view text)
{
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    auto a = parseInt(text.substr(0, colon));
    auto b = parseInt(text.substr(colon + 1));
    if (!a || !b)
        return std::nullopt;
    return std::make_pair(*a, *b);
}

void printOut(std::string_view text)
{
    std::string out = latin1ToUtf8(text);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

namespace {
// Length of the UTF-8 sequence starting at i, or 0 if there is none.
std::size_t utf8Length(std::string_view text, std::size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c & 0xF0) == 0xE0 ? 3
                          : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
    if (n == 0 || i + n > text.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    return n;
}
}  // namespace

bool utf8ToLatin1(std::string_view text, std::string& out)
{
    out.assign(text);
    for (std::size_t i = 0, n; i < text.size(); i += n)
        if ((n = utf8Length(text, i)) == 0)
            return true;  // not UTF-8: the bytes are Latin-1 already
    out.clear();
    for (std::size_t i = 0, n; i < text.size(); i += n) {
        n = utf8Length(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        if (n == 1)
            out += static_cast<char>(c);
        else if (n == 2 && c <= 0xC3)
            out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
        else
            return false;  // a character beyond U+00FF
    }
    return true;
}

}  // namespace cli
