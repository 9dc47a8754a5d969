#include "protocol/FieldReader.h"

#include "protocol/Protocol.h"

#include <charconv>

namespace glypharo {

std::optional<int> parseNumber(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size())
        return std::nullopt;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    }
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

SplitMessage splitMessage(std::string_view message)
{
    auto plus = message.find('+');
    if (plus == std::string_view::npos)
        return {};
    return {message.substr(0, plus), message.substr(plus + 1)};
}

std::optional<std::string_view> FieldReader::field()
{
    if (done_)
        return std::nullopt;
    auto plus = rest_.find('+');
    if (plus == std::string_view::npos) {
        done_ = true;
        auto last = rest_;
        rest_ = {};
        return last;
    }
    auto value = rest_.substr(0, plus);
    rest_.remove_prefix(plus + 1);
    return value;
}

std::optional<int> FieldReader::number()
{
    auto f = field();
    if (!f)
        return std::nullopt;
    return parseNumber(*f);
}

std::string_view FieldReader::rest()
{
    if (done_)
        return {};
    done_ = true;
    auto all = rest_;
    rest_ = {};
    return all;
}

std::optional<std::vector<FieldReader::Group>> FieldReader::groups(std::size_t size)
{
    if (size == 0 || done_)
        return std::nullopt;
    std::string list(rest_);
    list += "+@";
    done_ = true;
    rest_ = {};
    std::string_view s = list;
    std::vector<Group> out;
    while (s != "@") {
        Group g;
        g.reserve(size);
        for (std::size_t i = 0; i < size; ++i) {
            auto plus = s.find('+');
            if (plus == std::string_view::npos)
                return std::nullopt;
            g.emplace_back(s.substr(0, plus));
            s.remove_prefix(plus + 1);
        }
        out.push_back(std::move(g));
    }
    return out;
}

MessageBuilder& MessageBuilder::field(std::string_view value)
{
    text_ += '+';
    text_ += value;
    return *this;
}

MessageBuilder& MessageBuilder::field(int value)
{
    return field(std::to_string(value));
}

MessageBuilder& MessageBuilder::raw(std::string_view text)
{
    text_ += text;
    return *this;
}

std::string MessageBuilder::wire() const
{
    return text_ + kTerminator;
}

} // namespace glypharo
